#include "console/slips.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <string>

#include "console/numbers.h"
#include "console/texts.h"
#include "evaluation/complex_horner.h"

namespace {

// The kinds of character that stand for an ASCII one in a number, in the order of their hints.
enum class StandInKind { kCyrillicE, kRussianLayout, kMinus, kWide, kSpace };
constexpr const char* kStandInHints[] = {kCyrillicEHint, kRussianLayoutHint, kMinusHint,
                                         kWideCharactersHint, kSpaceHint};

// A character, or a run of them up to last, that stands for an ASCII one: for ascii, the
// full-width forms for ascii and on in order; for no ASCII at all where ascii is 0.
struct StandIn {
    char32_t first;
    char ascii;
    StandInKind kind;
    char32_t last = 0;  // 0: first alone
};

// Every dash (Unicode's Pd) and the minus sign stand for a hyphen; every space but the ASCII one
// for a blank; the full-width forms for their ASCII twins (⦅⦆ and ￠ to ￦ for none); е and Е for
// the Latin e and E; and the keys у У б ю of the Russian layout (ЙЦУКЕН) for e E , . of the
// Latin one.
using enum StandInKind;
constexpr StandIn kStandIns[] = {
    {0x00A0, ' ', kSpace},         {0x0415, 'E', kCyrillicE},     {0x0423, 'E', kRussianLayout},
    {0x0431, ',', kRussianLayout}, {0x0435, 'e', kCyrillicE},     {0x0443, 'e', kRussianLayout},
    {0x044E, '.', kRussianLayout}, {0x058A, '-', kMinus},         {0x05BE, '-', kMinus},
    {0x1400, '-', kMinus},         {0x1680, ' ', kSpace},         {0x1806, '-', kMinus},
    {0x2000, ' ', kSpace, 0x200A}, {0x2010, '-', kMinus, 0x2015}, {0x202F, ' ', kSpace},
    {0x205F, ' ', kSpace},         {0x2212, '-', kMinus},         {0x2E17, '-', kMinus},
    {0x2E1A, '-', kMinus},         {0x2E3A, '-', kMinus, 0x2E3B}, {0x2E40, '-', kMinus},
    {0x2E5D, '-', kMinus},         {0x3000, ' ', kSpace},         {0x301C, '-', kMinus},
    {0x3030, '-', kMinus},         {0x30A0, '-', kMinus},         {0xFE31, '-', kMinus, 0xFE32},
    {0xFE58, '-', kMinus},         {0xFE63, '-', kMinus},         {0xFF01, '!', kWide, 0xFF0C},
    {0xFF0D, '-', kMinus},         {0xFF0E, '.', kWide, 0xFF5E},  {0xFF5F, 0, kWide, 0xFF60},
    {0xFFE0, 0, kWide, 0xFFE6},    {0x10EAD, '-', kMinus},
};

const StandIn* stand_in_for(const Character& character)
{
    const auto* found = std::find_if(std::begin(kStandIns), std::end(kStandIns), [&](auto& s) {
        return !character.is_byte && character.code >= s.first &&
               character.code <= std::max(s.first, s.last);
    });
    return found == std::end(kStandIns) ? nullptr : found;
}

// The ASCII a character stands for, itself where it is ASCII (a byte that stands for no
// character is never one); 0 where none.
char ascii_of(const Character& character)
{
    const StandIn* stand_in = stand_in_for(character);
    if (stand_in == nullptr || stand_in->ascii == 0) {
        return character.code < 0x80 ? static_cast<char>(character.code) : '\0';
    }
    const char32_t in_order = stand_in->kind == kWide ? character.code - stand_in->first : 0;
    return static_cast<char>(static_cast<char32_t>(stand_in->ascii) + in_order);
}

Slip hint(const char* text)
{
    return {text, "", {}, 0, ""};
}

// Whether every part of the word before a separator, and after the last one, is accepted.
template <typename Accepts> bool all_parts(std::string_view word, char separator, Accepts accepts)
{
    while (!word.empty()) {
        const std::size_t end = std::min(word.find(separator), word.size());
        if (!accepts(word.substr(0, end))) {
            return false;
        }
        word.remove_prefix(std::min(end + 1, word.size()));
    }
    return true;
}

// Puts the word as meant into the slip where it is then the number asked for, or numbers joined
// by blanks that each are: as it is, or with a decimal comma made a point. False where it is not.
bool read_as_meant(std::string_view ascii, Answer answer, Slip& slip)
{
    std::string meant(ascii);
    if (answer != Answer::kOrder && std::count(meant.begin(), meant.end(), ',') == 1 &&
        is_decimal_number(meant, ',')) {
        std::replace(meant.begin(), meant.end(), ',', '.');
    }
    if (meant.empty() || meant.size() > sizeof slip.text ||
        !all_parts(meant, ' ', [&](std::string_view part) { return is_answer(part, answer); })) {
        return false;
    }
    slip.before_text = kReadingStart;
    slip.text_length = meant.copy(slip.text, sizeof slip.text);
    return true;
}

// Where the word holds characters outside ASCII: the first of them names the slip, and the word
// as meant is every character turned into the ASCII it stands for, where each stands for one.
Slip non_ascii_slip(std::span<const Character> word, Answer answer)
{
    const Character first = *std::find_if(
        word.begin(), word.end(), [](const Character& c) { return c.is_byte || c.code >= 0x80; });
    std::string as_ascii;
    std::transform(word.begin(), word.end(), std::back_inserter(as_ascii), ascii_of);
    as_ascii.resize(as_ascii.find('\0') == std::string::npos ? as_ascii.size() : 0);
    Slip slip = hint("");
    const StandIn* stand_in = stand_in_for(first);
    // A letter of the Russian layout names the slip only where the word then reads as a number.
    if (stand_in != nullptr &&
        (stand_in->kind != kRussianLayout || read_as_meant(as_ascii, answer, slip))) {
        slip.hint = kStandInHints[static_cast<int>(stand_in->kind)];
        read_as_meant(as_ascii, answer, slip);
        return slip;
    }
    if (answer == Answer::kOrder) {
        return hint(kOrderDigitsHint);
    }
    // the Cyrillic block's letters, all but its signs and combining marks, U+0482 to U+0489
    const bool cyrillic = !first.is_byte && first.code >= 0x0400 && first.code <= 0x04FF &&
                          (first.code < 0x0482 || first.code > 0x0489);
    return hint(cyrillic ? kLetterHint : kNotAsciiHint);
}

// A key that types no character, as a terminal sends it: ESC '[' or ESC 'O', a number that names
// the key and others after ';' that name the modifiers, then the final character. The Linux
// console sends F1 to F5 as ESC '[' '[' and A to E.
Slip key_slip(std::string_view sequence)
{
    const bool linux_function_key = sequence.starts_with("\x1b[[");
    sequence.remove_prefix(linux_function_key ? 3 : 2);
    int number = 0;
    std::from_chars(sequence.data(), sequence.data() + sequence.size(), number);
    sequence.remove_prefix(std::min(sequence.find_first_not_of("0123456789;"), sequence.size()));
    const char last = sequence.empty() ? '\0' : sequence[0];
    constexpr const char* kArrows[] = {kArrowUp, kArrowDown, kArrowRight, kArrowLeft};
    // by VT220's number before '~'; the other ways to send F1 to F5 find them from 11 on
    constexpr std::string_view kNumberedKeys[] = {
        "",   "Home", "Insert", "Delete", "End", "Page Up", "Page Down", "Home", "End",
        "",   "",     "F1",     "F2",     "F3",  "F4",      "F5",        "",     "F6",
        "F7", "F8",   "F9",     "F10",    "",    "F11",     "F12"};
    constexpr int kF1 = 11;
    Slip slip{kKeyHint, kKeyNamed, {}, 0, kKeyHintEnd};
    std::string_view name;
    if (linux_function_key) {
        name = last >= 'A' && last <= 'E' ? kNumberedKeys[kF1 + last - 'A'] : "";
    } else if (last >= 'A' && last <= 'D') {
        slip.before_text = kArrows[last - 'A'];
    } else if (last == 'H' || last == 'F') {
        name = last == 'H' ? "Home" : "End";
    } else if (last >= 'P' && last <= 'S') {
        name = kNumberedKeys[kF1 + last - 'P'];
    } else if (last == '~' && number < std::ssize(kNumberedKeys)) {  // never negative before '~'
        name = kNumberedKeys[number];
    }
    slip.text_length = name.copy(slip.text, sizeof slip.text);
    return slip.before_text == kKeyNamed && slip.text_length == 0 ? hint("") : slip;
}

// A hexadecimal whole number, read in decimal where it is short enough for the hint's line.
Slip hexadecimal_slip(std::string_view word, Answer answer)
{
    Slip slip = hint(kHexadecimalHint);
    const std::string_view digits = without_sign(word).substr(2);
    constexpr std::size_t kMostDigits = 13;  // a reading of 17 characters at most
    std::uint64_t value = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.size() > kMostDigits || read.ec != std::errc{} ||
        read.ptr != digits.data() + digits.size()) {
        return slip;
    }
    std::string decimal = word[0] == '-' ? "-" : "";
    read_as_meant(decimal.append(std::to_string(value)), answer, slip);
    return slip;
}

// "1j", "0+1j", "2-3i": a complex number in one word. The coefficients are real; at the point,
// its parts are the two numbers meant, or at the imaginary part the number meant, if that is all.
Slip imaginary_slip(std::string_view word, Answer answer)
{
    const std::string_view number = word.substr(0, word.size() - 1);
    // The sign that starts the imaginary part: the last one that follows no exponent.
    std::size_t cut = number.find_last_of("+-");
    while (cut != std::string_view::npos && cut > 0 && (number[cut - 1] | 0x20) == 'e') {
        cut = number.find_last_of("+-", cut - 1);
    }
    cut = cut == std::string_view::npos ? 0 : cut;
    const std::string_view real = number.substr(0, cut);
    const std::string_view imaginary = number.substr(cut + (number[cut] == '+' ? 1 : 0));
    if (!is_answer(imaginary, Answer::kImaginaryPart) ||
        (!real.empty() && !is_answer(real, Answer::kRealPart))) {
        return hint("");  // a bare "j", or parts that are no numbers
    }
    if (answer == Answer::kCoefficient) {
        return hint(kRealCoefficientsHint);
    }
    Slip slip = hint(kImaginaryHint);
    if (answer == Answer::kImaginaryPart && real.empty()) {
        read_as_meant(imaginary, answer, slip);
    } else if (answer == Answer::kRealPart) {
        const std::string meant =
            std::string(real.empty() ? "0" : real) + ' ' + std::string(imaginary);
        read_as_meant(meant, answer, slip);
    }
    return slip;
}

// A decimal number but for one slip in its form, which the hint names; nullptr where none: an
// exponent without its digits ("1e", "1e+"), a second point ("1.5.5"), a second sign ("--1").
const char* form_slip(std::string_view word)
{
    const std::size_t exponent = word.find_first_of("eE");
    if (exponent != std::string_view::npos && is_decimal_number(word.substr(0, exponent), '.') &&
        word.size() - exponent <= 2 &&
        word.find_first_not_of("+-", exponent + 1) == std::string_view::npos) {
        return kExponentDigitsHint;
    }
    const std::size_t point = word.find('.');
    if (point != std::string_view::npos && word.size() <= kShownWordColumns &&
        word.find('.', point + 1) != std::string_view::npos) {
        std::string once(word.substr(0, point + 1));
        std::remove_copy(word.begin() + point + 1, word.end(), std::back_inserter(once), '.');
        if (is_decimal_number(once, '.')) {
            return kSecondPointHint;
        }
    }
    const std::size_t signs = word.find_first_not_of("+-");
    if (signs > 1 && signs != std::string_view::npos &&
        is_decimal_number(word.substr(signs - 1), '.')) {
        return kSecondSignHint;
    }
    return nullptr;
}

bool is_infinity_or_nan(std::string_view word)
{
    // c | 0x20 is a lower-case letter only where c is that letter, in either case.
    const auto named = [&](std::string_view name) {
        return std::ranges::equal(word, name,
                                  [](char c, char letter) { return (c | 0x20) == letter; });
    };
    return named("inf") || named("infinity") || named("nan");
}

bool has_letter_but_e(std::string_view word)
{
    return word.find_first_of("abcdfghijklmnopqrstuvwxyzABCDFGHIJKLMNOPQRSTUVWXYZ") !=
           std::string_view::npos;
}

}  // namespace

bool is_answer(std::string_view word, Answer answer)
{
    if (answer == Answer::kOrder) {
        std::int32_t order{};
        return parse_integer(word, order) && order >= 0 && order < kMaxCoefficients;
    }
    float number{};
    return parse_single(word, number);
}

// The checks in turn, the first that names a slip giving the hint.
Slip find_slip(std::string_view word, std::span<const Character> characters, Answer answer,
               bool starts_input, bool too_long)
{
    if (starts_input && (word.starts_with("\xFF\xFE") || word.starts_with("\xFE\xFF"))) {
        return hint(kUtf16Hint);
    }
    if (too_long) {
        return hint(kTooLongHint);
    }
    const std::size_t escape = word.find('\x1b');
    if (escape != std::string_view::npos && escape + 2 < word.size() &&
        (word[escape + 1] == '[' || word[escape + 1] == 'O')) {
        const Slip slip = key_slip(word.substr(escape));
        if (slip.hint[0] != '\0') {
            return slip;
        }
    }
    if (std::any_of(characters.begin(), characters.end(),
                    [](const Character& c) { return c.is_byte || c.code >= 0x80; })) {
        return non_ascii_slip(characters, answer);
    }
    if (word.find(',') != std::string_view::npos) {
        // A comma in the order is no habit of writing numbers that the hints could name.
        Slip slip = hint("");
        if (answer != Answer::kOrder && word.find(',') == word.rfind(',') && !word.ends_with(',') &&
            read_as_meant(word, answer, slip)) {
            slip.hint = kDecimalPointHint;
        } else if (answer != Answer::kOrder &&
                   all_parts(word, ',', [](auto part) { return is_decimal_number(part, '.'); })) {
            slip.hint = kSeparatorHint;
        }
        return slip;
    }
    if (answer == Answer::kOrder) {
        return hint(has_letter_but_e(word) || word.find_first_of("eE") != std::string_view::npos
                        ? kOrderDigitsHint
                        : "");
    }
    if (is_decimal_number(word, '.')) {
        return hint(kTooLargeHint);  // its form is right: only its size is not
    }
    if (is_infinity_or_nan(without_sign(word))) {
        return hint(kInfinityHint);
    }
    const std::string_view unsigned_word = without_sign(word);
    if (unsigned_word.size() > 2 && unsigned_word[0] == '0' &&
        (unsigned_word[1] == 'x' || unsigned_word[1] == 'X')) {
        return hexadecimal_slip(word, answer);
    }
    if (word.size() > 1 && (word.back() == 'j' || word.back() == 'J' || word.back() == 'i')) {
        const Slip slip = imaginary_slip(word, answer);
        if (slip.hint[0] != '\0') {
            return slip;
        }
    }
    const char* form = form_slip(word);
    return hint(form != nullptr ? form : has_letter_but_e(word) ? kLetterHint : "");
}
