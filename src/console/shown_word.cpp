#include "console/shown_word.h"

#include <ostream>

namespace {

// The longest escape, "\xff".
constexpr std::size_t kLongestEscape = 4;

// The byte as it is shown; how many characters that takes.
std::size_t shown_byte(char byte, char (&shown)[kLongestEscape])
{
    const auto code = static_cast<unsigned char>(byte);
    if (byte == '\\' || byte == '\'') {
        shown[0] = '\\';
        shown[1] = byte;
        return 2;
    }
    if (code >= 0x20U && code < 0x7FU) {
        shown[0] = byte;
        return 1;
    }
    constexpr char kHexDigits[] = "0123456789abcdef";
    shown[0] = '\\';
    shown[1] = 'x';
    shown[2] = kHexDigits[code >> 4U];
    shown[3] = kHexDigits[code & 0xFU];
    return kLongestEscape;
}

}  // namespace

void write_shown_word(std::ostream& out, std::string_view word)
{
    out << '\'';
    std::size_t shown_length = 0;
    for (const char byte : word) {
        char shown[kLongestEscape];
        const std::size_t length = shown_byte(byte, shown);
        if (shown_length + length > kShownWordCharacters) {
            out << "...";
            break;
        }
        out.write(shown, static_cast<std::streamsize>(length));
        shown_length += length;
    }
    out << '\'';
}
