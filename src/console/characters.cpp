#include "console/characters.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "console/platform/code_page_1251.h"
#include "console/platform/text_encoding.h"

namespace {

// Where each run of code points starts, from U+0000 on, escaped (see hides_itself) and shown in
// turn; scripts/unicode-escaped-runs.pl writes them from the Unicode character database of
// kUnicodeVersion.
constexpr char32_t kRunStarts[] = {
#include "console/escaped_runs.inc"
};

// The UTF-8 character at the start of bytes, and how many bytes it takes; 0 where they are no
// well-formed UTF-8: overlong forms, surrogates and values beyond U+10FFFF are not.
std::size_t utf8_character(std::string_view bytes, char32_t& code)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80U) {
        code = lead;
        return 1;
    }
    // the length that the lead byte gives, as many as its leading ones, and its own bits of the
    // code; the least code of that length, below which the form is overlong, is above any that
    // a continuation byte alone (one leading one) could give
    const auto length = static_cast<std::size_t>(std::countl_one(lead));
    if (length > 4 || bytes.size() < length) {
        return 0;
    }
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    code = lead & (0xFFU >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto tail = static_cast<unsigned char>(bytes[i]);
        if ((tail & 0xC0U) != 0x80U) {
            return 0;
        }
        code = (code << 6U) | (tail & 0x3FU);
    }
    const bool well_formed = code >= least && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return well_formed ? length : 0;
}

// The word as UTF-8, a byte that starts no character kept as a byte; or as code page 1251, a
// byte that stands for none kept as a byte. How many characters there are.
std::size_t decode(std::string_view word, bool in_code_page_1251, Character* characters)
{
    std::size_t count = 0;
    for (; !word.empty(); ++count) {
        const auto byte = static_cast<unsigned char>(word[0]);
        char32_t code = from_code_page_1251(byte);
        const std::size_t length = in_code_page_1251 ? 1 : utf8_character(word, code);
        const bool no_character = length == 0 || (code == 0 && byte != 0);
        characters[count] = no_character ? Character{byte, true} : Character{code, false};
        word.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return count;
}

}  // namespace

std::size_t decode_word(std::string_view word, Character* characters)
{
    const std::size_t count = decode(word, false, characters);
    const bool utf8 =
        std::none_of(characters, characters + count, [](const Character& c) { return c.is_byte; });
    return utf8 || kProgramTextEncoding == TextEncoding::kUtf8 ? count
                                                               : decode(word, true, characters);
}

bool hides_itself(char32_t code)
{
    // the last run that starts at or before the code; the runs begin with an escaped one
    const auto* after = std::upper_bound(std::begin(kRunStarts), std::end(kRunStarts), code);
    return (after - std::begin(kRunStarts)) % 2 == 1;
}

std::size_t columns_of(char32_t code)
{
    // The alphabets, punctuation, arrows and mathematical signs below the East Asian blocks: one
    // column, or none, on every terminal and console. Beyond them wide characters, emoji among
    // the technical symbols and characters a terminal does not know are mixed with narrow ones.
    return code <= 0x10FF || (code >= 0x1160 && code <= 0x22FF) ? 1 : 2;
}
