#include "console/shown_word.h"

#include <cstdio>
#include <ostream>

#include "console/platform/screen.h"

void write_shown_word(std::ostream& out, std::span<const Character> word)
{
    out << '\'';
    std::size_t columns = 0;
    for (const Character& character : word) {
        const unsigned code = character.code;
        const bool quoting = code == '\\' || code == '\'';
        const bool as_itself =
            !character.is_byte && !quoting && !hides_itself(code) && can_show_character(out, code);
        // else \xff, \uffff, beyond 16 bits eight digits up to \U0010ffff, or \\ and \'
        const char* form = character.is_byte ? "\\x%02x" : code >> 16U != 0 ? "\\U%08x" : "\\u%04x";
        char escape[sizeof "\\U0010ffff"];
        const int escape_length =
            std::snprintf(escape, sizeof escape, quoting ? "\\%c" : form, code);
        const std::size_t width =
            as_itself ? columns_of(code) : static_cast<std::size_t>(escape_length);
        if (columns + width > kShownWordColumns) {
            out << "...";
            break;
        }
        if (as_itself) {
            write_character(out, code);
        } else {
            out.write(escape, escape_length);
        }
        columns += width;
    }
    out << '\'';
}
