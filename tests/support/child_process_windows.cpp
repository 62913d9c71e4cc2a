#include "support/child_process.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// Files rather than pipes: megabytes of input cannot dead-lock against unread output.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& contents)
    {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        const DWORD folder_length = GetTempPathA(MAX_PATH, folder);
        if (folder_length == 0 || folder_length > MAX_PATH ||
            GetTempFileNameA(folder, "hrn", 0, name) == 0) {
            throw std::runtime_error("cannot name a temporary file");
        }
        path_ = name;
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        handle_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot create a temporary file");
        }
        DWORD written = 0;
        WriteFile(handle_, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        CloseHandle(handle_);
        DeleteFileA(path_.c_str());
    }

    HANDLE handle() const { return handle_; }
    const std::string& path() const { return path_; }

    std::string contents() const
    {
        std::ifstream file(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

private:
    std::string path_;
    HANDLE handle_;
};

std::string quoted(const std::string& argument)
{
    return '"' + argument + '"';
}

// A second handle of a file, open for one kind of access only: the other fails every time.
HANDLE reopen(const TemporaryFile& file, DWORD access)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileA(file.path().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_TEMPORARY, nullptr);
}

}  // namespace

// A file cannot be cut short at a given size here, as POSIX file-size limits do, nor standard
// input made to fail after some of it.
const bool kOutputCanFailPartWay = false;
const bool kInputCanFailPartWay = false;

ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const StreamTrouble& trouble)
{
    if (trouble.output_room != 0 && trouble.output_room != kNoLimit) {
        throw std::invalid_argument("standard output cannot fail part-way on Windows");
    }
    const TemporaryFile in(input);
    const TemporaryFile out("");
    const TemporaryFile err("");
    // Every write to a handle open for reading fails, as on a full disk; every read from one
    // open for writing fails.
    const HANDLE read_only = reopen(out, GENERIC_READ);
    const HANDLE write_only = reopen(in, GENERIC_WRITE);

    std::string command_line = quoted(program);
    for (const std::string& argument : arguments) {
        command_line += ' ' + quoted(argument);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = trouble.input_unreadable ? write_only : in.handle();
    startup.hStdOutput = trouble.output_room == 0 ? read_only : out.handle();
    startup.hStdError = err.handle();
    PROCESS_INFORMATION process{};
    // Detached from the test's console: on a real console the child would otherwise have a
    // keyboard to wait on, and the test run would hang.
    const BOOL started = CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE,
                                        DETACHED_PROCESS, nullptr, nullptr, &startup, &process);
    CloseHandle(read_only);
    CloseHandle(write_only);
    if (!started) {
        throw std::runtime_error("cannot start " + program);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exit_code = 0;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {out.contents(), err.contents(), static_cast<int>(exit_code)};
}
