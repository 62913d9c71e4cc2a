#include "support/child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

// Standard input whose reads fail once the contents are read: a socket whose other end was
// closed with data of its own unread, which the reader sees, after what was sent, as a reset.
int input_failing_after(const std::string& contents)
{
    int ends[2] = {-1, -1};
    // SOCK_CLOEXEC is not everywhere (macOS); the ends are closed on exec all the same.
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0 ||
        fcntl(ends[0], F_SETFD, FD_CLOEXEC) != 0 || fcntl(ends[1], F_SETFD, FD_CLOEXEC) != 0) {
        throw std::runtime_error("cannot create a socket pair");
    }
    fcntl(ends[0], F_SETFL, O_NONBLOCK);  // contents beyond the socket's buffer fail, not hang
    const bool sent =
        write(ends[0], contents.data(), contents.size()) == static_cast<ssize_t>(contents.size()) &&
        write(ends[1], "x", 1) == 1;
    close(ends[0]);
    if (!sent) {
        close(ends[1]);
        throw std::runtime_error("cannot send the input through a socket");
    }
    return ends[1];
}

}  // namespace

const bool kOutputCanFailPartWay = true;
// A socket whose peer closed with data of its own unread reports a reset to its reader after what
// was sent: Linux behaviour, which other systems need not share (they may report the end).
#ifdef __linux__
const bool kInputCanFailPartWay = true;
#else
const bool kInputCanFailPartWay = false;
#endif

ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const StreamTrouble& trouble)
{
    const TemporaryFile in(input);
    const TemporaryFile out("");
    const TemporaryFile err("");
    // A directory cannot be read at all.
    const char* const input_path = trouble.input_unreadable ? "/" : in.path.c_str();
    const int failing_input =
        trouble.input_unreadable && !input.empty() ? input_failing_after(input) : -1;

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("cannot start " + program);
    }
    if (child == 0) {
        setsid();
        // Output that fails as on a full disk: a pipe nobody reads fails every write, a file-size
        // limit every write past it. Either is a failed write, not a signal that ends the program.
        int unread[2] = {-1, -1};
        int output = -1;
        if (trouble.output_room == 0 && pipe(unread) == 0) {
            close(unread[0]);
            output = unread[1];
            static_cast<void>(signal(SIGPIPE, trouble.reader_gone ? SIG_DFL : SIG_IGN));
        } else {
            output = open(out.path.c_str(), O_WRONLY);
        }
        if (trouble.output_room != 0 && trouble.output_room != kNoLimit) {
            const rlimit limit{trouble.output_room, trouble.output_room};
            setrlimit(RLIMIT_FSIZE, &limit);
            static_cast<void>(signal(SIGXFSZ, SIG_IGN));
        }
        const int input_descriptor =
            failing_input >= 0 ? failing_input : open(input_path, O_RDONLY);
        const bool opened = dup2(input_descriptor, STDIN_FILENO) == STDIN_FILENO &&
                            dup2(output, STDOUT_FILENO) == STDOUT_FILENO &&
                            dup2(open(err.path.c_str(), O_WRONLY), STDERR_FILENO) == STDERR_FILENO;
        if (opened) {
            execv(program.c_str(), argv.data());
        }
        _exit(127);
    }
    if (failing_input >= 0) {
        close(failing_input);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    const int status =
        WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    return {out.contents(), err.contents(), status};
}
