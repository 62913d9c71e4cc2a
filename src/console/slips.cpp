#include "console/slips.h"

#include <algorithm>
#include <cstdint>

#include "console/characters.h"
#include "console/messages.h"
#include "console/numbers.h"
#include "evaluation/complex_horner.h"

namespace {

constexpr char32_t kCyrillicSmallIe = 0x0435;    // е
constexpr char32_t kCyrillicCapitalIe = 0x0415;  // Е
constexpr char32_t kFullwidthFirst = 0xFF01;     // ！, the full-width twin of '!'
constexpr char32_t kFullwidthLast = 0xFF5E;      // ～, of '~'
constexpr char32_t kFullwidthOffset = 0xFF01 - 0x21;

bool is_minus_sign(char32_t code)
{
    // hyphen, non-breaking hyphen, figure dash, en dash, em dash, horizontal bar, minus sign,
    // small and full-width hyphen-minus
    return (code >= 0x2010 && code <= 0x2015) || code == 0x2212 || code == 0xFE63 || code == 0xFF0D;
}

bool is_cyrillic(char32_t code)
{
    return code >= 0x0400 && code <= 0x04FF;
}

bool is_hidden_space(char32_t code)
{
    return code == 0x00A0 || code == 0x1680 || (code >= 0x2000 && code <= 0x200A) ||
           code == 0x202F || code == 0x205F || code == 0x3000;
}

// The key of the Latin layout that types this letter on the Russian one (ЙЦУКЕН), for the keys
// that numbers use: ',' and '.' under б and ю, e and E under у and У.
char latin_key_of(char32_t code)
{
    switch (code) {
    case 0x0431:  // б
        return ',';
    case 0x044E:  // ю
        return '.';
    case 0x0443:  // у
        return 'e';
    case 0x0423:  // У
        return 'E';
    default:
        return 0;
    }
}

// The ASCII a look-alike stands for, or 0.
char look_alike_of(char32_t code)
{
    if (code == kCyrillicSmallIe) {
        return 'e';
    }
    if (code == kCyrillicCapitalIe) {
        return 'E';
    }
    if (is_minus_sign(code)) {
        return '-';
    }
    if (code >= kFullwidthFirst && code <= kFullwidthLast) {
        return static_cast<char>(code - kFullwidthOffset);
    }
    return 0;
}

// A word turned into ASCII, character by character; false where a character has no ASCII
// meant for it, or the word is too long to be shown.
struct Ascii {
    char text[kShownWordCharacters];
    std::size_t length = 0;

    std::string_view view() const { return {text, length}; }
};

template <typename Translate> bool to_ascii(std::string_view word, Translate translate, Ascii& out)
{
    const bool legacy = in_code_page_1251(word);
    while (!word.empty()) {
        const Character character = first_character(word, legacy);
        word.remove_prefix(character.bytes);
        const char ascii = character.is_byte       ? 0
                           : character.code < 0x80 ? static_cast<char>(character.code)
                                                   : translate(character.code);
        if (ascii == 0 || out.length == sizeof out.text) {
            return false;
        }
        out.text[out.length++] = ascii;
    }
    return true;
}

// The word read as meant, where it is then the number asked for: as it is, or with a decimal
// comma made a point.
bool read_as_meant(const Ascii& ascii, Expected expected, Slip& slip)
{
    Ascii meant = ascii;
    if (expected == Expected::kSingleNumber &&
        std::count(meant.text, meant.text + meant.length, ',') == 1 &&
        is_decimal_number(meant.view(), ',')) {
        std::replace(meant.text, meant.text + meant.length, ',', '.');
    }
    // Numbers joined by a space that only looks like a blank: each must be a number.
    bool numbers = meant.length > 0;
    std::string_view rest = meant.view();
    while (numbers && !rest.empty()) {
        const std::size_t blank = std::min(rest.find(' '), rest.size());
        numbers = is_answer(rest.substr(0, blank), expected);
        rest.remove_prefix(std::min(blank + 1, rest.size()));
    }
    if (numbers) {
        std::copy(meant.text, meant.text + meant.length, slip.reading);
        slip.reading_length = meant.length;
    }
    return numbers;
}

Slip hint(const char* text)
{
    return {text, {}, 0};
}

// Where the word holds characters outside ASCII: the first of them names the slip.
Slip non_ascii_slip(std::string_view word, Expected expected)
{
    const bool legacy = in_code_page_1251(word);
    Character first{};
    for (std::string_view rest = word; !rest.empty();) {
        first = first_character(rest, legacy);
        rest.remove_prefix(first.bytes);
        if (first.is_byte || first.code >= 0x80) {
            break;
        }
    }
    Slip slip = hint("");
    Ascii ascii;
    if (!first.is_byte && look_alike_of(first.code) != 0) {
        slip.hint = first.code == kCyrillicSmallIe || first.code == kCyrillicCapitalIe
                        ? kCyrillicEHint
                    : is_minus_sign(first.code) ? kMinusHint
                                                : kWideCharactersHint;
        if (to_ascii(word, look_alike_of, ascii)) {
            read_as_meant(ascii, expected, slip);
        }
        return slip;
    }
    if (!first.is_byte && latin_key_of(first.code) != 0 && to_ascii(word, latin_key_of, ascii) &&
        read_as_meant(ascii, expected, slip)) {
        slip.hint = kRussianLayoutHint;
        return slip;
    }
    if (!first.is_byte && is_hidden_space(first.code)) {
        slip.hint = kSpaceHint;
        if (to_ascii(
                word, [](char32_t code) { return is_hidden_space(code) ? ' ' : '\0'; }, ascii)) {
            read_as_meant(ascii, expected, slip);
        }
        return slip;
    }
    if (expected == Expected::kWholeNumber) {
        return hint(kOrderDigitsHint);
    }
    return hint(!first.is_byte && is_cyrillic(first.code) ? kLetterHint : kNotAsciiHint);
}

bool equals_ignoring_case(std::string_view word, std::string_view lower)
{
    return word.size() == lower.size() &&
           std::equal(word.begin(), word.end(), lower.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
}

std::string_view without_sign(std::string_view word)
{
    if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
        word.remove_prefix(1);
    }
    return word;
}

// "1,", "1,0,1": numbers joined by commas, with at least one comma.
bool is_comma_separated(std::string_view word)
{
    if (word.find(',') == std::string_view::npos) {
        return false;
    }
    while (!word.empty()) {
        const std::size_t comma = std::min(word.find(','), word.size());
        if (!is_decimal_number(word.substr(0, comma), '.')) {
            return false;
        }
        word.remove_prefix(std::min(comma + 1, word.size()));
    }
    return true;
}

// A hexadecimal whole number, read in decimal where it is short enough to be shown.
Slip hexadecimal_slip(std::string_view word, Expected expected)
{
    Slip slip = hint(kHexadecimalHint);
    std::uint64_t value = 0;
    const std::string_view digits = without_sign(word).substr(2);
    constexpr std::size_t kMostDigits = 13;  // below 2^53, which single precision rounds alike
    if (digits.empty() || digits.size() > kMostDigits) {
        return slip;
    }
    for (const char c : digits) {
        const char lower = c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c;
        const bool decimal = lower >= '0' && lower <= '9';
        if (!decimal && (lower < 'a' || lower > 'f')) {
            return slip;
        }
        value = value * 16 + static_cast<std::uint64_t>(decimal ? lower - '0' : lower - 'a' + 10);
    }
    Ascii ascii;
    if (word[0] == '-') {
        ascii.text[ascii.length++] = '-';
    }
    char reversed[16];
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) {
        ascii.text[ascii.length++] = reversed[--count];
    }
    read_as_meant(ascii, expected, slip);
    return slip;
}

// "1j", "0+1j", "2-3i": a complex number in one word; the parts are numbers of their own.
Slip imaginary_slip(std::string_view word, Expected expected)
{
    const std::string_view number = word.substr(0, word.size() - 1);
    Slip slip = hint(kImaginaryHint);
    Ascii ascii;
    // The sign that starts the imaginary part: the last one that follows no exponent.
    std::size_t sign = std::string_view::npos;
    for (std::size_t i = 1; i < number.size(); ++i) {
        if ((number[i] == '+' || number[i] == '-') && number[i - 1] != 'e' &&
            number[i - 1] != 'E') {
            sign = i;
        }
    }
    const std::size_t cut = sign == std::string_view::npos ? 0 : sign;
    const std::string_view real = number.substr(0, cut);
    std::string_view imaginary = number.substr(cut);
    if (!imaginary.empty() && imaginary[0] == '+') {
        imaginary.remove_prefix(1);
    }
    if (imaginary.empty() || imaginary == "-") {
        return hint("");  // a bare "j" means no number
    }
    const std::size_t length = real.size() + (real.empty() ? 0 : 1) + imaginary.size();
    if (length > sizeof ascii.text) {
        return slip;
    }
    std::copy(real.begin(), real.end(), ascii.text);
    ascii.length = real.size();
    if (!real.empty()) {
        ascii.text[ascii.length++] = ' ';
    }
    std::copy(imaginary.begin(), imaginary.end(), ascii.text + ascii.length);
    ascii.length += imaginary.size();
    return read_as_meant(ascii, expected, slip) ? slip : hint("");
}

bool has_letter_but_e(std::string_view word)
{
    return std::any_of(word.begin(), word.end(), [](char c) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        return lower >= 'a' && lower <= 'z' && lower != 'e';
    });
}

}  // namespace

bool is_answer(std::string_view word, Expected expected)
{
    if (expected == Expected::kWholeNumber) {
        std::int32_t order = 0;
        return parse_integer(word, order) && order >= 0 && order < kMaxCoefficients;
    }
    float number = 0;
    return parse_single(word, number);
}

Slip find_slip(std::string_view word, Expected expected, bool starts_input, bool too_long)
{
    if (starts_input && (word.starts_with("\xFF\xFE") || word.starts_with("\xFE\xFF"))) {
        return hint(kUtf16Hint);
    }
    if (too_long) {
        return hint(kTooLongHint);
    }
    if (std::any_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80U; })) {
        return non_ascii_slip(word, expected);
    }
    if (word.find(',') != std::string_view::npos) {
        Slip slip = hint("");
        Ascii ascii;
        if (expected == Expected::kSingleNumber && word.find(',') == word.rfind(',') &&
            !word.ends_with(',') && to_ascii(word, look_alike_of, ascii) &&
            read_as_meant(ascii, expected, slip)) {
            slip.hint = kDecimalPointHint;
            return slip;
        }
        // A comma in the order is no habit of writing numbers that the hints could name.
        return hint(expected == Expected::kSingleNumber && is_comma_separated(word) ? kSeparatorHint
                                                                                    : "");
    }
    if (expected == Expected::kWholeNumber) {
        return hint(has_letter_but_e(word) || word.find_first_of("eE") != std::string_view::npos
                        ? kOrderDigitsHint
                        : "");
    }
    const std::string_view unsigned_word = without_sign(word);
    if (is_decimal_number(word, '.')) {
        return hint(kTooLargeHint);  // its form is right: only its size is not
    }
    if (equals_ignoring_case(unsigned_word, "inf") ||
        equals_ignoring_case(unsigned_word, "infinity") ||
        equals_ignoring_case(unsigned_word, "nan")) {
        return hint(kInfinityHint);
    }
    if (unsigned_word.size() > 2 && unsigned_word[0] == '0' &&
        (unsigned_word[1] == 'x' || unsigned_word[1] == 'X')) {
        return hexadecimal_slip(word, expected);
    }
    if (word.size() > 1 && (word.back() == 'j' || word.back() == 'J' || word.back() == 'i')) {
        const Slip slip = imaginary_slip(word, expected);
        if (slip.hint[0] != '\0') {
            return slip;
        }
    }
    return hint(has_letter_but_e(word) ? kLetterHint : "");
}
