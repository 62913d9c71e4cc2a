#pragma once

// Code page 1251, Windows' Cyrillic ANSI code page, in which a Windows build holds its texts and
// reads a word that is no UTF-8: 0x80 to 0xBF as Microsoft publishes them (0x98 stands for no
// character), from 0xC0 on the Russian alphabet in order.

inline constexpr char16_t kCodePage1251High[] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// The character a byte stands for; 0 for the one that stands for none.
constexpr char32_t from_code_page_1251(unsigned char code_unit)
{
    if (code_unit < 0x80U) {
        return code_unit;
    }
    return code_unit >= 0xC0U ? char32_t{0x0410} + (code_unit - 0xC0U)
                              : kCodePage1251High[code_unit - 0x80U];
}

// The byte that stands for a character; 0 where the code page has none.
constexpr unsigned char to_code_page_1251(char32_t code)
{
    for (unsigned code_unit = 1; code_unit <= 0xFF; ++code_unit) {
        if (from_code_page_1251(static_cast<unsigned char>(code_unit)) == code) {
            return static_cast<unsigned char>(code_unit);
        }
    }
    return 0;
}
