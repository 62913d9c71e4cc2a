#pragma once

// A real interactive shell in a pseudo-terminal, typed at as a person would: bash, dash (Debian's
// /bin/sh, which repairs nothing of the terminal and names the signal that stopped a job) or zsh
// (macOS's default), each with its own job control and its own way with the terminal's settings.
// The program is found among the shell's processes; its state, the screen and the terminal's
// settings are read from /proc and the pseudo-terminal. Linux only (forkpty, /proc).

#include <sys/types.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

inline constexpr auto kPatience = std::chrono::seconds(10);

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

bool same_settings(const termios& a, const termios& b);

// What a file the program wrote holds; the file is gone afterwards.
std::string take_file(const std::string& path);

enum class Shell { kBash, kDash, kZsh };

const char* shell_name(Shell shell);

class ShellSession {
public:
    explicit ShellSession(Shell shell = Shell::kDash);
    ~ShellSession();
    ShellSession(const ShellSession&) = delete;
    ShellSession& operator=(const ShellSession&) = delete;

    void type(const std::string& keys) const;
    // A key of several bytes, arriving byte by byte as over a slow line, the first no later than
    // the gap after the moment given. False if the machine was too loaded for any byte to come
    // within twice the gap.
    bool type_slowly(const std::string& key, std::chrono::milliseconds gap,
                     std::chrono::steady_clock::time_point last) const;
    // Types a command line and Enter at the shell's prompt.
    void run(const std::string& command);

    // Reads the screen until it ends with text, or shows it after the last command line.
    bool wait_for_screen_ending(const std::string& text);
    bool wait_for_screen_showing(const std::string& text);
    // Once the shell waits at its prompt again: the status the prompt shows, which is $?.
    std::optional<int> wait_for_prompt(std::chrono::milliseconds patience = kPatience);

    // The program started by the last command line, once it runs; -1 if it never does.
    pid_t wait_for_program();
    pid_t program() const { return program_; }
    // Its state as /proc shows it: 'T' stopped, 'Z' ended, '\0' gone.
    char program_state() const;
    bool wait_for_program_state(char state) const;
    // How often the program has been switched out, which grows each time it runs and stops
    // again: a stopped state seen before a continue signal took effect is not a new stop.
    long program_switches() const;
    bool wait_for_new_stop(long switches_before) const;
    bool wait_until_program_ended() const;
    // Whether /proc shows this process's system calls to the test: the rows that wait for one
    // need it, and skip where it is hidden.
    bool program_state_visible() const;

    // True once the key wait's settings are on the terminal: signal keys are ordinary keys, as no
    // shell's prompt has them.
    bool wait_for_key_mode() const;
    // True once the program has read what was typed of a key and waits for the rest: asleep in
    // a system call other than read, with nothing left in the terminal's queue. Typed bytes reach
    // the queue a moment after they are written, so an empty queue alone could be one the
    // program has yet to read from.
    bool wait_for_rest_of_key() const;
    // True once the signal sent to the program is no longer pending: its handler has been called,
    // and any system call it was asleep in has returned.
    bool wait_until_delivered(int signal_number) const;

    termios settings() const;
    // What the shell's own prompt has, as read at the first prompt.
    const termios& prompt_settings() const { return prompt_settings_; }
    const std::string& screen() const { return screen_; }
    // What came to the screen after the echo of the last command line.
    std::string after_command() const;

private:
    // Adds what came to the screen, waiting up to milliseconds; false if nothing came.
    bool read_screen(int milliseconds);
    bool shell_reading() const;
    // A field of the program's /proc/PID/status, such as "SigPnd"; empty once it is gone.
    std::string status_field(const std::string& name) const;

    int master_ = -1;
    int terminal_ = -1;  // the terminal's own side, for its settings and its queue
    std::string screen_;
    pid_t shell_pid_ = -1;
    pid_t program_ = -1;
    std::size_t command_start_ = 0;  // where the screen stood when the last command was typed
    termios prompt_settings_{};
};
