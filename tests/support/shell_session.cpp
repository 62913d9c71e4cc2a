#include "support/shell_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/program_under_test.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

namespace {

// A prompt that shows $?, as each shell writes it.
const char* prompt_of(Shell shell)
{
    return shell == Shell::kZsh ? "<%?>$ " : "<$?>$ ";
}

// With read(2), not a stream: libstdc++'s file buffer throws when a read fails, as one does
// (ESRCH) when the process ends in the middle of it. Empty once the process is gone.
std::string read_proc(pid_t process, const char* file)
{
    const std::string path = "/proc/" + std::to_string(process) + "/" + file;
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string text;
    char chunk[512];
    for (ssize_t got = 0; descriptor >= 0 && (got = read(descriptor, chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(got));
    }
    if (descriptor >= 0) {
        close(descriptor);
    }
    return text;
}

// The fields of /proc/PID/stat after the command's name, which may hold blanks.
std::string stat_after_name(pid_t process)
{
    const std::string stat = read_proc(process, "stat");
    const std::size_t end = stat.rfind(')');
    return end == std::string::npos ? std::string() : stat.substr(end + 2);
}

// The system call the process is asleep in; -1 while it runs, or where /proc does not show it.
long system_call_of(pid_t process)
{
    const std::string call = read_proc(process, "syscall");
    return !call.empty() && std::isdigit(static_cast<unsigned char>(call[0])) != 0 ? std::stol(call)
                                                                                   : -1;
}

}  // namespace

bool same_settings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

std::string take_file(const std::string& path)
{
    std::ifstream file(path);
    std::string written{std::istreambuf_iterator<char>(file), {}};
    static_cast<void>(std::remove(path.c_str()));
    return written;
}

const char* shell_name(Shell shell)
{
    constexpr const char* kNames[] = {"bash", "dash", "zsh"};
    return kNames[static_cast<int>(shell)];
}

ShellSession::ShellSession(Shell shell)
{
    shell_pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (shell_pid_ == 0) {
        // Nothing of the user's own: no start-up files, no history, a plain terminal, and no
        // core files from the signals that dump one by default.
        const std::string prompt = std::string("PS1=") + prompt_of(shell);
        char* const environment[] = {
            const_cast<char*>("TERM=dumb"),         const_cast<char*>("PATH=/usr/bin:/bin"),
            const_cast<char*>("HOME=/nonexistent"), const_cast<char*>("LC_ALL=C.UTF-8"),
            const_cast<char*>(prompt.c_str()),      nullptr};
        const rlimit no_core_files{0, 0};
        setrlimit(RLIMIT_CORE, &no_core_files);
        // Each shell's own way to skip its start-up files, then interactive.
        const char* const arguments[][5] = {{"bash", "--norc", "--noprofile", "-i", nullptr},
                                            {"dash", "-i", nullptr},
                                            {"zsh", "-f", "-i", nullptr}};
        execve((std::string("/bin/") + shell_name(shell)).c_str(),
               const_cast<char* const*>(arguments[static_cast<int>(shell)]), environment);
        _exit(127);
    }
    terminal_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    EXPECT_TRUE(wait_for_prompt().has_value()) << shell_name(shell) << " showed no prompt";
    prompt_settings_ = settings();
}

ShellSession::~ShellSession()
{
    if (program_ > 0) {
        kill(program_, SIGKILL);
    }
    kill(shell_pid_, SIGKILL);
    waitpid(shell_pid_, nullptr, 0);
    close(terminal_);
    close(master_);
}

void ShellSession::type(const std::string& keys) const
{
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
}

bool ShellSession::type_slowly(const std::string& key, std::chrono::milliseconds gap,
                               std::chrono::steady_clock::time_point last) const
{
    bool in_time = true;
    for (const char byte : key) {
        type(std::string(1, byte));
        const auto now = std::chrono::steady_clock::now();
        in_time = in_time && now - last < 2 * gap;
        last = now;
        std::this_thread::sleep_for(gap);
    }
    return in_time;
}

void ShellSession::run(const std::string& command)
{
    command_start_ = screen_.size();
    type(command + "\n");
}

bool ShellSession::wait_for_screen_ending(const std::string& text)
{
    return wait_until(
        [&] { return screen_.ends_with(text) || (read_screen(10), screen_.ends_with(text)); });
}

bool ShellSession::wait_for_screen_showing(const std::string& text)
{
    const auto shown = [&] { return screen_.find(text, command_start_) != std::string::npos; };
    return wait_until([&] { return shown() || (read_screen(10), shown()); });
}

std::optional<int> ShellSession::wait_for_prompt(std::chrono::milliseconds patience)
{
    // The last prompt since the command: a job in the background may write after it.
    static const std::regex prompt_pattern("<([0-9]+)>\\$ ");
    std::optional<int> status;
    const bool at_prompt = wait_until(
        [&] {
            const std::string since = screen_.substr(command_start_);
            status.reset();
            for (std::sregex_iterator prompt(since.begin(), since.end(), prompt_pattern), end;
                 prompt != end; ++prompt) {
                status = std::stoi((*prompt)[1]);
            }
            // nothing more to come: the shell waits for a line
            if (status && shell_reading() && !read_screen(20)) {
                return true;
            }
            read_screen(20);
            return false;
        },
        patience);
    return at_prompt ? status : std::nullopt;
}

pid_t ShellSession::wait_for_program()
{
    const std::filesystem::path program = std::filesystem::canonical(program_under_test());
    const std::string session = std::to_string(shell_pid_);
    wait_until([&] {
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename();
            if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) == 0) {
                continue;
            }
            std::error_code error;
            const pid_t process = std::stoi(name);
            // the fourth field after the name is the session, which the shell leads
            std::istringstream fields(stat_after_name(process));
            std::string skipped;
            std::string process_session;
            fields >> skipped >> skipped >> skipped >> process_session;
            if (process_session == session &&
                std::filesystem::read_symlink(entry.path() / "exe", error) == program) {
                program_ = process;
                return true;
            }
        }
        return false;
    });
    return program_;
}

char ShellSession::program_state() const
{
    const std::string fields = stat_after_name(program_);
    return fields.empty() ? '\0' : fields[0];
}

bool ShellSession::wait_for_program_state(char state) const
{
    return wait_until([&] { return program_state() == state; });
}

long ShellSession::program_switches() const
{
    return std::strtol(status_field("voluntary_ctxt_switches").c_str(), nullptr, 10) +
           std::strtol(status_field("nonvoluntary_ctxt_switches").c_str(), nullptr, 10);
}

bool ShellSession::wait_for_new_stop(long switches_before) const
{
    return wait_until(
        [&] { return program_switches() > switches_before && program_state() == 'T'; });
}

bool ShellSession::wait_until_program_ended() const
{
    return wait_until([&] {
        const char state = program_state();
        return state == 'Z' || state == '\0';
    });
}

bool ShellSession::program_state_visible() const
{
    return !read_proc(program_, "syscall").empty();
}

bool ShellSession::wait_for_key_mode() const
{
    return wait_until([&] { return (settings().c_lflag & ISIG) == 0; });
}

bool ShellSession::wait_for_rest_of_key() const
{
    return wait_until([&] {
        int unread = -1;
        ioctl(terminal_, FIONREAD, &unread);  // byte at a time in the wait: every byte counts
        const long call = system_call_of(program_);
        return unread == 0 && call >= 0 && call != SYS_read;
    });
}

// Pending for the thread or for the whole process, as /proc shows each in hexadecimal.
bool ShellSession::wait_until_delivered(int signal_number) const
{
    const unsigned long long bit = 1ULL << (signal_number - 1);
    return wait_until([&] {
        return ((std::strtoull(status_field("SigPnd").c_str(), nullptr, 16) |
                 std::strtoull(status_field("ShdPnd").c_str(), nullptr, 16)) &
                bit) == 0;
    });
}

termios ShellSession::settings() const
{
    termios now{};
    tcgetattr(terminal_, &now);
    return now;
}

std::string ShellSession::after_command() const
{
    const std::size_t echo_end = screen_.find("\r\n", command_start_);
    return echo_end == std::string::npos ? std::string() : screen_.substr(echo_end + 2);
}

bool ShellSession::read_screen(int milliseconds)
{
    pollfd ready{master_, POLLIN, 0};
    char chunk[4096];
    if (poll(&ready, 1, milliseconds) <= 0 || (ready.revents & POLLIN) == 0) {
        return false;
    }
    const ssize_t got = read(master_, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    screen_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

// The shell asleep waiting for a key, as it is at its prompt (readline waits in pselect), not for
// a job (in wait4 or sigsuspend).
bool ShellSession::shell_reading() const
{
    const long number = system_call_of(shell_pid_);
    return number == SYS_read || number == SYS_pselect6 || number == SYS_select ||
           number == SYS_poll || number == SYS_ppoll;
}

std::string ShellSession::status_field(const std::string& name) const
{
    std::istringstream status(read_proc(program_, "status"));
    for (std::string field; status >> field;) {
        std::string value;
        if (field == name + ":" && status >> value) {
            return value;
        }
    }
    return {};
}
