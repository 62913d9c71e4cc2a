#pragma once

// The real executable in a pseudo-terminal, as a stand-in for an interactive shell runs it, for
// the rows that no real shell can make (see support/shell_session.h for those it can): a job in a
// process group of its own, typed at as a person would, stopped, continued and ended by signals,
// with the screen, the terminal's settings and its queue there to look at. Linux only (forkpty,
// /proc).

#include <sys/resource.h>
#include <sys/select.h>
#include <sys/types.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

inline constexpr auto kPatience = std::chrono::seconds(10);

bool same_settings(const termios& a, const termios& b);

// How the program is started, as a shell would start it.
struct Launch {
    bool background = false;
    int ignored_signal = 0;        // ignored by the caller, as nohup does
    std::string redirection = {};  // of standard input or output, in the shell's words
    // A shell command whose output is piped into the program's standard input.
    std::string piped_from = {};
    // Every descriptor below FD_SETSIZE taken, so that the one the program opens for the terminal
    // lies beyond what select() can watch.
    bool crowded_descriptors = false;
};

inline constexpr rlim_t kCrowdedDescriptors = FD_SETSIZE + 16;

// A pseudo-terminal with a child process on its other side: what a test types there, the screen
// that the child's output builds, and the terminal's settings, read through a descriptor of the
// terminal's own side.
class PseudoTerminal {
public:
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    void type(const std::string& keys) const;

    // Reads the screen until it ends with text, or shows it after from; false if it never does
    // within the patience.
    bool wait_for_screen_ending(const std::string& text);
    bool wait_for_screen_showing(const std::string& text, std::size_t from);

    termios settings() const;
    const std::string& screen() const { return screen_; }

protected:
    PseudoTerminal() = default;
    ~PseudoTerminal();

    // forkpty: 0 in the child, which runs on the new terminal; the child's number here.
    pid_t fork_on_terminal();
    // Adds what came to the screen, waiting up to milliseconds; false if nothing came.
    bool read_screen(int milliseconds);

    int master_ = -1;
    int terminal_ = -1;
    std::string screen_;
};

class TerminalSession : public PseudoTerminal {
public:
    explicit TerminalSession(const Launch& launch = {});
    ~TerminalSession();

    // The signal that stopped the job, as a shell's job table would show it; 0 if the job ended
    // without a stop, or none came within the patience.
    int wait_until_stopped() const;

    // The shell's 'fg' for the stopped job: the terminal to the job, then a continue signal.
    void bring_to_foreground() const;

    // A key of several bytes, arriving byte by byte as over a slow line, the first no later than
    // the gap after the moment given. False if the machine was too loaded for any byte to come
    // within twice the gap.
    bool type_slowly(const std::string& key, std::chrono::milliseconds gap,
                     std::chrono::steady_clock::time_point last) const;

    // True once the wait's own settings are on the terminal: no echo.
    bool wait_for_key_mode() const;

    // The job's status as a shell reports it (128 + n for signal n); nothing if it has not ended
    // within the patience given. The screen is read to its end either way.
    std::optional<int> exit_status(std::chrono::milliseconds patience);

    // What the terminal holds for its next reader. In canonical mode FIONREAD counts whole lines
    // only, so a line without its end is counted with the terminal briefly byte at a time.
    int unread_bytes() const;

    // True once the program has read what was typed of a key and waits for the rest: asleep in
    // a system call other than read. Typed bytes reach the terminal's queue a moment after they
    // are written, so an empty queue alone could be one the program has yet to read from.
    bool wait_for_rest_of_key() const;

    // True once the signal sent to the program is no longer pending: its handler has been called,
    // and any system call it was asleep in has returned.
    bool wait_until_delivered(int signal_number) const;

    // Whether /proc shows this process's state to the test: the rows that wait for a state need
    // it, and skip where it is hidden.
    bool program_state_visible() const;

    pid_t program() const { return program_; }
    const termios& initial_settings() const { return initial_settings_; }

private:
    bool signal_pending(int signal_number) const;

    int report_ = -1;
    int commands_ = -1;
    pid_t child_ = -1;
    pid_t program_ = -1;
    termios initial_settings_{};
    std::optional<int> status_;
};

// Looks at a state of the program, its terminal or its screen until it holds; false if it never
// does within the patience. Every wait of the tests is this one.
template <typename State>
bool wait_until(State holds, std::chrono::milliseconds patience = kPatience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        usleep(1000);
    }
    return true;
}

// What a file the program wrote holds; the file is gone afterwards.
std::string take_file(const std::string& path);

// A file of /proc about a process; empty once the process is gone, which may be in the middle of
// the read.
std::string read_proc(pid_t process, const char* file);

// The system call the process is asleep in; -1 while it runs, or where /proc does not show it.
long system_call_of(pid_t process);
