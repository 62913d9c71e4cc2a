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
#include "support/terminal_columns.h"

namespace {

constexpr std::string_view kResultLabel = "Значение полинома: y=";
constexpr std::string_view kErrorStart = "Ошибка: ";
constexpr std::string_view kPressAnyKey = "Нажмите любую клавишу";
constexpr std::string_view kBeyondSingle =
    "Внимание: модуль значения больше 3.4e38, вне диапазона чисел одинарной точности\n";

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
    Script script{{reinterpret_cast<const char*>(data), size}};
    AnswerReader input{read_script, &script};
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
        // a value beyond single precision is printed as inf or nan, and named on one line
        const bool beyond_single =
            screen.find("inf") != std::string::npos || screen.find("nan") != std::string::npos;
        require(has_result && errors == (beyond_single ? kBeyondSingle : std::string_view()));
    } else {
        // At most three lines, each shown whole on an 80-column console, and no result.
        require(status == kExitBadInput && !has_result);
        require(errors.starts_with(kErrorStart) && errors.ends_with('\n'));
        require(std::count(errors.begin(), errors.end(), '\n') <= 3);
        for (std::string_view rest = errors; !rest.empty();) {
            const std::size_t end = rest.find('\n');
            const auto columns = terminal_columns(rest.substr(0, end));
            require(end > 0 && columns && *columns <= 79);
            rest.remove_prefix(end + 1);
        }
        // The refused word is shown, but no byte of the input reaches the terminal as a control,
        // C1 controls included.
        require(std::none_of(errors.begin(), errors.end(), [](char c) {
            return (static_cast<unsigned char>(c) < 0x20U && c != '\n') || c == '\x7f';
        }));
        require(errors.find("\xC2\x80") == std::string_view::npos &&
                errors.find("\xC2\x9B") == std::string_view::npos);
    }
    return 0;
}
