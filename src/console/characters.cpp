#include "console/characters.h"

#include <iterator>

#include "console/platform/text_encoding.h"

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

bool in(const Range* ranges, std::size_t count, char32_t code)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (code >= ranges[i].first && code <= ranges[i].last) {
            return true;
        }
    }
    return false;
}

constexpr Range kHiding[] = {
    {0x0000, 0x001F}, {0x007F, 0x00A0}, {0x00AD, 0x00AD}, {0x1680, 0x1680},   {0x180E, 0x180E},
    {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x206F}, {0x3000, 0x3000},   {0xD800, 0xF8FF},
    {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0xE0000, 0xE007F}, {0xF0000, 0x10FFFF},
};

// The alphabets, punctuation, arrows and mathematical signs below the East Asian blocks: one
// column, or none, on every terminal and console. Beyond them wide characters, emoji among the
// technical symbols and characters a terminal does not know are mixed with narrow ones.
constexpr Range kNarrow[] = {{0x0000, 0x10FF}, {0x1160, 0x22FF}};

// Code page 1251 from 0x80 to 0xBF, as Microsoft publishes it; 0x98 stands for no character. From
// 0xC0 on it is the Russian alphabet in order.
constexpr char16_t kCodePage1251High[] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

Character code_page_1251_character(unsigned char byte)
{
    if (byte < 0x80U) {
        return {byte, false, 1};
    }
    if (byte >= 0xC0U) {
        return {char32_t{0x0410} + (byte - 0xC0U), false, 1};
    }
    const char32_t code = kCodePage1251High[byte - 0x80U];
    return {code == 0 ? byte : code, code == 0, 1};
}

bool is_tail(unsigned char byte)
{
    return (byte & 0xC0U) == 0x80U;
}

// The UTF-8 character at the start of bytes, or none (bytes 0) where it is not valid UTF-8:
// overlong forms, surrogates and values beyond U+10FFFF are not.
Character utf8_character(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80U) {
        return {lead, false, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t lowest = 0;
    if ((lead & 0xE0U) == 0xC0U) {
        length = 2;
        code = lead & 0x1FU;
        lowest = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3;
        code = lead & 0x0FU;
        lowest = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4;
        code = lead & 0x07U;
        lowest = 0x10000;
    } else {
        return {lead, true, 0};
    }
    if (bytes.size() < length) {
        return {lead, true, 0};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto tail = static_cast<unsigned char>(bytes[i]);
        if (!is_tail(tail)) {
            return {lead, true, 0};
        }
        code = (code << 6U) | (tail & 0x3FU);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {lead, true, 0};
    }
    return {code, false, length};
}

}  // namespace

Character first_character(std::string_view bytes, bool in_code_page_1251)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (in_code_page_1251) {
        return code_page_1251_character(lead);
    }
    const Character character = utf8_character(bytes);
    return character.bytes > 0 ? character : Character{lead, true, 1};
}

bool is_utf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const Character character = utf8_character(bytes);
        if (character.bytes == 0) {
            return false;
        }
        bytes.remove_prefix(character.bytes);
    }
    return true;
}

bool in_code_page_1251(std::string_view word)
{
    return kProgramTextEncoding == TextEncoding::kCodePage1251 && !is_utf8(word);
}

bool hides_itself(char32_t code)
{
    return in(kHiding, std::size(kHiding), code);
}

std::size_t columns_of(char32_t code)
{
    return in(kNarrow, std::size(kNarrow), code) ? 1 : 2;
}

std::size_t to_utf8(char32_t code, char (&utf8)[4])
{
    if (code < 0x80) {
        utf8[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        utf8[0] = static_cast<char>(0xC0U | (code >> 6U));
        utf8[1] = static_cast<char>(0x80U | (code & 0x3FU));
        return 2;
    }
    if (code < 0x10000) {
        utf8[0] = static_cast<char>(0xE0U | (code >> 12U));
        utf8[1] = static_cast<char>(0x80U | ((code >> 6U) & 0x3FU));
        utf8[2] = static_cast<char>(0x80U | (code & 0x3FU));
        return 3;
    }
    utf8[0] = static_cast<char>(0xF0U | (code >> 18U));
    utf8[1] = static_cast<char>(0x80U | ((code >> 12U) & 0x3FU));
    utf8[2] = static_cast<char>(0x80U | ((code >> 6U) & 0x3FU));
    utf8[3] = static_cast<char>(0x80U | (code & 0x3FU));
    return 4;
}
