#include "support/shell_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/program_under_test.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

namespace {

// A prompt that shows $?, as each shell writes it.
const char* prompt_of(Shell shell)
{
    return shell == Shell::kZsh ? "<%?>$ " : "<$?>$ ";
}

// The fields of /proc/PID/stat after the command's name, which may hold blanks.
std::string stat_after_name(pid_t process)
{
    const std::string stat = read_proc(process, "stat");
    const std::size_t end = stat.rfind(')');
    return end == std::string::npos ? std::string() : stat.substr(end + 2);
}

}  // namespace

const char* shell_name(Shell shell)
{
    constexpr const char* kNames[] = {"bash", "dash", "zsh"};
    return kNames[static_cast<int>(shell)];
}

ShellSession::ShellSession(Shell shell) : shell_(shell)
{
    shell_pid_ = fork_on_terminal();
    if (shell_pid_ == 0) {
        // Nothing of the user's own: no start-up files, no history, a plain terminal.
        const std::string prompt = std::string("PS1=") + prompt_of(shell);
        char* const environment[] = {
            const_cast<char*>("TERM=dumb"),         const_cast<char*>("PATH=/usr/bin:/bin"),
            const_cast<char*>("HOME=/nonexistent"), const_cast<char*>("LC_ALL=C.UTF-8"),
            const_cast<char*>(prompt.c_str()),      nullptr};
        // Each shell's own way to skip its start-up files, then interactive.
        const char* const arguments[][5] = {{"bash", "--norc", "--noprofile", "-i", nullptr},
                                            {"dash", "-i", nullptr},
                                            {"zsh", "-f", "-i", nullptr}};
        execve((std::string("/bin/") + shell_name(shell)).c_str(),
               const_cast<char* const*>(arguments[static_cast<int>(shell)]), environment);
        _exit(127);
    }
    EXPECT_TRUE(wait_for_prompt().has_value()) << shell_name(shell) << " showed no prompt";
    prompt_settings_ = settings();
}

ShellSession::~ShellSession()
{
    if (program_ > 0) {
        kill(program_, SIGKILL);
    }
    kill(shell_pid_, SIGKILL);
    waitpid(shell_pid_, nullptr, 0);
}

void ShellSession::run(const std::string& command)
{
    command_start_ = screen_.size();
    type(command + "\n");
}

pid_t ShellSession::wait_for_program()
{
    const std::filesystem::path program = std::filesystem::canonical(program_under_test());
    const std::string session = std::to_string(shell_pid_);
    wait_until([&] {
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename();
            if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) == 0) {
                continue;
            }
            std::error_code error;
            const pid_t process = std::stoi(name);
            // the fourth field after the name is the session, which the shell leads
            std::istringstream fields(stat_after_name(process));
            std::string skipped;
            std::string process_session;
            fields >> skipped >> skipped >> skipped >> process_session;
            if (process_session == session &&
                std::filesystem::read_symlink(entry.path() / "exe", error) == program) {
                program_ = process;
                return true;
            }
        }
        return false;
    });
    return program_;
}

char ShellSession::program_state() const
{
    const std::string fields = stat_after_name(program_);
    return fields.empty() ? '\0' : fields[0];
}

bool ShellSession::wait_for_program_state(char state) const
{
    return wait_until([&] { return program_state() == state; });
}

long ShellSession::program_switches() const
{
    std::istringstream status(read_proc(program_, "status"));
    long switches = 0;
    for (std::string field; status >> field;) {
        long count = 0;
        if (field.ends_with("ctxt_switches:") && status >> count) {
            switches += count;
        }
    }
    return switches;
}

bool ShellSession::wait_for_new_stop(long switches_before) const
{
    return wait_until(
        [&] { return program_switches() > switches_before && program_state() == 'T'; });
}

bool ShellSession::wait_until_program_ended() const
{
    return wait_until([&] {
        const char state = program_state();
        return state == 'Z' || state == '\0';
    });
}

std::optional<int> ShellSession::wait_for_prompt()
{
    // The last prompt since the command: a job in the background may write after it.
    static const std::regex prompt_pattern("<([0-9]+)>\\$ ");
    std::optional<int> status;
    const bool at_prompt = wait_until([&] {
        const std::string since = screen_.substr(command_start_);
        status.reset();
        for (std::sregex_iterator prompt(since.begin(), since.end(), prompt_pattern), end;
             prompt != end; ++prompt) {
            status = std::stoi((*prompt)[1]);
        }
        // nothing more to come: the shell waits for a line
        if (status && shell_reading() && !read_screen(20)) {
            return true;
        }
        read_screen(20);
        return false;
    });
    return at_prompt ? status : std::nullopt;
}

bool ShellSession::wait_for_key_mode() const
{
    return wait_until([&] { return (settings().c_lflag & ISIG) == 0; });
}

// The shell asleep waiting for a key, as it is at its prompt (readline waits in pselect), not for
// a job (in wait4 or sigsuspend).
bool ShellSession::shell_reading() const
{
    const long number = system_call_of(shell_pid_);
    return number == SYS_read || number == SYS_pselect6 || number == SYS_select ||
           number == SYS_poll || number == SYS_ppoll;
}
