// Reads back what Explorer shows of horner.exe: the version information and the manifest. The
// path of the executable is the first argument after GoogleTest's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <iostream>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string g_program;

struct VersionField {
    std::string name;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const VersionField& c)
{
    return out << c.name;
}

const VersionField kFields[] = {
    {"ProductName", "horner"},
    {"ProductVersion", HORNER_VERSION},
    {"FileVersion", HORNER_VERSION},
    {"FileDescription", HORNER_DESCRIPTION},
    {"LegalCopyright", HORNER_COPYRIGHT},
    {"OriginalFilename", "horner.exe"},
};

class VersionFieldTest : public testing::TestWithParam<VersionField> {};

TEST_P(VersionFieldTest, ReadsBackFromExecutable)
{
    const VersionField& c = GetParam();
    std::vector<char> block(GetFileVersionInfoSizeA(g_program.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(g_program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    const std::string path = "\\StringFileInfo\\040904B0\\" + c.name;
    char* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::string(value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, VersionFieldTest, testing::ValuesIn(kFields), CaseName{});

TEST(ManifestTest, RunsAsInvokerOnWindows7To11WithoutCodePage)
{
    const HMODULE image = LoadLibraryExA(g_program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    FreeLibrary(image);
    for (const char* expected : {"level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                 "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(manifest.find("activeCodePage>"), std::string::npos);  // the element, not a comment
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: resources_test PROGRAM\n";
        return 2;
    }
    g_program = argv[1];
    return RUN_ALL_TESTS();
}
