#pragma once

// A real interactive shell in a pseudo-terminal, typed at as a person would: bash, dash (Debian's
// /bin/sh) or zsh (macOS's default), each with its own job control and its own way with the
// terminal's settings. The program is found among the shell's processes; its state, the screen
// and the terminal's settings are read from /proc and the pseudo-terminal. Linux only.

#include <sys/types.h>
#include <termios.h>

#include <optional>
#include <string>

#include "support/terminal_session.h"

enum class Shell { kBash, kDash, kZsh };

const char* shell_name(Shell shell);

class ShellSession : public PseudoTerminal {
public:
    explicit ShellSession(Shell shell);
    ~ShellSession();

    // Types a command line and Enter at the shell's prompt.
    void run(const std::string& command);

    // The program started by the last command line, once it runs; -1 if it never does.
    pid_t wait_for_program();
    // Its state as /proc shows it: 'T' stopped, 'Z' ended, '\0' gone.
    char program_state() const;
    bool wait_for_program_state(char state) const;
    // How often the program has been switched out, which grows each time it runs and stops
    // again: a stopped state seen before a continue signal took effect is not a new stop.
    long program_switches() const;
    bool wait_for_new_stop(long switches_before) const;
    bool wait_until_program_ended() const;

    // Reads the screen until it shows text after the last command line.
    bool wait_for_screen_showing(const std::string& text)
    {
        return PseudoTerminal::wait_for_screen_showing(text, command_start_);
    }

    // Once the shell waits at its prompt again: the status the prompt shows, which is $?.
    std::optional<int> wait_for_prompt();

    // True once the key wait's settings are on the terminal: signal keys are ordinary keys, as no
    // shell's prompt has them.
    bool wait_for_key_mode() const;

    // What the shell's own prompt has, as read at the first prompt.
    const termios& prompt_settings() const { return prompt_settings_; }
    Shell shell() const { return shell_; }

private:
    bool shell_reading() const;

    Shell shell_;
    pid_t shell_pid_ = -1;
    pid_t program_ = -1;
    std::size_t command_start_ = 0;  // where the screen stood when the last command was typed
    termios prompt_settings_{};
};
