// The real executable in a pseudo-terminal, typed at as a person would: the prompts are on the
// screen while it waits, an error line starts a line of its own, the final key is read without
// echo and consumed whole, and the terminal is left exactly as it was, however the wait ends.

#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/case_name.h"
#include "support/child_process.h"
#include "support/program_under_test.h"
#include "support/shell_session.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <regex>
#include <string>
#include <tuple>

namespace {

// A file of this test process's own, so that two runs of the tests at once do not share it;
// gone once the test ends, an assertion that failed too.
struct ScratchFile {
    explicit ScratchFile(const std::string& name)
        : path(testing::TempDir() + "horner-" + name + "-" + std::to_string(getpid()))
    {
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() { static_cast<void>(std::remove(path.c_str())); }

    const std::string path;
};

// The program as a command line names it.
std::string program_command()
{
    return "'" + program_under_test() + "'";
}

const std::string kSampleAnswers = "printf '2\\n1 0 1\\n0 1\\n' | ";

// Starts the program at the shell's prompt and answers the questions of the sample screen, each
// after its prompt is on the screen.
void answer_sample(ShellSession& session, const std::string& command = program_command(),
                   const std::string& typed_ahead = "")
{
    session.run(command);
    ASSERT_GT(session.wait_for_program(), 0);
    ASSERT_TRUE(session.wait_for_screen_ending("уравнения: "));
    session.type("2\n");
    ASSERT_TRUE(session.wait_for_screen_ending("a()= "));
    session.type("1 0 1\n");
    ASSERT_TRUE(session.wait_for_screen_ending("корня: "));
    session.type("0 1\n" + typed_ahead);
    ASSERT_TRUE(session.wait_for_screen_ending("Нажмите любую клавишу"));
    ASSERT_TRUE(session.wait_for_key_mode());
}

// Nothing of the key is left for the shell: an empty command line keeps the status, where a byte
// left over would make a command of it.
void expect_nothing_left(ShellSession& session, int status)
{
    session.run("");
    EXPECT_EQ(session.wait_for_prompt(), status);
    EXPECT_EQ(session.after_command(), std::string("<").append(std::to_string(status)) + ">$ ")
        << session.screen();
}

TEST(TerminalTest, ShowsSampleScreenAndEndsWithOneUnechoedKey)
{
    ShellSession session;
    answer_sample(session);
    session.type("\x1b[A");  // an arrow key: three bytes
    EXPECT_EQ(session.wait_for_prompt(), 0);
    EXPECT_EQ(session.after_command(),
              "Программа демонстрирует расчет полиномов по схеме Горнера\r\n"
              "с комплексными корнями\r\n"
              "Задайте порядок уравнения: 2\r\n"
              "Задайте коэффициенты полинома через пробел:\r\n"
              "от a0 при X в N-ой степени до aN свободный член\r\n"
              "a()= 1 0 1\r\n"
              "Задайте через пробел действительное и компл. значение корня: 0 1\r\n"
              "Значение полинома: y=0 0j\r\n"
              "Нажмите любую клавишу\r\n<0>$ ");
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
    expect_nothing_left(session, 0);
}

TEST(TerminalTest, KeyTypedBeforeTheWaitDoesNotEndIt)
{
    ShellSession session;
    answer_sample(session, program_command(), "x");
    EXPECT_EQ(session.wait_for_prompt(std::chrono::milliseconds(300)), std::nullopt);
    session.type("y");
    EXPECT_EQ(session.wait_for_prompt(), 0);
}

struct WaitEnding {
    std::string name;
    std::string key;  // typed at the wait, after the signal if there is one
    int signal = 0;
    bool ignored_by_caller = false;  // the signal, as nohup or a shell's trap '' ignores it
    std::chrono::milliseconds gap = std::chrono::milliseconds(5);  // between the key's bytes
    std::size_t bytes_before_signal = 0;  // of the key, read by the program before the signal
};

std::ostream& operator<<(std::ostream& out, const WaitEnding& c)
{
    return out << c.name;
}

// Every signal on its own is the table below this one; these are keys, and signals with a key.
const WaitEnding kWaitEndings[] = {
    {.name = "arrow_key", .key = "\x1b[A"},
    {.name = "function_key", .key = "\x1b[15~"},
    {.name = "cyrillic_letter", .key = "ж"},
    {.name = "ctrl_c_is_a_key", .key = "\x03"},
    {.name = "ctrl_z_is_a_key", .key = "\x1a"},
    {.name = "ctrl_backslash_is_a_key", .key = "\x1c"},
    {.name = "ctrl_s_is_a_key", .key = "\x13"},
    {.name = "ctrl_q_is_a_key", .key = "\x11"},
    // Bytes that come within the wait's patience belong to the key, and none reaches the shell.
    {.name = "function_key_over_a_slow_line",
     .key = "\x1b[15~",
     .gap = std::chrono::milliseconds(20)},
    // A 'fg' or 'kill -CONT' between them changes nothing: the rest is not echoed after the wait.
    {.name = "function_key_split_by_sigcont",
     .key = "\x1b[15~",
     .signal = SIGCONT,
     .gap = std::chrono::milliseconds(20),
     .bytes_before_signal = 1},
    {.name = "sighup_ignored", .key = "x", .signal = SIGHUP, .ignored_by_caller = true},
    {.name = "sigtstp_ignored", .key = "x", .signal = SIGTSTP, .ignored_by_caller = true},
};

class WaitEndingTest : public testing::TestWithParam<WaitEnding> {};

TEST_P(WaitEndingTest, LeavesTerminalAsItWas)
{
    const WaitEnding& c = GetParam();
    ShellSession session;
    answer_sample(session,
                  (c.ignored_by_caller ? "trap '' " + std::to_string(c.signal) + "; " : "") +
                      program_command());
    if (c.bytes_before_signal > 0 && !session.program_state_visible()) {
        GTEST_SKIP() << "/proc does not show this test the program's system calls";
    }
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
    EXPECT_EQ(session.wait_for_prompt(), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
    // What the shell writes next starts a line of its own, however the wait ended.
    EXPECT_TRUE(session.screen().ends_with("клавишу\r\n<0>$ ")) << session.screen();
    expect_nothing_left(session, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitEndingTest, testing::ValuesIn(kWaitEndings), CaseName{});

// Every signal the system has, sent during the wait under a shell that repairs nothing (dash),
// must leave what signal(7) says its default action leaves, and the terminal as it was. The
// expectations come from the manual's table, written here, not from the program's own list: a
// signal the program forgets, or one it takes for an ending signal wrongly, fails.
enum class Action { kEnd, kStop, kIgnore, kContinue };

struct ManualEntry {
    int number;
    const char* name;
    Action action;  // "Term" and "Core" both end the process
};

const ManualEntry kSignalManual[] = {
    {SIGABRT, "SIGABRT", Action::kEnd},      {SIGALRM, "SIGALRM", Action::kEnd},
    {SIGBUS, "SIGBUS", Action::kEnd},        {SIGCHLD, "SIGCHLD", Action::kIgnore},
    {SIGCONT, "SIGCONT", Action::kContinue}, {SIGFPE, "SIGFPE", Action::kEnd},
    {SIGHUP, "SIGHUP", Action::kEnd},        {SIGILL, "SIGILL", Action::kEnd},
    {SIGINT, "SIGINT", Action::kEnd},        {SIGIO, "SIGIO", Action::kEnd},
    {SIGKILL, "SIGKILL", Action::kEnd},      {SIGPIPE, "SIGPIPE", Action::kEnd},
    {SIGPROF, "SIGPROF", Action::kEnd},      {SIGPWR, "SIGPWR", Action::kEnd},
    {SIGQUIT, "SIGQUIT", Action::kEnd},      {SIGSEGV, "SIGSEGV", Action::kEnd},
    {SIGSTKFLT, "SIGSTKFLT", Action::kEnd},  {SIGSTOP, "SIGSTOP", Action::kStop},
    {SIGTSTP, "SIGTSTP", Action::kStop},     {SIGSYS, "SIGSYS", Action::kEnd},
    {SIGTERM, "SIGTERM", Action::kEnd},      {SIGTRAP, "SIGTRAP", Action::kEnd},
    {SIGTTIN, "SIGTTIN", Action::kStop},     {SIGTTOU, "SIGTTOU", Action::kStop},
    {SIGURG, "SIGURG", Action::kIgnore},     {SIGUSR1, "SIGUSR1", Action::kEnd},
    {SIGUSR2, "SIGUSR2", Action::kEnd},      {SIGVTALRM, "SIGVTALRM", Action::kEnd},
    {SIGXCPU, "SIGXCPU", Action::kEnd},      {SIGXFSZ, "SIGXFSZ", Action::kEnd},
    {SIGWINCH, "SIGWINCH", Action::kIgnore},
};

// What the manual says of a signal number: the table's entry; a real-time signal, which ends the
// process; or one of those the C library keeps for itself below SIGRTMIN, which no program can
// catch through it.
struct SignalCase {
    std::string name;
    Action action = Action::kEnd;
    bool catchable = true;
    bool in_manual = true;
};

SignalCase signal_case(int number)
{
    for (const ManualEntry& entry : kSignalManual) {
        if (entry.number == number) {
            return {entry.name, entry.action, number != SIGKILL && number != SIGSTOP};
        }
    }
    if (number >= SIGRTMIN) {
        return {"SIGRTMIN_plus_" + std::to_string(number - SIGRTMIN)};
    }
    if (number > SIGSYS) {
        return {"reserved_" + std::to_string(number), Action::kEnd, false};
    }
    return {"unknown_" + std::to_string(number), Action::kEnd, false, false};
}

class SignalTest : public testing::TestWithParam<int> {};

TEST_P(SignalTest, TakesTheDefaultActionAndLeavesTheTerminal)
{
    const int number = GetParam();
    const SignalCase c = signal_case(number);
    ASSERT_TRUE(c.in_manual) << "signal " << number << " is missing from the manual's table";
    ShellSession session;
    answer_sample(session);
    kill(session.program(), number);
    // dash reports a stop or an end in strsignal(3)'s words, after the program's line end where it
    // could write one; it says nothing of SIGPIPE, and only ends the line after SIGINT.
    const std::string request = c.catchable ? "клавишу\r\n" : "клавишу";
    if (c.action == Action::kStop) {
        EXPECT_TRUE(session.wait_for_screen_showing(request + "[1] + " + strsignal(number) + "  "))
            << session.screen();
        ASSERT_TRUE(session.wait_for_prompt());
        if (c.catchable) {
            EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
        }
        session.run("fg");
        // running again, and so past the shell's read of the line
        ASSERT_TRUE(session.wait_for_program_state('S'));
        ASSERT_TRUE(session.wait_for_key_mode());
    }
    if (c.action != Action::kEnd) {
        // still waiting, for a key that is not echoed
        ASSERT_TRUE(session.wait_until_delivered(number));
        session.type("x");
    }
    const int status = c.action == Action::kEnd ? 128 + number : 0;
    EXPECT_EQ(session.wait_for_prompt(), status);
    // Nothing can give the terminal back after a signal that cannot be caught and ends it.
    if (c.catchable || c.action != Action::kEnd) {
        EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
    }
    if (c.action != Action::kStop) {
        const std::string report = c.action != Action::kEnd || number == SIGPIPE ? ""
                                   : number == SIGINT                            ? "\r\n"
                                                      : std::string(strsignal(number)) + "\r\n";
        // where core files go to a program, a limit of 0 does not keep them from being written
        const std::string screen =
            std::regex_replace(session.screen(), std::regex(" \\(core dumped\\)"), "");
        EXPECT_TRUE(screen.ends_with(request + report + "<" + std::to_string(status) + ">$ "))
            << session.screen();
    }
}

INSTANTIATE_TEST_SUITE_P(EverySignal, SignalTest, testing::Range(1, SIGRTMAX + 1),
                         [](const testing::TestParamInfo<int>& param_info) {
                             return signal_case(param_info.param).name;
                         });

// With the terminal beyond what select() can watch, the key is what the first read brings, and
// the rest of a paste is dropped as the wait ends, never left for the shell.
TEST(TerminalTest, PasteEndsWaitWhereSelectCannotWatch)
{
    const rlim_t crowded = FD_SETSIZE + 16;
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_max < crowded) {
        GTEST_SKIP() << "this machine allows no descriptor beyond FD_SETSIZE";
    }
    // bash, as dash takes no descriptor above 9; 255, bash's own, is taken by the program's line
    ShellSession session(Shell::kBash);
    answer_sample(session, "(ulimit -n " + std::to_string(crowded) + "; for d in $(seq 3 " +
                               std::to_string(FD_SETSIZE - 1) +
                               "); do eval \"exec $d</dev/null\"; done; " + program_command() +
                               " 255</dev/null)");
    session.type(std::string(200, 'x'));
    EXPECT_EQ(session.wait_for_prompt(), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
    expect_nothing_left(session, 0);
}

// Where the answers come from: typed at the terminal, or a file or a pipe that holds them.
enum class Answers { kTyped, kFromFile, kFromPipe, kUnreadable };

struct ErrorLine {
    std::string name;
    std::string typed = {};                  // at the first prompt
    std::string typed_at_coefficients = {};  // once their prompt is on the screen
    Answers answers = Answers::kTyped;
    std::string file_or_pipe = {};  // what the file or the pipe holds
    // Standard output or error sent to a file: with output there the screen shows no prompt and
    // no request, and that file or the screen begins with the error line itself.
    int descriptor_in_file = -1;
    // The error line and what precedes it, as it stands on the screen (or at the start of the
    // file): the prompt and the echo of what was typed, then a line end only where the user's
    // Enter did not already make one.
    std::string shown;
};

std::ostream& operator<<(std::ostream& out, const ErrorLine& c)
{
    return out << c.name;
}

const ErrorLine kErrorLines[] = {
    {.name = "input_ended_at_prompt",
     .typed = "\x04",
     .shown = "уравнения: \r\nОшибка: ввод закончился, а ожидался порядок уравнения"},
    {.name = "answer_typed_after_prompt",
     .typed = "abc\n",
     .shown = "уравнения: abc\r\nОшибка: введено 'abc',\r\nа ожидался порядок"},
    {.name = "answers_typed_ahead",
     .typed = "1 x\n",
     .shown = "a()= \r\nОшибка: введено 'x',\r\nа ожидался коэффициент a0"},
    {.name = "answers_on_one_line_then_enter",
     .typed = "2\n",
     .typed_at_coefficients = "1 0 x\n",
     .shown = "a()= 1 0 x\r\nОшибка: введено 'x',\r\nа ожидался коэффициент a2"},
    {.name = "answer_typed_after_blanks",
     .typed = "1 \n",
     .typed_at_coefficients = "x\n",
     .shown = "a()= x\r\nОшибка: введено 'x',\r\nа ожидался коэффициент a0"},
    // A whole word before Ctrl+D is answered at once, without a second Ctrl+D or an Enter.
    {.name = "word_before_ctrl_d",
     .typed = "1 \x04",
     .typed_at_coefficients = "2 x\n",
     .shown = "a()= 2 x\r\nОшибка: введено 'x',\r\nа ожидался коэффициент a1"},
    {.name = "ctrl_d_at_coefficients_after_enter",
     .typed = "2\n",
     .typed_at_coefficients = "\x04",
     .shown = "a()= \r\nОшибка: ввод закончился, а ожидался коэффициент"},
    // One read takes the whole line however long, so the error knows that the user's Enter ended
    // it, even where the bad word comes early.
    {.name = "bad_word_early_in_a_long_line",
     .typed = "2\n",
     .typed_at_coefficients = "1 x 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n",
     .shown = " 0 0\r\nОшибка: введено 'x',\r\nа ожидался коэффициент a1"},
    // Ctrl+D leaves the cursor where it was: behind the blank, or behind the word itself.
    {.name = "word_and_blank_then_ctrl_d",
     .typed = "abc \x04",
     .shown = "уравнения: abc \r\nОшибка: введено 'abc',\r\nа"},
    {.name = "word_then_ctrl_d_twice",
     .typed = "abc\x04\x04",
     .shown = "уравнения: abc\r\nОшибка: введено 'abc',\r\nа"},
    // Each prompt starts a new answer: the line typed at the coefficients was not typed at the
    // question for the point.
    {.name = "answers_typed_ahead_of_the_point",
     .typed = "1\n",
     .typed_at_coefficients = "2 3 x\n",
     .shown = "корня: \r\nОшибка: введено 'x',\r\nа ожидалась действительная часть"},
    // Answers that are not typed are not echoed: whatever they end with, the cursor stands
    // behind the prompt.
    {.name = "bad_order_from_a_pipe",
     .answers = Answers::kFromPipe,
     .file_or_pipe = "abc\n",
     .shown = "уравнения: \r\nОшибка: введено 'abc',\r\nа"},
    {.name = "bad_order_from_a_file",
     .answers = Answers::kFromFile,
     .file_or_pipe = "abc\n",
     .shown = "уравнения: \r\nОшибка: введено 'abc',\r\nа"},
    {.name = "bad_a2_from_a_file",
     .answers = Answers::kFromFile,
     .file_or_pipe = "2\n1 0 x\n",
     .shown = "a()= \r\nОшибка: введено 'x',\r\nа ожидался коэффициент a2"},
    {.name = "input_unreadable",
     .answers = Answers::kUnreadable,
     .shown = "уравнения: \r\nОшибка: не удалось прочитать"},
    {.name = "output_in_a_file",
     .typed = "\x04",
     .descriptor_in_file = STDOUT_FILENO,
     .shown = "Ошибка: ввод закончился,"},
    {.name = "errors_in_a_file",
     .typed = "\x04",
     .descriptor_in_file = STDERR_FILENO,
     .shown = "Ошибка: ввод закончился,"},
};

class ErrorLineTest : public testing::TestWithParam<ErrorLine> {};

TEST_P(ErrorLineTest, StartsOnALineOfItsOwn)
{
    const ErrorLine& c = GetParam();
    const ScratchFile file("error-line");
    const ScratchFile answers("answers");
    std::string command = program_command();
    if (c.answers == Answers::kFromFile) {
        std::ofstream(answers.path) << c.file_or_pipe;
        command += " < '" + answers.path + "'";
    } else if (c.answers == Answers::kFromPipe) {
        command = "printf '" + std::regex_replace(c.file_or_pipe, std::regex("\n"), "\\n") +
                  "' | " + command;
    } else if (c.answers == Answers::kUnreadable) {
        command += " < /";
    }
    if (c.descriptor_in_file >= 0) {
        command += " " + std::to_string(c.descriptor_in_file) + ">'" + file.path + "'";
    }
    ShellSession session;
    session.run(command);
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
    EXPECT_EQ(session.wait_for_prompt(), 1);
    const std::string shown =
        c.descriptor_in_file == STDERR_FILENO ? take_file(file.path) : session.after_command();
    // Found as it stands, followed by the rest of the error line; at the very start where the
    // prompts went elsewhere.
    const std::size_t at = shown.find(c.shown + " ");
    EXPECT_TRUE(c.descriptor_in_file < 0 ? at != std::string::npos : at == 0) << shown;
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorLineTest, testing::ValuesIn(kErrorLines), CaseName{});

// A key typed while the job is stopped waits in the terminal, and is the key after 'fg'. At its
// prompt the shell would read the key itself, so it is kept busy until the key is on the screen:
// it waits for a file that the test makes then.
TEST(TerminalTest, KeyTypedWhileStoppedIsTheKey)
{
    ShellSession session;
    answer_sample(session);
    kill(session.program(), SIGTSTP);
    ASSERT_TRUE(session.wait_for_prompt());
    const ScratchFile typed("key-typed");
    session.run("until [ -e '" + typed.path + "' ]; do sleep 0.01; done; fg");
    // echoed, as the terminal has the shell's settings while the job is stopped
    session.type("x");
    ASSERT_TRUE(session.wait_for_screen_ending("fg\r\nx"));
    std::ofstream(typed.path).close();
    EXPECT_EQ(session.wait_for_prompt(), 0);
    // 'fg' names the job, which then writes nothing more
    EXPECT_TRUE(std::regex_match(session.after_command(), std::regex("x[^\r]+\r\n<0>\\$ ")))
        << session.screen();
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
}

// The program as a job of the shells users have: bash (Linux), dash (Debian's /bin/sh) and zsh
// (macOS), stopped during the wait by a signal it can catch or by SIGSTOP, or started in the
// background; then brought back with 'fg', continued with 'bg', or ended with SIGTERM and
// SIGCONT as 'kill %1' sends them. At every prompt the terminal has the shell's own prompt
// settings, and the job never writes its own over them from the background.
enum class Then { kForeground, kBackgroundThenForeground, kBackgroundThenKill, kKill, kBackground };

struct Job {
    std::string name;
    int signal = 0;  // 0: started in the background, where it stops as it takes the terminal
    Then then = Then::kForeground;
    int stops = 1;  // each but the last followed by 'fg'
};

std::ostream& operator<<(std::ostream& out, const Job& c)
{
    return out << c.name;
}

const Job kJobs[] = {
    {.name = "sigtstp_then_fg", .signal = SIGTSTP},
    {.name = "sigtstp_fg_sigtstp_then_fg", .signal = SIGTSTP, .stops = 2},
    {.name = "sigttin_then_fg", .signal = SIGTTIN},
    {.name = "sigstop_then_fg", .signal = SIGSTOP},
    {.name = "sigtstp_bg_then_fg", .signal = SIGTSTP, .then = Then::kBackgroundThenForeground},
    {.name = "sigstop_bg_then_fg", .signal = SIGSTOP, .then = Then::kBackgroundThenForeground},
    {.name = "sigstop_bg_then_kill", .signal = SIGSTOP, .then = Then::kBackgroundThenKill},
    {.name = "sigtstp_then_kill", .signal = SIGTSTP, .then = Then::kKill},
    {.name = "sigstop_then_kill", .signal = SIGSTOP, .then = Then::kKill},
    {.name = "background_start_then_fg"},
    {.name = "background_start_then_bg", .then = Then::kBackground},
    {.name = "background_start_then_kill", .then = Then::kKill},
};

class JobTest : public testing::TestWithParam<std::tuple<Shell, Job>> {};

TEST_P(JobTest, LeavesTheShellItsSettings)
{
    const auto& [shell, c] = GetParam();
    ShellSession session(shell);
    const std::string program = program_command();
    const ScratchFile answers("job-answers");
    std::ofstream(answers.path) << "2 1 0 1 0 1";
    // SIGSTOP runs no handler, and dash, unlike bash and zsh, gives its prompt no settings of its
    // own: until the job runs again, the wait's settings are still on the terminal.
    const bool settings_left_by_stop = c.signal == SIGSTOP && shell == Shell::kDash;
    const auto at_prompt_with_shell_settings = [&](const char* when) {
        ASSERT_TRUE(session.wait_for_prompt()) << when << session.screen();
        EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()))
            << when << session.screen();
    };
    if (c.signal == 0) {
        session.run(program + " < '" + answers.path + "' &");
        ASSERT_GT(session.wait_for_program(), 0);
        ASSERT_TRUE(session.wait_for_program_state('T')) << session.screen();
        at_prompt_with_shell_settings("started in the background: ");
    } else {
        session.run("printf '2 1 0 1 0 1' | " + program);
        ASSERT_GT(session.wait_for_program(), 0);
        ASSERT_TRUE(session.wait_for_screen_ending("Нажмите любую клавишу"));
        ASSERT_TRUE(session.wait_for_key_mode());
    }
    for (int stop = 1; c.signal != 0 && stop <= c.stops; ++stop) {
        if (stop > 1) {
            session.run("fg");
            ASSERT_TRUE(session.wait_for_key_mode());
        }
        kill(session.wait_for_program(), c.signal);
        ASSERT_TRUE(session.wait_for_program_state('T'));
        if (!settings_left_by_stop) {
            at_prompt_with_shell_settings("stopped: ");
        }
        if (stop > 1 && shell == Shell::kDash) {
            // the request's line was ended at the first stop, and dash adds no empty line
            EXPECT_EQ(session.after_command().find("\r\n\r\n"), std::string::npos)
                << session.screen();
        }
        if (c.signal != SIGSTOP && stop == 1) {
            // the shell's report of the stop starts a line of its own
            EXPECT_TRUE(session.wait_for_screen_showing("клавишу\r\n")) << session.screen();
        }
    }
    if (c.then == Then::kBackgroundThenForeground || c.then == Then::kBackgroundThenKill ||
        c.then == Then::kBackground) {
        const long switches = session.program_switches();
        session.run("bg");
        if (c.then == Then::kBackground) {
            // never in the foreground, it ends without the wait it cannot have
            ASSERT_TRUE(session.wait_until_program_ended());
        } else {
            // it stops again as it reads a terminal that is not its own
            ASSERT_TRUE(session.wait_for_new_stop(switches));
        }
        at_prompt_with_shell_settings("continued in the background: ");
    }
    if (c.then == Then::kKill || c.then == Then::kBackgroundThenKill) {
        kill(session.wait_for_program(), SIGTERM);
        kill(session.wait_for_program(), SIGCONT);
        ASSERT_TRUE(session.wait_until_program_ended());
        session.run("");  // dash tells of a job's end only before its next prompt
        EXPECT_TRUE(session.wait_for_screen_showing("erminated")) << session.screen();
    } else if (c.then != Then::kBackground) {
        session.run("fg");
        // Running again, and so past the shell's read of the line: under dash after SIGSTOP the
        // terminal is byte at a time already, and a key typed sooner could reach the shell.
        ASSERT_TRUE(session.wait_for_program_state('S')) << session.screen();
        ASSERT_TRUE(session.wait_for_key_mode()) << session.screen();
        session.type("x");
        EXPECT_EQ(session.wait_for_prompt(), 0) << session.screen();
    }
    at_prompt_with_shell_settings("at the end: ");
}

INSTANTIATE_TEST_SUITE_P(Cases, JobTest,
                         testing::Combine(testing::Values(Shell::kBash, Shell::kDash, Shell::kZsh),
                                          testing::ValuesIn(kJobs)),
                         [](const testing::TestParamInfo<std::tuple<Shell, Job>>& param_info) {
                             return std::string(shell_name(std::get<0>(param_info.param))) + "_" +
                                    std::get<1>(param_info.param).name;
                         });

// With SIGTTOU ignored the program started in the background cannot stop, and ends without the
// wait, and the shell's 'wait' has its status.
TEST(TerminalTest, BackgroundStartWithSigttouIgnoredEndsWithoutWait)
{
    ShellSession session;
    session.run("trap '' TTOU; " + kSampleAnswers + program_command() + " & wait $!");
    EXPECT_EQ(session.wait_for_prompt(), 0);
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
}

// With its output in a file the request cannot be seen: no wait, and the line end that follows
// a key at the terminal never reaches the file.
TEST(JobControlTest, OutputToFileEndsWithoutWaiting)
{
    const ScratchFile output("terminal-output");
    ShellSession session;
    session.run(kSampleAnswers + program_command() + " > '" + output.path + "'");
    EXPECT_EQ(session.wait_for_prompt(), 0);
    const std::string written = take_file(output.path);
    EXPECT_TRUE(written.ends_with("y=0 0j\nНажмите любую клавишу")) << written;
    EXPECT_TRUE(same_settings(session.settings(), session.prompt_settings()));
}

// A reader that has gone ('horner | head -1' once head has its line) ends the program as it ends
// cat and grep: by SIGPIPE, which the shell reports as 141, with nothing on standard error.
TEST(ExitTest, ClosedPipeEndsTheProgramBySigpipe)
{
    const ChildResult run =
        run_child(program_under_test(), {}, "", {.output_room = 0, .reader_gone = true});
    EXPECT_EQ(run.status, 128 + SIGPIPE);
    EXPECT_EQ(run.err, "");
}

}  // namespace
