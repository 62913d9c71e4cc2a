// The real executable in a pseudo-terminal, typed at as a person would: the prompts are on the
// screen while it waits, the final key is read without echo and consumed whole, and the terminal
// is left exactly as it was, however the wait ends.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/case_name.h"
#include "support/program_under_test.h"

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
    // As bash does when a job stops: the terminal back to the shell, with the shell's settings.
    // dash and busybox ash keep no settings of their own and leave the terminal as it is.
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
            if (launch.shell_restores_settings) {
                tcsetpgrp(STDIN_FILENO, getpgrp());
                tcsetattr(STDIN_FILENO, TCSADRAIN, &shell_settings);
            }
            static_cast<void>(write(report, "S", 1));
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

    // True once the job has been stopped by a signal, as a shell's job table would show it.
    bool wait_until_stopped() const
    {
        pollfd report{report_, POLLIN, 0};
        char stop = 0;
        return poll(&report, 1, static_cast<int>(std::chrono::milliseconds(kPatience).count())) >
                   0 &&
               read(report_, &stop, 1) == 1;
    }

    // The shell's 'fg' or 'bg' for the stopped job.
    void continue_job(char where) const { ASSERT_EQ(write(commands_, &where, 1), 1); }

    void type(const std::string& keys) const
    {
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // A key of several bytes, arriving byte by byte as over a slow line.
    // False if the machine was too loaded for any byte to follow the last within twice the gap.
    bool type_slowly(const std::string& key, std::chrono::milliseconds gap) const
    {
        auto last = std::chrono::steady_clock::now();
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
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            termios now{};
            tcgetattr(terminal_, &now);
            if ((now.c_lflag & ECHO) == 0) {
                return true;
            }
            usleep(5000);
        }
        return false;
    }

    termios settings() const
    {
        termios now{};
        tcgetattr(terminal_, &now);
        return now;
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

    int unread_bytes() const
    {
        int count = -1;
        ioctl(terminal_, FIONREAD, &count);
        return count;
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
    int expected_status;  // 0 after a signal: the caller ignores it, as nohup does
    std::chrono::milliseconds gap = std::chrono::milliseconds(5);  // between the key's bytes
};

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
    TerminalSession session({false, c.expected_status == 0 ? c.signal : 0, ""});
    answer_sample(session);
    if (c.signal != 0) {
        kill(session.program(), c.signal);
    }
    if (!session.type_slowly(c.key, c.gap)) {
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
    char then;      // kForeground, or 0 for 'kill %1'
    int stops = 1;  // each but the last followed by 'fg'
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
        ASSERT_TRUE(session.wait_until_stopped());
        if (c.signal != SIGSTOP) {
            // given back before it stopped, whatever the shell does, and the shell's report of
            // the stop starts a line of its own
            EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
            EXPECT_TRUE(session.wait_for_screen_ending("клавишу\r\n")) << session.screen();
        }
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

// 'horner < input &', stopped when it would take the terminal: 'kill %1' (SIGTERM, then
// SIGCONT) ends it at once, and the terminal keeps the shell's settings.
TEST(JobControlTest, BackgroundJobEndsWhenKilled)
{
    TerminalSession session({true, 0, kSampleInput, true});
    ASSERT_TRUE(session.wait_until_stopped());
    kill(session.program(), SIGTERM);
    kill(session.program(), SIGCONT);
    EXPECT_EQ(session.exit_status(kPatience), 128 + SIGTERM);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

// The same job continued with 'bg' cannot have the terminal: it ends without waiting.
TEST(JobControlTest, BackgroundJobContinuedInBackgroundEnds)
{
    TerminalSession session({true, 0, kSampleInput, true});
    ASSERT_TRUE(session.wait_until_stopped());
    session.continue_job(kBackground);
    EXPECT_EQ(session.exit_status(kPatience), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.initial_settings()));
}

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
