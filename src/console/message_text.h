#pragma once

// Messages are written once, as UTF-8 literals readable in the source, and turned into the bytes
// the program holds while it is compiled, by the same code with every compiler: no compiler flag
// chooses the execution character set. A character that code page 1251 (and the console's 866)
// lacks is a compile-time error, so it can never reach a Windows console as garbage.

#include <cstddef>

#include "console/platform/text_encoding.h"

// A NUL-terminated message; the converted text may be shorter than its UTF-8 source, and the
// bytes after it are NULs.
template <std::size_t Size> struct MessageText {
    char bytes[Size]{};

    // NOLINTNEXTLINE(google-explicit-constructor): a message is passed on as a C string
    constexpr operator const char*() const { return bytes; }
};

namespace message_text_detail {

// Never defined and not constexpr: reaching a call while a message is built stops the build.
void character_missing_from_code_page_1251();

constexpr char32_t kCapitalA = 0x0410;   // А; А to я run on in order in both encodings
constexpr char32_t kSmallYa = 0x044F;    // я
constexpr char32_t kCapitalIo = 0x0401;  // Ё
constexpr char32_t kSmallIo = 0x0451;    // ё

constexpr char to_code_page_1251(char32_t letter)
{
    if (letter < 0x80) {
        return static_cast<char>(letter);
    }
    if (letter >= kCapitalA && letter <= kSmallYa) {
        return static_cast<char>(0xC0 + (letter - kCapitalA));
    }
    if (letter == kCapitalIo) {
        return static_cast<char>(0xA8);
    }
    if (letter == kSmallIo) {
        return static_cast<char>(0xB8);
    }
    character_missing_from_code_page_1251();
    return '?';
}

}  // namespace message_text_detail

template <TextEncoding Encoding, std::size_t Size>
consteval MessageText<Size> encode_message(const char8_t (&utf8)[Size])
{
    MessageText<Size> text;
    std::size_t out = 0;
    for (std::size_t in = 0; in + 1 < Size; ++in) {
        const auto lead = static_cast<unsigned char>(utf8[in]);
        if (lead < 0x80U) {
            text.bytes[out++] = static_cast<char>(lead);
            continue;
        }
        // Every Cyrillic letter takes two bytes; anything longer is outside code page 1251.
        const auto tail = static_cast<unsigned char>(utf8[++in]);
        if ((lead & 0xE0U) != 0xC0U || (tail & 0xC0U) != 0x80U) {
            message_text_detail::character_missing_from_code_page_1251();
        }
        // Converted in every build, so that a Linux build already rejects what Windows lacks.
        const char converted =
            message_text_detail::to_code_page_1251(((lead & 0x1FU) << 6U) | (tail & 0x3FU));
        if constexpr (Encoding == TextEncoding::kUtf8) {
            text.bytes[out++] = static_cast<char>(lead);
            text.bytes[out++] = static_cast<char>(tail);
        } else {
            text.bytes[out++] = converted;
        }
    }
    return text;
}

// A message in the encoding this build of the program holds its texts in.
template <std::size_t Size> consteval MessageText<Size> message_text(const char8_t (&utf8)[Size])
{
    return encode_message<kProgramTextEncoding>(utf8);
}
