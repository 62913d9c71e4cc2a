// The real executable in a pseudo-terminal, typed at as a person would: the prompts are on the
// screen while it waits, the final key is read without echo and consumed whole, and the terminal
// is left exactly as it was, however the wait ends.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/case_name.h"
#include "support/program_under_test.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

bool same_settings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// How the program is started, as a shell would start it.
struct Launch {
    bool background = false;
    int ignored_signal = 0;   // ignored by the caller, as nohup does
    std::string redirection;  // of standard input or output, in the shell's words
    // Every shell takes the terminal back when a job stops; bash also gives it the shell's
    // settings, while dash and busybox ash keep none of their own and leave them as they are.
    bool shell_restores_settings = false;
    // Every descriptor below FD_SETSIZE taken, so that the one the program opens for the terminal
    // lies beyond what select() can watch.
    bool crowded_descriptors = false;
};

constexpr rlim_t kCrowdedDescriptors = FD_SETSIZE + 16;

// What the test tells the shell to do with a stopped job.
constexpr char kForeground = 'F';  // 'fg': the terminal to the job, then continue it
constexpr char kBackground = 'B';  // 'bg': continue it where it is

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
    const std::string command = "exec '" + program_under_test() + "' " + launch.redirection;
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// The part of an interactive shell: the program runs as a job in a process group of its own,
// given the terminal or not, while this process tells the test its number and each time it
// stops, takes the test's 'fg' and 'bg', and passes the job's exit status on.
[[noreturn]] void run_as_job(const Launch& launch, int report, int commands)
{
    termios shell_settings{};
    tcgetattr(STDIN_FILENO, &shell_settings);
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
            if (launch.shell_restores_settings) {
                tcsetattr(STDIN_FILENO, TCSADRAIN, &shell_settings);
            }
            const char stopped_by = static_cast<char>(WSTOPSIG(raw));
            static_cast<void>(write(report, &stopped_by, 1));
        }
        pollfd command{commands, POLLIN, 0};
        char what = 0;
        if (poll(&command, 1, 10) > 0 && read(commands, &what, 1) == 1) {
            if (what == kForeground) {
                tcsetpgrp(STDIN_FILENO, job);
            }
            kill(-job, SIGCONT);
        }
    }
}

// Looks at a state of the program or its terminal until it holds; false if it never does.
template <typename State> bool wait_until(State holds)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        usleep(1000);
    }
    return true;
}

class TerminalSession {
public:
    explicit TerminalSession(const Launch& launch = {})
    {
        int report[2];
        int commands[2];
        EXPECT_EQ(pipe2(report, O_CLOEXEC), 0);
        EXPECT_EQ(pipe2(commands, O_CLOEXEC), 0);
        child_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (child_ == 0) {
            run_as_job(launch, report[1], commands[0]);
        }
        close(report[1]);
        close(commands[0]);
        report_ = report[0];
        commands_ = commands[1];
        EXPECT_EQ(read(report_, &program_, sizeof program_), static_cast<ssize_t>(sizeof program_));
        // A second descriptor of the terminal's own side, to look at its settings and queue.
        terminal_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
        tcgetattr(terminal_, &initial_settings_);
    }
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;
    ~TerminalSession()
    {
        if (!status_) {
            kill(program_, SIGKILL);
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
        close(report_);
        close(commands_);
        close(terminal_);
        close(master_);
    }

    // The signal that stopped the job, as a shell's job table would show it; 0 if none did.
    int wait_until_stopped() const
    {
        pollfd report{report_, POLLIN, 0};
        char stopped_by = 0;
        if (poll(&report, 1, static_cast<int>(std::chrono::milliseconds(kPatience).count())) > 0 &&
            read(report_, &stopped_by, 1) == 1) {
            return stopped_by;
        }
        return 0;
    }

    // The shell's 'fg' or 'bg' for the stopped job.
    void continue_job(char where) const { ASSERT_EQ(write(commands_, &where, 1), 1); }

    void type(const std::string& keys) const
    {
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // A key of several bytes, arriving byte by byte as over a slow line, the first no later than
    // the gap after the moment given. False if the machine was too loaded for any byte to come
    // within twice the gap.
    bool type_slowly(const std::string& key, std::chrono::milliseconds gap,
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

    // Reads the screen until it ends with text; false if it never does.
    bool wait_for_screen_ending(const std::string& text)
    {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!screen_.ends_with(text)) {
            if (std::chrono::steady_clock::now() > deadline || !read_screen(100)) {
                return false;
            }
        }
        return true;
    }

    bool wait_for_key_mode() const
    {
        return wait_until([&] { return (settings().c_lflag & ECHO) == 0; });
    }

    termios settings() const
    {
        termios now{};
        tcgetattr(terminal_, &now);
        return now;
    }

    // As the shell does at its prompt.
    void set_settings(const termios& settings) const
    {
        ASSERT_EQ(tcsetattr(terminal_, TCSANOW, &settings), 0);
    }

    std::optional<int> exit_status(std::chrono::milliseconds patience)
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!status_ && std::chrono::steady_clock::now() < deadline) {
            int raw = 0;
            if (waitpid(child_, &raw, WNOHANG) == child_) {
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            } else {
                read_screen(10);
            }
        }
        while (read_screen(50)) {
        }
        return status_;
    }

    // What the terminal holds for its next reader. In canonical mode FIONREAD counts whole lines
    // only, so a line without its end is counted with the terminal briefly byte at a time.
    int unread_bytes() const
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

    // True once the program has read what was typed of a key and waits for the rest: asleep in
    // a system call other than read. Typed bytes reach the terminal's queue a moment after they
    // are written, so an empty queue alone could be one the program has yet to read from.
    bool wait_for_rest_of_key() const
    {
        return wait_until([&] {
            const long call = program_system_call();
            return unread_bytes() == 0 && call >= 0 && call != SYS_read;
        });
    }

    // True once the signal sent to the program is no longer pending: its handler has been called,
    // and any system call it was asleep in has returned.
    bool wait_until_delivered(int signal_number) const
    {
        return wait_until([&] { return !signal_pending(signal_number); });
    }

    // Pending for the thread or for the whole process, as /proc shows each in hexadecimal.
    bool signal_pending(int signal_number) const
    {
        std::ifstream file("/proc/" + std::to_string(program_) + "/status");
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

    // The system call the program is asleep in; -1 while it runs.
    long program_system_call() const
    {
        std::ifstream file("/proc/" + std::to_string(program_) + "/syscall");
        std::string number;
        file >> number;
        return !number.empty() && std::isdigit(static_cast<unsigned char>(number[0])) != 0
                   ? std::stol(number)
                   : -1;
    }

    pid_t program() const { return program_; }
    const std::string& screen() const { return screen_; }
    const termios& initial_settings() const { return initial_settings_; }

private:
    bool read_screen(int milliseconds)
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

    int master_ = -1;
    int terminal_ = -1;
    int report_ = -1;
    int commands_ = -1;
    pid_t child_ = -1;
    pid_t program_ = -1;
    termios initial_settings_{};
    std::string screen_;
    std::optional<int> status_;
};

// What a file the program wrote holds; the file is gone afterwards.
std::string take_file(const std::string& path)
{
    std::ifstream file(path);
    std::string written{std::istreambuf_iterator<char>(file), {}};
    static_cast<void>(std::remove(path.c_str()));
    return written;
}

// Answers the questions of the sample screen, each after its prompt is on the screen.
void answer_sample(TerminalSession& session, const std::string& typed_ahead = "")
{
    ASSERT_TRUE(session.wait_for_screen_ending("уравнения: "));
    session.type("2\n");
    ASSERT_TRUE(session.wait_for_screen_ending("a()= "));
    session.type("1 0 1\n");
    ASSERT_TRUE(session.wait_for_screen_ending("корня: "));
    session.type("0 1\n" + typed_ahead);
    ASSERT_TRUE(session.wait_for_screen_ending("Нажмите любую клавишу"));
    ASSERT_TRUE(session.wait_for_key_mode());
}

TEST(TerminalTest, ShowsSampleScreenAndEndsWithOneUnechoedKey)
{
    TerminalSession session;
    answer_sample(session);
    session.type("\x1b[A");  // an arrow key: three bytes
    EXPECT_EQ(session.exit_status(kPatience), 0);
    EXPECT_EQ(session.screen(),
              "Программа демонстрирует расчет полиномов по схеме Горнера\r\n"
              "с комплексными корнями\r\n"
              "Задайте порядок уравнения: 2\r\n"
              "Задайте коэффициенты полинома через пробел:\r\n"
              "от a0 при X в N-ой степени до aN свободный член\r\n"
              "a()= 1 0 1\r\n"
              "Задайте через пробел действительное и компл. значение корня: 0 1\r\n"
              "Значение полинома: y=0 0j\r\n"
              "Нажмите любую клавишу\r\n");
    EXPECT_EQ(session.unread_bytes(), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

TEST(TerminalTest, KeyTypedBeforeTheWaitDoesNotEndIt)
{
    TerminalSession session;
    answer_sample(session, "x");
    EXPECT_EQ(session.exit_status(std::chrono::milliseconds(300)), std::nullopt);
    session.type("y");
    EXPECT_EQ(session.exit_status(kPatience), 0);
}

struct WaitEnding {
    std::string name;
    std::string key;  // typed at the wait, after the signal if there is one
    int signal;
    int expected_status;  // 0 after a signal that ends or stops: the caller ignores it (nohup)
    std::chrono::milliseconds gap = std::chrono::milliseconds(5);  // between the key's bytes
    std::size_t bytes_before_signal = 0;  // of the key, read by the program before the signal
};

// SIGCONT has nothing to ignore: it reaches the program's handler, whatever the row expects.
int ignored_by_caller(const WaitEnding& c)
{
    return c.expected_status == 0 && c.signal != SIGCONT ? c.signal : 0;
}

std::ostream& operator<<(std::ostream& out, const WaitEnding& c)
{
    return out << c.name;
}

const WaitEnding kWaitEndings[] = {
    {"arrow_key", "\x1b[A", 0, 0},
    {"function_key", "\x1b[15~", 0, 0},
    {"cyrillic_letter", "ж", 0, 0},
    {"ctrl_c_is_a_key", "\x03", 0, 0},
    {"ctrl_z_is_a_key", "\x1a", 0, 0},
    {"ctrl_backslash_is_a_key", "\x1c", 0, 0},
    {"ctrl_s_is_a_key", "\x13", 0, 0},
    {"ctrl_q_is_a_key", "\x11", 0, 0},
    // Bytes that come within the wait's patience belong to the key, and none reaches the shell.
    {"function_key_over_a_slow_line", "\x1b[15~", 0, 0, std::chrono::milliseconds(20)},
    // A 'fg' or 'kill -CONT' between them changes nothing: the rest is not echoed after the wait.
    {"function_key_split_by_sigcont", "\x1b[15~", SIGCONT, 0, std::chrono::milliseconds(20), 1},
    {"sigterm", "", SIGTERM, 128 + SIGTERM},
    {"sighup", "", SIGHUP, 128 + SIGHUP},
    {"sigint", "", SIGINT, 128 + SIGINT},
    {"sigquit", "", SIGQUIT, 128 + SIGQUIT},
    {"sigusr1", "", SIGUSR1, 128 + SIGUSR1},
    {"sigusr2", "", SIGUSR2, 128 + SIGUSR2},
    {"sigalrm", "", SIGALRM, 128 + SIGALRM},
    {"sigvtalrm", "", SIGVTALRM, 128 + SIGVTALRM},
    {"sigprof", "", SIGPROF, 128 + SIGPROF},
    {"sigxcpu", "", SIGXCPU, 128 + SIGXCPU},
    {"sigxfsz", "", SIGXFSZ, 128 + SIGXFSZ},
    {"sigpipe", "", SIGPIPE, 128 + SIGPIPE},
    {"sigabrt", "", SIGABRT, 128 + SIGABRT},
    {"sigsegv", "", SIGSEGV, 128 + SIGSEGV},
    {"sigbus", "", SIGBUS, 128 + SIGBUS},
    {"sigfpe", "", SIGFPE, 128 + SIGFPE},
    {"sigill", "", SIGILL, 128 + SIGILL},
    {"sigtrap", "", SIGTRAP, 128 + SIGTRAP},
    {"sigsys", "", SIGSYS, 128 + SIGSYS},
    {"sighup_ignored", "x", SIGHUP, 0},
    {"sigtstp_ignored", "x", SIGTSTP, 0},
};

class WaitEndingTest : public testing::TestWithParam<WaitEnding> {};

TEST_P(WaitEndingTest, LeavesTerminalAsItWas)
{
    const WaitEnding& c = GetParam();
    TerminalSession session({false, ignored_by_caller(c), ""});
    answer_sample(session);
    session.type(c.key.substr(0, c.bytes_before_signal));
    ASSERT_TRUE(c.bytes_before_signal == 0 || session.wait_for_rest_of_key());
    const auto signal_sent = std::chrono::steady_clock::now();
    if (c.signal != 0) {
        kill(session.program(), c.signal);
        // between a key's bytes, the rest comes only once the signal has interrupted the wait
        ASSERT_TRUE(c.bytes_before_signal == 0 || session.wait_until_delivered(c.signal));
    }
    // and the wait's patience for the rest starts over from there
    const auto rest_due_from =
        c.bytes_before_signal > 0 ? signal_sent : std::chrono::steady_clock::now();
    if (!session.type_slowly(c.key.substr(c.bytes_before_signal), c.gap, rest_due_from)) {
        GTEST_SKIP() << "the machine was too loaded to type the key's bytes in time";
    }
    EXPECT_EQ(session.exit_status(kPatience), c.expected_status);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
    EXPECT_EQ(session.unread_bytes(), 0);
    // What the shell writes next starts a line of its own, however the wait ended.
    EXPECT_TRUE(session.screen().ends_with("клавишу\r\n")) << session.screen();
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitEndingTest, testing::ValuesIn(kWaitEndings), CaseName{});

// With the terminal beyond what select() can watch, the key is what the first read brings, and
// the rest of a paste is dropped as the wait ends, never left for the shell.
TEST(TerminalTest, PasteEndsWaitWhereSelectCannotWatch)
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_max < kCrowdedDescriptors) {
        GTEST_SKIP() << "this machine allows no descriptor beyond FD_SETSIZE";
    }
    TerminalSession session({false, 0, "", false, true});
    answer_sample(session);
    session.type(std::string(200, 'x'));
    EXPECT_EQ(session.exit_status(kPatience), 0);
    EXPECT_EQ(session.unread_bytes(), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

struct ErrorLine {
    std::string name;
    std::string typed;                  // at the first prompt
    std::string typed_at_coefficients;  // once their prompt is on the screen
    std::string screen;  // what the screen or file shows of the error line and what precedes it
    std::string redirection = {};  // of standard input, in the shell's words
    // Standard output or error sent to a file: with output there the screen shows no prompt and
    // no request, and that file or the screen begins with the error line itself.
    int descriptor_in_file = -1;
};

std::ostream& operator<<(std::ostream& out, const ErrorLine& c)
{
    return out << c.name;
}

// An error line starts a line of its own, but adds no empty line where the Enter that ended the
// answer already moved the cursor.
const ErrorLine kErrorLines[] = {
    {"input_ended_at_prompt", "\x04", "",
     "уравнения: \r\nОшибка: ввод закончился, а ожидался порядок уравнения"},
    {"answer_typed_after_prompt", "abc\n", "", "уравнения: abc\r\nОшибка: ожидался порядок"},
    {"answers_typed_ahead", "1 x\n", "", "a()= \r\nОшибка: ожидался коэффициент a0"},
    {"answer_typed_after_blanks", "1 \n", "x\n", "a()= x\r\nОшибка: ожидался коэффициент a0"},
    // A whole word before Ctrl+D is answered at once, without a second Ctrl+D or an Enter.
    {"word_before_ctrl_d", "1 \x04", "2 x\n", "a()= 2 x\r\nОшибка: ожидался коэффициент a1"},
    // Each prompt starts a new answer: the line typed at the coefficients was not typed at the
    // question for the point.
    {"answers_typed_ahead_of_the_point", "1\n", "2 3 x\n",
     "корня: \r\nОшибка: ожидалась действительная часть"},
    {"input_unreadable", "", "", "уравнения: \r\nОшибка: не удалось прочитать", "< /"},
    {"output_in_a_file", "\x04", "", "Ошибка: ввод закончился,", "", STDOUT_FILENO},
    {"errors_in_a_file", "\x04", "", "Ошибка: ввод закончился,", "", STDERR_FILENO},
};

class ErrorLineTest : public testing::TestWithParam<ErrorLine> {};

TEST_P(ErrorLineTest, StartsOnALineOfItsOwn)
{
    const ErrorLine& c = GetParam();
    const std::string file = testing::TempDir() + "horner-error-line";
    std::string redirection = c.redirection;
    if (c.descriptor_in_file >= 0) {
        redirection.append(" ").append(std::to_string(c.descriptor_in_file));
        redirection.append(">'").append(file).append("'");
    }
    TerminalSession session({false, 0, redirection});
    const bool prompts_on_screen = c.descriptor_in_file != STDOUT_FILENO;
    if (!c.typed.empty()) {  // with nothing to type the error may follow the prompt at once
        ASSERT_TRUE(!prompts_on_screen || session.wait_for_screen_ending("уравнения: "));
        session.type(c.typed);
    }
    if (!c.typed_at_coefficients.empty()) {
        ASSERT_TRUE(session.wait_for_screen_ending("a()= "));
        session.type(c.typed_at_coefficients);
    }
    if (prompts_on_screen) {
        ASSERT_TRUE(session.wait_for_screen_ending("Нажмите любую клавишу"));
        ASSERT_TRUE(session.wait_for_key_mode());
        session.type("x");
    }
    EXPECT_EQ(session.exit_status(kPatience), 1);
    const std::string errors_file = take_file(file);
    const std::string& shown =
        c.descriptor_in_file == STDERR_FILENO ? errors_file : session.screen();
    const std::size_t at = shown.find(c.screen + " ");
    EXPECT_TRUE(c.descriptor_in_file < 0 ? at != std::string::npos : at == 0) << shown;
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorLineTest, testing::ValuesIn(kErrorLines), CaseName{});

// Stopped during the wait, by a signal it can catch or by SIGSTOP, under a shell that gives the
// terminal its own settings back or one that leaves it as it is; then brought back with 'fg', or
// ended with 'kill %1' in the background.
struct Stop {
    std::string name;
    int signal;
    bool shell_restores_settings;
    char then;                             // kForeground, or 0 for 'kill %1'
    int stops = 1;                         // each but the last followed by 'fg'
    bool continued_in_background = false;  // with 'bg' first, at the shell's prompt
};

std::ostream& operator<<(std::ostream& out, const Stop& c)
{
    return out << c.name;
}

const Stop kStops[] = {
    {"sigtstp_then_fg", SIGTSTP, false, kForeground},
    {"sigtstp_fg_sigtstp_then_fg", SIGTSTP, false, kForeground, 2},
    {"sigttin_then_fg", SIGTTIN, false, kForeground},
    {"sigstop_then_fg_under_bash", SIGSTOP, true, kForeground},
    {"sigtstp_bg_then_fg", SIGTSTP, false, kForeground, 1, true},
    {"sigtstp_then_kill", SIGTSTP, false, 0},
    {"sigtstp_then_kill_under_bash", SIGTSTP, true, 0},
    {"sigstop_then_kill", SIGSTOP, false, 0},
    {"sigstop_then_kill_under_bash", SIGSTOP, true, 0},
};

class StopTest : public testing::TestWithParam<Stop> {};

TEST_P(StopTest, GivesTerminalBack)
{
    const Stop& c = GetParam();
    TerminalSession session({false, 0, "", c.shell_restores_settings});
    answer_sample(session);
    for (int stop = 1; stop <= c.stops; ++stop) {
        if (stop > 1) {
            session.continue_job(kForeground);
            ASSERT_TRUE(session.wait_for_key_mode());
        }
        kill(session.program(), c.signal);
        ASSERT_EQ(session.wait_until_stopped(), c.signal);
        if (c.signal != SIGSTOP) {
            // given back before it stopped, whatever the shell does, and the shell's report of
            // the stop starts a line of its own
            EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
            EXPECT_TRUE(session.wait_for_screen_ending("клавишу\r\n")) << session.screen();
        }
    }
    if (c.continued_in_background) {
        // The shell's prompt has settings of its own, as readline's: the job leaves them alone
        // and stops again as it reads from a terminal that is not its own.
        termios prompt = session.initial_settings();
        prompt.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        session.set_settings(prompt);
        session.continue_job(kBackground);
        ASSERT_EQ(session.wait_until_stopped(), SIGTTIN);
        EXPECT_TRUE(same_settings(session.settings(), prompt));
        session.set_settings(session.initial_settings());
    }
    if (c.then == kForeground) {
        session.continue_job(kForeground);
        ASSERT_TRUE(session.wait_for_key_mode());
        session.type("x");
        EXPECT_EQ(session.exit_status(kPatience), 0);
        EXPECT_TRUE(session.screen().ends_with("клавишу\r\n")) << session.screen();
    } else {
        kill(session.program(), SIGTERM);
        kill(session.program(), SIGCONT);
        EXPECT_EQ(session.exit_status(kPatience), 128 + SIGTERM);
    }
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

INSTANTIATE_TEST_SUITE_P(Cases, StopTest, testing::ValuesIn(kStops), CaseName{});

const std::string kSampleInput = "<<EOF\n2\n1 0 1\n0 1\nEOF\n";

// 'horner < input &' stops by SIGTTOU when it would take the terminal for the key, with SIGTSTP
// ignored too; then 'kill %1' (SIGTERM, then SIGCONT) ends it at once, 'bg' ends it without the
// wait it cannot have, and 'fg' gives it the wait. The terminal keeps the shell's settings.
struct BackgroundStart {
    std::string name;
    int ignored_signal;
    char then;  // kForeground, kBackground, or 0 for 'kill %1'
    int expected_status;
};

std::ostream& operator<<(std::ostream& out, const BackgroundStart& c)
{
    return out << c.name;
}

const BackgroundStart kBackgroundStarts[] = {
    {"killed", 0, 0, 128 + SIGTERM},
    {"continued_in_background", 0, kBackground, 0},
    {"brought_to_foreground_with_sigtstp_ignored", SIGTSTP, kForeground, 0},
};

class BackgroundStartTest : public testing::TestWithParam<BackgroundStart> {};

TEST_P(BackgroundStartTest, StopsUntilForeground)
{
    const BackgroundStart& c = GetParam();
    TerminalSession session({true, c.ignored_signal, kSampleInput, true});
    ASSERT_EQ(session.wait_until_stopped(), SIGTTOU);
    if (c.then == 0) {
        kill(session.program(), SIGTERM);
        kill(session.program(), SIGCONT);
    } else {
        session.continue_job(c.then);
    }
    if (c.then == kForeground) {
        ASSERT_TRUE(session.wait_for_key_mode());
        session.type("x");
    }
    EXPECT_EQ(session.exit_status(kPatience), c.expected_status);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

INSTANTIATE_TEST_SUITE_P(Cases, BackgroundStartTest, testing::ValuesIn(kBackgroundStarts),
                         CaseName{});

// With its output in a file the request cannot be seen: no wait, and the line end that follows
// a key at the terminal never reaches the file.
TEST(JobControlTest, OutputToFileEndsWithoutWaiting)
{
    const std::string output = testing::TempDir() + "horner-terminal-output";
    TerminalSession session({false, 0, "> '" + output + "' " + kSampleInput});
    EXPECT_EQ(session.exit_status(kPatience), 0);
    const std::string written = take_file(output);
    EXPECT_TRUE(written.ends_with("y=0 0j\nНажмите любую клавишу")) << written;
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

}  // namespace
