// Reads back what Explorer shows of horner.exe, which stands in the working directory: its version
// information and its manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kProgram = "horner.exe";

TEST(ResourcesTest, VersionInformationReadsBack)
{
    std::vector<char> block(GetFileVersionInfoSizeA(kProgram, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(kProgram, 0, static_cast<DWORD>(block.size()), block.data()));
    const std::pair<std::string, std::string> fields[] = {
        {"ProductName", "horner"},
        {"ProductVersion", HORNER_VERSION},
        {"FileVersion", HORNER_VERSION},
        {"FileDescription", HORNER_DESCRIPTION},
        {"LegalCopyright", HORNER_COPYRIGHT},
        {"OriginalFilename", "horner.exe"},
    };
    for (const auto& [name, expected] : fields) {
        char* value = nullptr;
        UINT length = 0;
        const std::string path = "\\StringFileInfo\\040904B0\\" + name;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << name;
        EXPECT_EQ(std::string(value), expected) << name;
    }
}

TEST(ResourcesTest, ManifestRunsAsInvokerOnWindows7To11WithoutCodePage)
{
    const HMODULE image = LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    const HRSRC found = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    for (const char* expected : {"level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                 "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(manifest.find("activeCodePage>"), std::string::npos);  // the element, not a comment
}

}  // namespace
