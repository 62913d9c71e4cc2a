// Feeds arbitrary bytes to the dialogue as its standard input and checks what any run must
// satisfy, whatever it was given. Memory errors are the sanitizers' to find.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "console/dialogue.h"
#include "support/scripted_input.h"

namespace {

constexpr std::string_view kResultLabel = "Значение полинома: y=";
constexpr std::string_view kErrorStart = "Ошибка: ";
constexpr std::string_view kPressAnyKey = "Нажмите любую клавишу";

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void no_key() {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ScriptedInput input({reinterpret_cast<const char*>(data), size}, false);
    std::ostringstream out;
    std::ostringstream err;
    // Half the runs as on a terminal, where an error line may first end the prompt's line.
    const bool on_terminal = size % 2 != 0;
    const int status = run_dialogue(input, out, err,
                                    {.output_on_terminal = true,
                                     .errors_on_terminal = on_terminal,
                                     .input_on_terminal = on_terminal,
                                     .wait_for_key = no_key});

    const std::string screen = out.str();
    const std::string error_text = err.str();
    std::string_view errors = error_text;
    if (on_terminal && errors.starts_with('\n')) {
        errors.remove_prefix(1);
    }
    const bool has_result = screen.find(kResultLabel) != std::string::npos;
    require(std::string_view(screen).ends_with(kPressAnyKey));
    if (status == kExitDone) {
        require(has_result && errors.empty());
    } else {
        // One line that says what was expected, and no result.
        require(status == kExitBadInput && !has_result);
        require(errors.starts_with(kErrorStart) && errors.ends_with('\n'));
        require(errors.find('\n') == errors.size() - 1);
        // The refused word is shown, but no byte of the input reaches the terminal as a control.
        require(std::none_of(errors.begin(), errors.end() - 1, [](char c) {
            return static_cast<unsigned char>(c) < 0x20U || c == '\x7f';
        }));
    }
    return 0;
}
