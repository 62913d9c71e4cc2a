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

// Columns a terminal gives a line of UTF-8: two for the wide characters of East Asian scripts.
std::size_t columns(std::string_view line)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto lead = static_cast<unsigned char>(line[i]);
        if ((lead & 0xC0U) == 0x80U) {
            continue;
        }
        char32_t code = lead;
        if (lead >= 0xE0U && i + 2 < line.size()) {
            code = ((lead & 0x0FU) << 12U) |
                   ((static_cast<unsigned char>(line[i + 1]) & 0x3FU) << 6U) |
                   (static_cast<unsigned char>(line[i + 2]) & 0x3FU);
        }
        const bool wide =
            (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
            (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
            (code >= 0xFFE0 && code <= 0xFFE6) || lead >= 0xF0U;
        count += wide ? 2 : 1;
    }
    return count;
}

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
        // At most three lines, each shown whole on an 80-column console, and no result.
        require(status == kExitBadInput && !has_result);
        require(errors.starts_with(kErrorStart) && errors.ends_with('\n'));
        require(std::count(errors.begin(), errors.end(), '\n') <= 3);
        for (std::string_view rest = errors; !rest.empty();) {
            const std::size_t end = rest.find('\n');
            require(end > 0 && columns(rest.substr(0, end)) <= 79);
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
