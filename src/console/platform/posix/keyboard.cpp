// POSIX systems: the key is read from the controlling terminal rather than standard input,
// which may be a pipe or a file.

#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "console/platform/keyboard.h"

namespace {

// An arrow key, a function key or a multibyte letter arrives as several bytes in quick
// succession; whatever follows the first byte within this time belongs to the same key.
constexpr suseconds_t kKeyTailMicroseconds = 50000;

// What the signal handlers need, kept where they can reach it. The settings are written before
// the handlers are installed, and only read while they are.
volatile std::sig_atomic_t g_terminal = -1;
termios g_saved_settings;
termios g_wait_settings;
// The wait's settings are (or are about to be) on the terminal: set before they are applied and
// cleared once the saved ones are back, so that restoring early writes settings the terminal
// still has rather than leave it changed.
volatile std::sig_atomic_t g_restore_needed = 0;
// A continue signal in the foreground puts the wait's settings back. Cleared before any restore
// that ends the wait, so that no continue signal can put them back after it.
volatile std::sig_atomic_t g_reapply_on_continue = 0;
// The request for a key has its line end: a signal that ended or stopped the wait wrote it.
volatile std::sig_atomic_t g_request_line_ended = 0;

bool same_settings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// Set from the handlers alone, whose mask blocks SIGTTOU among the other handled signals: a job in
// the background that touches the terminal is stopped with SIGTTOU, and so would be a handler
// restoring it, and the program could then not end until brought to the foreground.
//
// In the foreground the terminal is the program's own. In the background it belongs to the
// shell or another job, whose settings are left alone: only the wait's own, still there because
// the program was stopped by a signal it cannot catch (SIGSTOP) under a shell that repairs
// nothing (dash), are undone.
void give_terminal_back()
{
    if (g_restore_needed == 0) {
        return;
    }
    termios now{};
    if (tcgetpgrp(g_terminal) == getpgrp() ||
        (tcgetattr(g_terminal, &now) == 0 && same_settings(now, g_wait_settings))) {
        tcsetattr(g_terminal, TCSANOW, &g_saved_settings);
    }
    g_restore_needed = 0;
}

// The request for a key has no line end of its own. Whatever the shell writes once the program
// has ended or stopped ("Terminated", "[1] + Stopped") must start a line of its own; but only in
// the foreground, where the request is the last thing on the screen, and only once.
void end_request_line()
{
    if (g_request_line_ended == 0 && tcgetpgrp(g_terminal) == getpgrp()) {
        [[maybe_unused]] const ssize_t written = write(g_terminal, "\n", 1);
        g_request_line_ended = 1;
    }
}

// The signals the wait takes care of: those whose default action ends the process, as signal(7)
// and POSIX list them, so that whichever ends it the terminal is not left without echo; those
// whose default action stops it, given the terminal back first; and the continue signal. Those
// that only some systems have are asked for by name. SIGIO is named only as SIGPOLL, POSIX's
// name for it: where the two differ (the BSDs, macOS), SIGIO is ignored by default. The faults
// among them would come from the program itself. The real-time signals, as the system numbers
// them, end the process too.
constexpr int kWaitSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,  SIGFPE,
    SIGUSR1,   SIGSEGV, SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGVTALRM,
    SIGPROF,   SIGXFSZ, SIGSYS,  SIGTSTP, SIGTTIN, SIGTTOU, SIGCONT,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGEMT
    SIGEMT,
#endif
#ifdef SIGLOST
    SIGLOST,
#endif
};

// The signal, raised again once the terminal is given back, takes its default action as soon as
// it is unblocked here: the process ends (with a core dump where that is the default) as the
// sender meant, or stops, as less and vim do, until the continue signal puts the wait's own
// settings back if the program is then in the foreground. The default action is set explicitly:
// some systems keep the handler of SIGILL and SIGTRAP despite SA_RESETHAND.
void restore_then_default_action(int signal_number)
{
    if (signal_number != SIGTSTP && signal_number != SIGTTIN && signal_number != SIGTTOU) {
        g_reapply_on_continue = 0;
    }
    give_terminal_back();
    end_request_line();
    struct sigaction default_action {};
    struct sigaction ours {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    sigaction(signal_number, &default_action, &ours);
    sigset_t this_signal;
    sigemptyset(&this_signal);
    sigaddset(&this_signal, signal_number);
    static_cast<void>(std::raise(signal_number));
    sigprocmask(SIG_UNBLOCK, &this_signal, nullptr);  // ends here, or stops until continued
    sigprocmask(SIG_BLOCK, &this_signal, nullptr);
    sigaction(signal_number, &ours, nullptr);
}

// The one handler of them all; the code it interrupted finds errno as it left it. After a stop
// and 'fg' the wait needs its settings again, as a full-screen program redraws. In the background
// the terminal belongs to another job: nothing is touched, so that 'kill %1' (SIGTERM, then
// SIGCONT) ends the program at once.
void on_wait_signal(int signal_number)
{
    const int saved_errno = errno;
    if (signal_number != SIGCONT) {
        restore_then_default_action(signal_number);
    } else if (g_reapply_on_continue != 0 && tcgetpgrp(g_terminal) == getpgrp()) {
        g_restore_needed = 1;
        tcsetattr(g_terminal, TCSANOW, &g_wait_settings);
    }
    errno = saved_errno;
}

// The handlers stay once the wait is over: the program ends then, and with nothing left to give
// back they only pass each signal on to its default action.
void install_handlers()
{
    // No handler interrupts another, so each sees the flags as the one before left them, and none
    // is stopped by SIGTTOU while it sets the terminal. Only a stop and a continue return from
    // their handler, and the key's read goes on after them.
    sigset_t all{};
    sigemptyset(&all);
    for (const int number : kWaitSignals) {
        sigaddset(&all, number);
    }
#ifdef SIGRTMIN
    for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) {
        sigaddset(&all, number);
    }
#endif
    for (int number = 1; number < NSIG; ++number) {
        // A signal the caller chose to ignore (nohup, a shell's trap '') stays ignored.
        struct sigaction previous {};
        if (sigismember(&all, number) != 1 || sigaction(number, nullptr, &previous) != 0 ||
            previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = on_wait_signal;
        action.sa_mask = all;
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
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

ssize_t read_retrying(int descriptor, void* buffer, std::size_t size)
{
    ssize_t got = 0;
    do {
        got = read(descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

// select() rather than poll(): poll() does not work on terminal devices everywhere (macOS). A
// descriptor that fd_set cannot hold ends the key with its first bytes.
bool more_arrives_soon(int terminal)
{
    if (terminal >= FD_SETSIZE) {
        return false;
    }
    int ready_count = 0;
    do {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(terminal, &ready);
        timeval patience{0, kKeyTailMicroseconds};
        ready_count = select(terminal + 1, &ready, nullptr, nullptr, &patience);
    } while (ready_count < 0 && errno == EINTR);
    return ready_count > 0;
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

std::ptrdiff_t read_standard_input(char* buffer, std::size_t size)
{
    return read_retrying(STDIN_FILENO, buffer, size);
}

bool standard_input_is_terminal()
{
    return isatty(STDIN_FILENO) != 0;
}

// SIGINT's default action ends the program, and the shell reports the failure (status 130) on a
// line of its own; the wait makes Ctrl+C an ordinary key by itself.
void handle_interrupt_keys() {}

void wait_for_key()
{
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        return;  // no controlling terminal: nobody could press a key
    }
    // Settings read while the program is in the foreground are its own; a stop and 'bg' just
    // before they are read would have given it the shell's, so they are read again.
    termios settings{};
    bool in_foreground = false;
    do {
        in_foreground = wait_for_foreground(terminal) && tcgetattr(terminal, &settings) == 0;
    } while (in_foreground && tcgetpgrp(terminal) != getpgrp());
    if (!in_foreground) {
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
    g_request_line_ended = 0;
    // What the handlers read is in place before any of them can run.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    install_handlers();

    // TCSAFLUSH drops what was typed before the wait, so only a fresh key ends it.
    g_restore_needed = 1;
    g_reapply_on_continue = 1;
    if (tcsetattr(terminal, TCSAFLUSH, &settings) == 0) {
        read_one_key(terminal);
    }

    // TCSAFLUSH again drops anything of the key that came late, so none of it reaches the shell.
    g_reapply_on_continue = 0;
    while (tcsetattr(terminal, TCSAFLUSH, &g_saved_settings) != 0 && errno == EINTR) {
    }
    g_restore_needed = 0;
    // The request has no line end; give the shell's prompt a line of its own without touching
    // standard output. A terminal that takes no line end needs nothing more.
    if (g_request_line_ended == 0) {
        [[maybe_unused]] const ssize_t written = write(terminal, "\n", 1);
    }
    close(terminal);
    g_terminal = -1;
}
