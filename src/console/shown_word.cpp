#include "console/shown_word.h"

#include <ostream>

#include "console/platform/screen.h"

namespace {

// The longest escape, "\U0010ffff".
constexpr std::size_t kLongestEscape = 10;

// How a character is shown, where not as itself.
struct Escape {
    char text[kLongestEscape];
    std::size_t length;
};

Escape escape(const Character& character)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    Escape escape{{'\\'}, 0};
    if (character.code == '\\' || character.code == '\'') {
        escape.text[1] = static_cast<char>(character.code);
        escape.length = 2;
        return escape;
    }
    const std::size_t digits = character.is_byte ? 2 : character.code > 0xFFFF ? 8 : 4;
    escape.text[1] = character.is_byte ? 'x' : digits == 8 ? 'U' : 'u';
    for (std::size_t i = 0; i < digits; ++i) {
        escape.text[2 + i] = kHexDigits[(character.code >> (4 * (digits - 1 - i))) & 0xFU];
    }
    escape.length = 2 + digits;
    return escape;
}

}  // namespace

void write_shown_word(std::ostream& out, std::span<const Character> word)
{
    out << '\'';
    std::size_t columns = 0;
    for (const Character& character : word) {
        const bool as_itself = !character.is_byte && character.code != '\\' &&
                               character.code != '\'' && !hides_itself(character.code) &&
                               can_show_character(out, character.code);
        const Escape shown = as_itself ? Escape{{}, 0} : escape(character);
        const std::size_t width = as_itself ? columns_of(character.code) : shown.length;
        if (columns + width > kShownWordColumns) {
            out << "...";
            break;
        }
        if (as_itself) {
            write_character(out, character.code);
        } else {
            out.write(shown.text, static_cast<std::streamsize>(shown.length));
        }
        columns += width;
    }
    out << '\'';
}
