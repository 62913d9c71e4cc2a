#include "console/shown_word.h"

#include <cstdio>
#include <ostream>

#include "console/platform/screen.h"

namespace {

// How a character is shown where not as itself: \xff, \uffff, up to "\U0010ffff".
struct Escape {
    char text[sizeof "\\U0010ffff"];
    std::size_t length;
};

Escape escape(const Character& character)
{
    const unsigned code = character.code;
    // beyond 16 bits, eight digits
    const char* form = character.is_byte ? "\\x%02x" : code >> 16U != 0 ? "\\U%08x" : "\\u%04x";
    if (code == '\\' || code == '\'') {
        form = "\\%c";
    }
    Escape escape{};
    escape.length =
        static_cast<std::size_t>(std::snprintf(escape.text, sizeof escape.text, form, code));
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
        const Escape shown = escape(character);
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
