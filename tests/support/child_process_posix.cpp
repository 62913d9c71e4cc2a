#include "support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

// Files rather than pipes: megabytes of input cannot dead-lock against unread output.
struct TemporaryFile {
    std::string path;

    explicit TemporaryFile(const std::string& contents)
    {
        std::string name = "/tmp/horner-test-XXXXXX";
        const int descriptor = mkstemp(name.data());
        if (descriptor < 0) {
            throw std::runtime_error("cannot create a temporary file");
        }
        close(descriptor);
        path = name;
        std::ofstream(path, std::ios::binary) << contents;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { static_cast<void>(std::remove(path.c_str())); }

    std::string contents() const
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

}  // namespace

ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, bool output_unwritable)
{
    const TemporaryFile in(input);
    const TemporaryFile out("");
    const TemporaryFile err("");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.path.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, output_unwritable ? "/dev/full" : out.path.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.path.c_str(), O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const int failure =
        posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0) {
        throw std::runtime_error("cannot start " + program);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    const int status =
        WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    return {out.contents(), err.contents(), status};
}
