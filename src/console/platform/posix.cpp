// POSIX systems: terminals take UTF-8, which is how the program's texts are held, so they are
// written as they are. The key is read from the controlling terminal rather than standard input,
// which may be a pipe or a file.

#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

#include "console/platform/platform.h"

void convert_to_console_encoding(const char* text, std::size_t length, char* converted)
{
    std::memcpy(converted, text, length);
}

// A terminal takes the same bytes as a file.
bool write_to_console(std::ostream& /*out*/, const char* /*text*/, std::size_t /*length*/)
{
    return false;
}

namespace {

// An arrow key, a function key or a multibyte letter arrives as several bytes in quick
// succession; whatever follows the first byte within this time belongs to the same key.
constexpr suseconds_t kKeyTailMicroseconds = 50000;

// Signals that another process may send during the wait. The terminal must not be left without
// echo when one of them ends the program.
constexpr int kRestoringSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr std::size_t kHandledSignals = std::size(kRestoringSignals) + 1;  // and SIGCONT

// What the signal handlers need, kept where they can reach it.
int g_terminal = -1;
termios g_saved_settings;
termios g_wait_settings;
// Both set just before the wait's settings are applied. Restoring when the change had not yet
// taken effect writes the settings the terminal still has, so the first is cleared only once the
// saved settings are back; the second is cleared before that, so that a continue signal then
// cannot put the wait's settings back after the wait.
volatile std::sig_atomic_t g_restore_needed = 0;
volatile std::sig_atomic_t g_reapply_on_continue = 0;

// A job in the background that touches the terminal is stopped with SIGTTOU, and so would be a
// handler restoring it: the program could then not end until brought to the foreground.
void set_terminal_unstoppably(const termios& settings)
{
    sigset_t stop_signal;
    sigset_t previous;
    sigemptyset(&stop_signal);
    sigaddset(&stop_signal, SIGTTOU);
    sigprocmask(SIG_BLOCK, &stop_signal, &previous);
    tcsetattr(g_terminal, TCSANOW, &settings);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

// Installed with SA_RESETHAND: the signal raised again takes its default action once the handler
// returns, and the process ends as the sender meant.
void restore_terminal_and_reraise(int signal_number)
{
    if (g_restore_needed != 0) {
        set_terminal_unstoppably(g_saved_settings);
    }
    static_cast<void>(std::raise(signal_number));
}

// After a stop and 'fg' the shell has put back its own settings: the wait needs its own again,
// as a full-screen program redraws. In the background this stops until 'fg', as it should.
void reapply_wait_settings(int /*signal_number*/)
{
    const int saved_errno = errno;
    if (g_reapply_on_continue != 0) {
        tcsetattr(g_terminal, TCSANOW, &g_wait_settings);
    }
    errno = saved_errno;
}

using PreviousActions = struct sigaction[kHandledSignals];

void install_handlers(PreviousActions& previous)
{
    struct sigaction restoring {};
    restoring.sa_handler = restore_terminal_and_reraise;
    restoring.sa_flags = static_cast<int>(SA_RESETHAND);
    sigemptyset(&restoring.sa_mask);
    for (const int signal_number : kRestoringSignals) {
        sigaddset(&restoring.sa_mask, signal_number);
    }
    for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
        sigaction(kRestoringSignals[i], nullptr, &previous[i]);
        // A signal the caller chose to ignore (nohup) stays ignored.
        if (previous[i].sa_handler != SIG_IGN) {
            sigaction(kRestoringSignals[i], &restoring, nullptr);
        }
    }
    struct sigaction continuing {};
    continuing.sa_handler = reapply_wait_settings;
    continuing.sa_flags = SA_RESTART;
    sigemptyset(&continuing.sa_mask);
    sigaction(SIGCONT, &continuing, &previous[std::size(kRestoringSignals)]);
}

void restore_handlers(const PreviousActions& previous)
{
    for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
        sigaction(kRestoringSignals[i], &previous[i], nullptr);
    }
    sigaction(SIGCONT, &previous[std::size(kRestoringSignals)], nullptr);
}

// As a shell does when it starts: a job in the background stops until it is brought to the
// foreground, so that the settings it saves are its own, not those of the shell's prompt.
// False where that cannot happen (a job continued in the background, or one that cannot stop).
bool wait_for_foreground(int terminal)
{
    if (tcgetpgrp(terminal) == getpgrp()) {
        return true;
    }
    struct sigaction stop_action {};
    sigaction(SIGTTOU, nullptr, &stop_action);
    if (stop_action.sa_handler != SIG_DFL) {
        return false;
    }
    static_cast<void>(kill(0, SIGTTOU));
    return tcgetpgrp(terminal) == getpgrp();
}

ssize_t read_retrying(int descriptor, unsigned char* buffer, std::size_t size)
{
    ssize_t got = 0;
    do {
        got = read(descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

// select() rather than poll(): poll() does not work on terminal devices everywhere (macOS).
bool more_arrives_soon(int terminal)
{
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(terminal, &ready);
    timeval patience{0, kKeyTailMicroseconds};
    return select(terminal + 1, &ready, nullptr, nullptr, &patience) > 0;
}

void read_one_key(int terminal)
{
    unsigned char bytes[64];
    if (read_retrying(terminal, bytes, sizeof bytes) <= 0) {
        return;
    }
    while (more_arrives_soon(terminal) && read_retrying(terminal, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

bool standard_output_is_terminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

bool standard_error_is_terminal()
{
    return isatty(STDERR_FILENO) != 0;
}

void wait_for_key()
{
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        return;  // no controlling terminal: nobody could press a key
    }
    termios settings{};
    if (!wait_for_foreground(terminal) || tcgetattr(terminal, &settings) != 0) {
        close(terminal);
        return;
    }
    g_terminal = terminal;
    g_saved_settings = settings;
    // Byte at a time, no echo; the signal and flow-control keys become ordinary keys, so Ctrl+C,
    // Ctrl+S or Ctrl+\ end the wait like any other key instead of acting on the program.
    settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    g_wait_settings = settings;
    PreviousActions previous;
    install_handlers(previous);

    // TCSAFLUSH drops what was typed before the wait, so only a fresh key ends it.
    g_restore_needed = 1;
    g_reapply_on_continue = 1;
    if (tcsetattr(terminal, TCSAFLUSH, &settings) == 0) {
        read_one_key(terminal);
    }

    // TCSAFLUSH again drops anything of the key that came late, so none of it reaches the shell.
    g_reapply_on_continue = 0;
    tcsetattr(terminal, TCSAFLUSH, &g_saved_settings);
    g_restore_needed = 0;
    restore_handlers(previous);
    // The prompt before the wait has no line end; give the shell's prompt a line of its own
    // without touching standard output. A terminal that takes no line end needs nothing more.
    [[maybe_unused]] const ssize_t written = write(terminal, "\n", 1);
    close(terminal);
    g_terminal = -1;
}
