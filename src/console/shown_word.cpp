#include "console/shown_word.h"

#include <ostream>

#include "console/characters.h"
#include "console/platform/screen.h"

namespace {

// The longest escape, "\U0010ffff".
constexpr std::size_t kLongestEscape = 10;

struct Shown {
    char text[kLongestEscape];
    std::size_t length;  // 0: the character itself
    std::size_t columns;
};

Shown escaped(const Character& character)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    Shown shown{{'\\'}, 0, 0};
    if (character.code == '\\' || character.code == '\'') {
        shown.text[1] = static_cast<char>(character.code);
        shown.length = 2;
    } else {
        const std::size_t digits = character.is_byte ? 2 : character.code > 0xFFFF ? 8 : 4;
        shown.text[1] = character.is_byte ? 'x' : digits == 8 ? 'U' : 'u';
        for (std::size_t i = 0; i < digits; ++i) {
            shown.text[2 + i] = kHexDigits[(character.code >> (4 * (digits - 1 - i))) & 0xFU];
        }
        shown.length = 2 + digits;
    }
    shown.columns = shown.length;
    return shown;
}

bool shown_as_it_is(const Character& character)
{
    return !character.is_byte && character.code != '\\' && character.code != '\'' &&
           !hides_itself(character.code);
}

}  // namespace

void write_shown_word(std::ostream& out, std::string_view word)
{
    out << '\'';
    const bool legacy = in_code_page_1251(word);
    std::size_t columns = 0;
    while (!word.empty()) {
        const Character character = first_character(word, legacy);
        word.remove_prefix(character.bytes);
        Shown shown{{}, 0, columns_of(character.code)};
        if (!shown_as_it_is(character) || !can_show_character(out, character.code)) {
            shown = escaped(character);
        }
        if (columns + shown.columns > kShownWordCharacters) {
            out << "...";
            break;
        }
        if (shown.length == 0) {
            write_character(out, character.code);
        } else {
            out.write(shown.text, static_cast<std::streamsize>(shown.length));
        }
        columns += shown.columns;
    }
    out << '\'';
}
