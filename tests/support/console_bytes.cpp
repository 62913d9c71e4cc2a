#include "support/console_bytes.h"

#include <stdexcept>

namespace {

constexpr char32_t kCapitalA = 0x0410;
constexpr char32_t kSmallA = 0x0430;
constexpr char32_t kSmallR = 0x0440;
constexpr char32_t kCapitalIo = 0x0401;
constexpr char32_t kSmallIo = 0x0451;

struct CodePage {
    unsigned char capital_a;  // А to Я follow in order
    unsigned char small_a;    // а to п follow in order
    unsigned char small_r;    // р to я follow in order
    unsigned char capital_io;
    unsigned char small_io;
};

constexpr CodePage kCodePage1251{0xC0, 0xE0, 0xF0, 0xA8, 0xB8};
constexpr CodePage kCodePage866{0x80, 0xA0, 0xE0, 0xF0, 0xF1};

// The test texts hold ASCII and the Russian alphabet only; anything else is a mistake in a test.
unsigned char encode(char32_t letter, const CodePage& page)
{
    if (letter < 0x80) {
        return static_cast<unsigned char>(letter);
    }
    if (letter >= kCapitalA && letter < kSmallA) {
        return static_cast<unsigned char>(page.capital_a + (letter - kCapitalA));
    }
    if (letter >= kSmallA && letter < kSmallR) {
        return static_cast<unsigned char>(page.small_a + (letter - kSmallA));
    }
    if (letter >= kSmallR && letter < kSmallR + 16) {
        return static_cast<unsigned char>(page.small_r + (letter - kSmallR));
    }
    if (letter == kCapitalIo) {
        return page.capital_io;
    }
    if (letter == kSmallIo) {
        return page.small_io;
    }
    throw std::invalid_argument("letter outside the Russian alphabet in a test text");
}

std::string to_code_page(std::u8string_view text, const CodePage& page)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t letter = lead;
        if ((lead & 0xE0U) == 0xC0U && i + 1 < text.size()) {
            letter = ((lead & 0x1FU) << 6U) | (static_cast<unsigned char>(text[++i]) & 0x3FU);
        } else if (lead >= 0x80U) {
            throw std::invalid_argument("test texts use two-byte UTF-8 letters only");
        }
        bytes.push_back(static_cast<char>(encode(letter, page)));
    }
    return bytes;
}

}  // namespace

std::string to_code_page_1251(std::u8string_view text)
{
    return to_code_page(text, kCodePage1251);
}

std::string to_code_page_866(std::u8string_view text)
{
    return to_code_page(text, kCodePage866);
}

std::string with_crlf_line_ends(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result.push_back('\r');
        }
        result.push_back(c);
    }
    return result;
}
