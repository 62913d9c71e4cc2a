#pragma once

// The program's texts are written once, as UTF-8 literals readable in the source, and turned into
// the bytes the program holds while it is compiled, by the same code with every compiler: no
// compiler flag chooses the execution character set. Windows builds hold code page 1251. Any
// character but ASCII and the Russian alphabet stops the build: code page 866, which a Russian
// console program writes to a file, has no other that 1251 has too.

#include <cstddef>

#include "console/platform/code_page_1251.h"
#include "console/platform/text_encoding.h"

// A NUL-terminated text; the converted text may be shorter than its UTF-8 source, and the bytes
// after it are NULs.
template <std::size_t Size> struct ProgramText {
    char bytes[Size]{};

    // NOLINTNEXTLINE(google-explicit-constructor): a text is passed on as a C string
    constexpr operator const char*() const { return bytes; }
};

namespace program_text_detail {

// Never defined and not constexpr: reaching a call while a text is built stops the build.
void character_outside_ascii_and_russian_alphabet();

constexpr bool is_russian_letter(char32_t code)
{
    return (code >= 0x0410 && code <= 0x044F) || code == 0x0401 || code == 0x0451;
}

}  // namespace program_text_detail

template <TextEncoding Encoding, std::size_t Size>
consteval ProgramText<Size> encode_text(const char8_t (&utf8)[Size])
{
    ProgramText<Size> text;
    std::size_t out = 0;
    for (std::size_t in = 0; in + 1 < Size; ++in) {
        const auto lead = static_cast<unsigned char>(utf8[in]);
        if (lead < 0x80U) {
            text.bytes[out++] = static_cast<char>(lead);
            continue;
        }
        // Every Russian letter takes two bytes.
        const auto tail = static_cast<unsigned char>(utf8[++in]);
        const char32_t letter = ((lead & 0x1FU) << 6U) | (tail & 0x3FU);
        if ((lead & 0xE0U) != 0xC0U || (tail & 0xC0U) != 0x80U ||
            !program_text_detail::is_russian_letter(letter)) {
            program_text_detail::character_outside_ascii_and_russian_alphabet();
        }
        if constexpr (Encoding == TextEncoding::kUtf8) {
            text.bytes[out++] = static_cast<char>(lead);
            text.bytes[out++] = static_cast<char>(tail);
        } else {
            text.bytes[out++] = static_cast<char>(to_code_page_1251(letter));
        }
    }
    return text;
}

// A text in the encoding this build of the program holds its texts in.
template <std::size_t Size> consteval ProgramText<Size> program_text(const char8_t (&utf8)[Size])
{
    return encode_text<kProgramTextEncoding>(utf8);
}
