#include "support/terminal_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/program_under_test.h"

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

[[noreturn]] void start_job(const Launch& launch)
{
    setpgid(0, 0);
    if (!launch.background) {
        static_cast<void>(signal(SIGTTOU, SIG_IGN));
        tcsetpgrp(STDIN_FILENO, getpgrp());
        static_cast<void>(signal(SIGTTOU, SIG_DFL));
    }
    if (launch.ignored_signal != 0) {
        static_cast<void>(signal(launch.ignored_signal, SIG_IGN));
    }
    const rlimit no_core_files{0, 0};  // for the signals that dump core by default
    setrlimit(RLIMIT_CORE, &no_core_files);
    if (launch.crowded_descriptors) {
        rlimit files{};
        getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = kCrowdedDescriptors;
        setrlimit(RLIMIT_NOFILE, &files);
        const int null = open("/dev/null", O_RDONLY);
        for (int descriptor = STDERR_FILENO + 1; descriptor < FD_SETSIZE; ++descriptor) {
            dup2(null, descriptor);
        }
    }
    std::string command = "exec '" + program_under_test() + "' " + launch.redirection;
    if (!launch.piped_from.empty()) {
        command = launch.piped_from + " | " + command;
    }
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// The part of an interactive shell: the program runs as a job in a process group of its own,
// given the terminal or not, while this process tells the test its number and each time it
// stops, takes the test's 'fg', and passes the job's exit status on.
[[noreturn]] void run_as_job(const Launch& launch, int report, int commands)
{
    const pid_t job = fork();
    if (job == 0) {
        start_job(launch);
    }
    setpgid(job, job);
    static_cast<void>(signal(SIGTTOU, SIG_IGN));  // the shell takes the terminal back at will
    static_cast<void>(write(report, &job, sizeof job));
    for (;;) {
        int raw = 0;
        const pid_t changed = waitpid(job, &raw, WUNTRACED | WNOHANG);
        if (changed == job && !WIFSTOPPED(raw)) {
            _exit(WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw));
        }
        if (changed == job) {
            tcsetpgrp(STDIN_FILENO, getpgrp());
            const char stopped_by = static_cast<char>(WSTOPSIG(raw));
            static_cast<void>(write(report, &stopped_by, 1));
        }
        pollfd command{commands, POLLIN, 0};
        char fg = 0;
        if (poll(&command, 1, 10) > 0 && read(commands, &fg, 1) == 1) {
            tcsetpgrp(STDIN_FILENO, job);
            kill(-job, SIGCONT);
        }
    }
}

}  // namespace

bool same_settings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

PseudoTerminal::~PseudoTerminal()
{
    close(terminal_);
    close(master_);
}

pid_t PseudoTerminal::fork_on_terminal()
{
    const pid_t child = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child > 0) {
        terminal_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    }
    return child;
}

void PseudoTerminal::type(const std::string& keys) const
{
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
}

bool PseudoTerminal::wait_for_screen_ending(const std::string& text)
{
    return wait_until(
        [&] { return screen_.ends_with(text) || (read_screen(10), screen_.ends_with(text)); });
}

bool PseudoTerminal::wait_for_screen_showing(const std::string& text, std::size_t from)
{
    const auto shown = [&] { return screen_.find(text, from) != std::string::npos; };
    return wait_until([&] { return shown() || (read_screen(10), shown()); });
}

termios PseudoTerminal::settings() const
{
    termios now{};
    tcgetattr(terminal_, &now);
    return now;
}

bool PseudoTerminal::read_screen(int milliseconds)
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

TerminalSession::TerminalSession(const Launch& launch)
{
    int report[2];
    int commands[2];
    EXPECT_EQ(pipe2(report, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(commands, O_CLOEXEC), 0);
    child_ = fork_on_terminal();
    if (child_ == 0) {
        run_as_job(launch, report[1], commands[0]);
    }
    close(report[1]);
    close(commands[0]);
    report_ = report[0];
    commands_ = commands[1];
    EXPECT_EQ(read(report_, &program_, sizeof program_), static_cast<ssize_t>(sizeof program_));
    tcgetattr(terminal_, &initial_settings_);
}

TerminalSession::~TerminalSession()
{
    if (!status_) {
        kill(program_, SIGKILL);
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
    }
    close(report_);
    close(commands_);
}

int TerminalSession::wait_until_stopped() const
{
    pollfd report{report_, POLLIN, 0};
    char stopped_by = 0;
    if (poll(&report, 1, static_cast<int>(std::chrono::milliseconds(kPatience).count())) > 0 &&
        read(report_, &stopped_by, 1) == 1) {
        return stopped_by;
    }
    return 0;
}

void TerminalSession::bring_to_foreground() const
{
    ASSERT_EQ(write(commands_, "F", 1), 1);
}

bool TerminalSession::type_slowly(const std::string& key, std::chrono::milliseconds gap,
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

bool TerminalSession::wait_for_key_mode() const
{
    return wait_until([&] { return (settings().c_lflag & ECHO) == 0; });
}

std::optional<int> TerminalSession::exit_status(std::chrono::milliseconds patience)
{
    wait_until(
        [&] {
            int raw = 0;
            if (waitpid(child_, &raw, WNOHANG) == child_) {
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            }
            if (!status_) {
                read_screen(10);
            }
            return status_.has_value();
        },
        patience);
    while (read_screen(50)) {
    }
    return status_;
}

int TerminalSession::unread_bytes() const
{
    const termios now = settings();
    termios byte_at_a_time = now;
    byte_at_a_time.c_lflag &= ~static_cast<tcflag_t>(ICANON);
    const bool canonical = (now.c_lflag & ICANON) != 0;
    if (canonical) {
        tcsetattr(terminal_, TCSANOW, &byte_at_a_time);
    }
    int count = -1;
    ioctl(terminal_, FIONREAD, &count);
    if (canonical) {
        tcsetattr(terminal_, TCSANOW, &now);
    }
    return count;
}

bool TerminalSession::wait_for_rest_of_key() const
{
    return wait_until([&] {
        const long call = system_call_of(program_);
        return unread_bytes() == 0 && call >= 0 && call != SYS_read;
    });
}

bool TerminalSession::wait_until_delivered(int signal_number) const
{
    return wait_until([&] { return !signal_pending(signal_number); });
}

bool TerminalSession::program_state_visible() const
{
    return !read_proc(program_, "syscall").empty();
}

// Pending for the thread or for the whole process, as /proc shows each in hexadecimal.
bool TerminalSession::signal_pending(int signal_number) const
{
    std::istringstream file(read_proc(program_, "status"));
    const unsigned long long bit = 1ULL << (signal_number - 1);
    for (std::string field; file >> field;) {
        std::string mask;
        if ((field == "SigPnd:" || field == "ShdPnd:") && file >> mask &&
            (std::stoull(mask, nullptr, 16) & bit) != 0) {
            return true;
        }
    }
    return false;
}

// With read(2), not a stream: libstdc++'s file buffer throws when a read fails, as one does
// (ESRCH) when the process ends in the middle of it.
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

long system_call_of(pid_t process)
{
    const std::string call = read_proc(process, "syscall");
    return !call.empty() && std::isdigit(static_cast<unsigned char>(call[0])) != 0 ? std::stol(call)
                                                                                   : -1;
}

std::string take_file(const std::string& path)
{
    std::ifstream file(path);
    std::string written{std::istreambuf_iterator<char>(file), {}};
    static_cast<void>(std::remove(path.c_str()));
    return written;
}
