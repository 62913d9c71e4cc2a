// POSIX systems: terminals take UTF-8, which is how the program's texts are held, so they are
// written as they are. The key is read from the controlling terminal rather than standard input,
// which may be a pipe or a file.

#include <fcntl.h>
#include <poll.h>
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

namespace {

// An arrow key, a function key or a multibyte letter arrives as several bytes in quick
// succession; whatever follows the first byte within this time belongs to the same key.
constexpr int kKeyTailMilliseconds = 50;

// Signals that another process may send during the wait. The terminal must not be left without
// echo when one of them ends the program.
constexpr int kRestoringSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

// Read by the signal handler, so kept where it can reach them.
int g_terminal = -1;
termios g_saved_settings;

extern "C" void restore_terminal_and_reraise(int signal_number)
{
    tcsetattr(g_terminal, TCSANOW, &g_saved_settings);
    static_cast<void>(std::signal(signal_number, SIG_DFL));
    static_cast<void>(std::raise(signal_number));
}

void install_restoring_handlers(struct sigaction (&previous)[std::size(kRestoringSignals)])
{
    struct sigaction restoring {};
    restoring.sa_handler = restore_terminal_and_reraise;
    sigemptyset(&restoring.sa_mask);
    for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
        sigaction(kRestoringSignals[i], nullptr, &previous[i]);
        // A signal the caller chose to ignore (nohup) stays ignored.
        if (previous[i].sa_handler != SIG_IGN) {
            sigaction(kRestoringSignals[i], &restoring, nullptr);
        }
    }
}

void restore_handlers(const struct sigaction (&previous)[std::size(kRestoringSignals)])
{
    for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
        sigaction(kRestoringSignals[i], &previous[i], nullptr);
    }
}

ssize_t read_retrying(int descriptor, unsigned char* buffer, std::size_t size)
{
    ssize_t got = 0;
    do {
        got = read(descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

void read_one_key(int terminal)
{
    unsigned char bytes[64];
    if (read_retrying(terminal, bytes, sizeof bytes) <= 0) {
        return;
    }
    pollfd more{terminal, POLLIN, 0};
    while (poll(&more, 1, kKeyTailMilliseconds) > 0 && (more.revents & POLLIN) != 0 &&
           read_retrying(terminal, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

void wait_for_key()
{
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        return;  // no controlling terminal: nobody could press a key
    }
    termios settings{};
    if (tcgetattr(terminal, &settings) != 0) {
        close(terminal);
        return;
    }
    g_terminal = terminal;
    g_saved_settings = settings;
    struct sigaction previous[std::size(kRestoringSignals)];
    install_restoring_handlers(previous);

    // Byte at a time, no echo; the signal and flow-control keys become ordinary keys, so Ctrl+C
    // ends the wait like any other key instead of killing the program.
    settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    // TCSAFLUSH drops what was typed before the wait, so only a fresh key ends it.
    if (tcsetattr(terminal, TCSAFLUSH, &settings) == 0) {
        read_one_key(terminal);
    }

    // TCSAFLUSH again drops anything of the key that came late, so none of it reaches the shell.
    tcsetattr(terminal, TCSAFLUSH, &g_saved_settings);
    restore_handlers(previous);
    // The prompt before the wait has no line end; give the shell's prompt a line of its own
    // without touching standard output.
    static_cast<void>(write(terminal, "\n", 1));
    close(terminal);
    g_terminal = -1;
}
