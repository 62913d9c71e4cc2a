#include "console/slips.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstdint>

#include "console/characters.h"
#include "console/messages.h"
#include "console/numbers.h"
#include "evaluation/complex_horner.h"

namespace {

// The kinds of character that stand for an ASCII one in a number.
enum class StandInKind { kCyrillicE, kRussianLayout, kMinus, kWide, kSpace };

// A character, or a run of them, that stands for something else: first to last stand for ascii,
// the full-width forms for ascii and on in order; for no ASCII at all where ascii is 0.
struct StandIn {
    char32_t first;
    char32_t last;
    char ascii;
    StandInKind kind;
};

// Every dash (Unicode's Pd) and the minus sign stand for a hyphen; every space but the ASCII one
// for a blank; the full-width forms for their ASCII twins; е and Е for the Latin e and E; and the
// keys of the Russian layout (ЙЦУКЕН) where the Latin one has ',' '.' 'e' 'E' for those.
constexpr StandIn kStandIns[] = {
    {0x00A0, 0x00A0, ' ', StandInKind::kSpace},
    {0x0415, 0x0415, 'E', StandInKind::kCyrillicE},      // Е
    {0x0423, 0x0423, 'E', StandInKind::kRussianLayout},  // У
    {0x0431, 0x0431, ',', StandInKind::kRussianLayout},  // б
    {0x0435, 0x0435, 'e', StandInKind::kCyrillicE},      // е
    {0x0443, 0x0443, 'e', StandInKind::kRussianLayout},  // у
    {0x044E, 0x044E, '.', StandInKind::kRussianLayout},  // ю
    {0x058A, 0x058A, '-', StandInKind::kMinus},
    {0x05BE, 0x05BE, '-', StandInKind::kMinus},
    {0x1400, 0x1400, '-', StandInKind::kMinus},
    {0x1680, 0x1680, ' ', StandInKind::kSpace},
    {0x1806, 0x1806, '-', StandInKind::kMinus},
    {0x2000, 0x200A, ' ', StandInKind::kSpace},
    {0x2010, 0x2015, '-', StandInKind::kMinus},
    {0x202F, 0x202F, ' ', StandInKind::kSpace},
    {0x205F, 0x205F, ' ', StandInKind::kSpace},
    {0x2212, 0x2212, '-', StandInKind::kMinus},
    {0x2E17, 0x2E17, '-', StandInKind::kMinus},
    {0x2E1A, 0x2E1A, '-', StandInKind::kMinus},
    {0x2E3A, 0x2E3B, '-', StandInKind::kMinus},
    {0x2E40, 0x2E40, '-', StandInKind::kMinus},
    {0x2E5D, 0x2E5D, '-', StandInKind::kMinus},
    {0x3000, 0x3000, ' ', StandInKind::kSpace},
    {0x301C, 0x301C, '-', StandInKind::kMinus},
    {0x3030, 0x3030, '-', StandInKind::kMinus},
    {0x30A0, 0x30A0, '-', StandInKind::kMinus},
    {0xFE31, 0xFE32, '-', StandInKind::kMinus},
    {0xFE58, 0xFE58, '-', StandInKind::kMinus},
    {0xFE63, 0xFE63, '-', StandInKind::kMinus},
    {0xFF01, 0xFF0C, '!', StandInKind::kWide},
    {0xFF0D, 0xFF0D, '-', StandInKind::kMinus},
    {0xFF0E, 0xFF5E, '.', StandInKind::kWide},
    {0xFF5F, 0xFF60, 0, StandInKind::kWide},  // ⦅⦆, whose twins are no ASCII
    {0xFFE0, 0xFFE6, 0, StandInKind::kWide},  // ￠ to ￦
    {0x10EAD, 0x10EAD, '-', StandInKind::kMinus},
};

const StandIn* stand_in_for(const Character& character)
{
    if (character.is_byte) {
        return nullptr;
    }
    const auto* found = std::find_if(std::begin(kStandIns), std::end(kStandIns), [&](const StandIn& s) {
        return character.code >= s.first && character.code <= s.last;
    });
    return found == std::end(kStandIns) ? nullptr : found;
}

// The ASCII a character stands for, itself where it is ASCII; 0 where none.
char ascii_of(const Character& character)
{
    if (!character.is_byte && character.code < 0x80) {
        return static_cast<char>(character.code);
    }
    const StandIn* stand_in = stand_in_for(character);
    return stand_in == nullptr || stand_in->ascii == 0
               ? '\0'
           : stand_in->kind != StandInKind::kWide
               ? stand_in->ascii
               : static_cast<char>(static_cast<char32_t>(stand_in->ascii) + character.code -
                                   stand_in->first);
}

Slip hint(const char* text)
{
    return {text, nullptr, {}, 0};
}

// Puts the word as meant into the slip where it is then the number asked for, or numbers joined
// by blanks that each are: as it is, or with a decimal comma made a point. False where it is not.
bool read_as_meant(std::string_view ascii, Answer answer, Slip& slip)
{
    if (ascii.empty() || ascii.size() > sizeof slip.text) {
        return false;
    }
    char meant[sizeof slip.text];
    std::copy(ascii.begin(), ascii.end(), meant);
    const std::string_view view(meant, ascii.size());
    if (answer != Answer::kOrder && std::count(view.begin(), view.end(), ',') == 1 &&
        is_decimal_number(view, ',')) {
        std::replace(meant, meant + ascii.size(), ',', '.');
    }
    for (std::string_view rest = view; !rest.empty();) {
        const std::size_t blank = std::min(rest.find(' '), rest.size());
        if (!is_answer(rest.substr(0, blank), answer)) {
            return false;
        }
        rest.remove_prefix(std::min(blank + 1, rest.size()));
    }
    std::copy(view.begin(), view.end(), slip.text);
    slip.text_length = view.size();
    return true;
}

// The word with every character turned into the ASCII it stands for; false where one stands for
// none, or the word is too long to be shown.
bool to_ascii(std::string_view word, char (&ascii)[kShownWordCharacters], std::size_t& length)
{
    const bool legacy = in_code_page_1251(word);
    for (length = 0; !word.empty(); ++length) {
        const Character character = first_character(word, legacy);
        word.remove_prefix(character.bytes);
        const char meant = ascii_of(character);
        if (meant == '\0' || length == sizeof ascii) {
            return false;
        }
        ascii[length] = meant;
    }
    return true;
}

// Where the word holds characters outside ASCII: the first of them names the slip.
Slip non_ascii_slip(std::string_view word, Answer answer)
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
    char ascii[kShownWordCharacters];
    std::size_t length = 0;
    const bool meant = to_ascii(word, ascii, length);
    Slip slip = hint("");
    const StandIn* stand_in = stand_in_for(first);
    // A letter of the Russian layout names the slip only where the word then reads as a number.
    if (stand_in != nullptr && (stand_in->kind != StandInKind::kRussianLayout ||
                                (meant && read_as_meant({ascii, length}, answer, slip)))) {
        constexpr const char* kHints[] = {kCyrillicEHint, kRussianLayoutHint, kMinusHint,
                                          kWideCharactersHint, kSpaceHint};
        slip.hint = kHints[static_cast<int>(stand_in->kind)];
        if (meant) {
            read_as_meant({ascii, length}, answer, slip);
        }
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
    std::from_chars(sequence.data(), sequence.data() + std::min<std::size_t>(sequence.size(), 2),
                    number);
    sequence.remove_prefix(std::min(sequence.find_first_not_of("0123456789;"), sequence.size()));
    const char final_character = sequence.empty() ? '\0' : sequence[0];
    Slip slip{kKeyHint, kKeyNamed, {}, 0};
    const char* name = nullptr;
    int function_key = 0;
    if (linux_function_key) {
        function_key = final_character >= 'A' && final_character <= 'E' ? final_character - '@' : 0;
    } else if (final_character >= 'A' && final_character <= 'D') {
        constexpr const char* kArrows[] = {kArrowUp, kArrowDown, kArrowRight, kArrowLeft};
        slip.key = kArrows[final_character - 'A'];
        return slip;
    } else if (final_character == 'H' || final_character == 'F') {
        name = final_character == 'H' ? "Home" : "End";
    } else if (final_character >= 'P' && final_character <= 'S') {
        function_key = final_character - 'P' + 1;
    } else if (final_character == '~' && number >= 1 && number <= 8) {
        constexpr const char* kEditingKeys[] = {"Home", "Insert", "Delete",    "End",
                                                "Page Up", "Page Down", "Home", "End"};
        name = kEditingKeys[number - 1];
    } else if (final_character == '~' && number >= 11 && number <= 24) {
        // VT220's numbers, with gaps: 11 to 15 are F1 to F5, 17 to 21 F6 to F10, 23 and 24 F11
        // and F12
        constexpr int kFunctionKeys[] = {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10, 0, 11, 12};
        function_key = kFunctionKeys[number - 11];
    }
    if (function_key > 0) {
        slip.text[0] = 'F';
        slip.text_length = static_cast<std::size_t>(
            std::to_chars(slip.text + 1, std::end(slip.text), function_key).ptr - slip.text);
    } else if (name != nullptr) {
        slip.text_length = std::string_view(name).copy(slip.text, sizeof slip.text);
    } else {
        return hint("");
    }
    return slip;
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

// A hexadecimal whole number, read in decimal where it is short enough for the hint's line.
Slip hexadecimal_slip(std::string_view word, Answer answer)
{
    Slip slip = hint(kHexadecimalHint);
    const std::string_view digits = without_sign(word).substr(2);
    constexpr std::size_t kMostDigits = 13;  // a reading of 17 characters at most
    if (digits.empty() || digits.size() > kMostDigits) {
        return slip;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const char lower = c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c;
        const bool decimal = lower >= '0' && lower <= '9';
        if (!decimal && (lower < 'a' || lower > 'f')) {
            return slip;
        }
        value = value * 16 + static_cast<std::uint64_t>(decimal ? lower - '0' : lower - 'a' + 10);
    }
    char decimal[24] = {'-'};
    char* const digits_start = decimal + (word[0] == '-' ? 1 : 0);
    const std::size_t length =
        static_cast<std::size_t>(std::to_chars(digits_start, std::end(decimal), value).ptr - decimal);
    read_as_meant({decimal, length}, answer, slip);
    return slip;
}

// "1j", "0+1j", "2-3i": a complex number in one word. The coefficients are real; at the point,
// its parts are the two numbers meant, or at the imaginary part the number meant, if that is all.
Slip imaginary_slip(std::string_view word, Answer answer)
{
    const std::string_view number = word.substr(0, word.size() - 1);
    // The sign that starts the imaginary part: the last one that follows no exponent.
    std::size_t cut = 0;
    for (std::size_t i = 1; i < number.size(); ++i) {
        if ((number[i] == '+' || number[i] == '-') && number[i - 1] != 'e' &&
            number[i - 1] != 'E') {
            cut = i;
        }
    }
    const std::string_view real = number.substr(0, cut);
    std::string_view imaginary = number.substr(cut);
    if (!imaginary.empty() && imaginary[0] == '+') {
        imaginary.remove_prefix(1);
    }
    if (!is_answer(imaginary, Answer::kImaginaryPart) ||
        (!real.empty() && !is_answer(real, Answer::kRealPart))) {
        return hint("");  // a bare "j", or parts that are no numbers
    }
    if (answer == Answer::kCoefficient) {
        return hint(kRealCoefficientsHint);
    }
    Slip slip = hint(kImaginaryHint);
    if (answer == Answer::kImaginaryPart && !real.empty()) {
        return slip;  // the real part was asked for already
    }
    const std::string_view real_part = real.empty() ? std::string_view("0") : real;
    char meant[kShownWordCharacters];
    if (answer == Answer::kImaginaryPart) {
        read_as_meant(imaginary, answer, slip);
    } else if (real_part.size() + 1 + imaginary.size() <= sizeof meant) {
        std::size_t length = real_part.copy(meant, sizeof meant);
        meant[length++] = ' ';
        length += imaginary.copy(meant + length, sizeof meant - length);
        read_as_meant({meant, length}, answer, slip);
    }
    return slip;
}

// A decimal number but for one slip in its form, which the hint names; nullptr where none.
const char* form_slip(std::string_view word)
{
    // "1e", "1e+": an exponent without its digits
    const std::size_t exponent = word.find_first_of("eE");
    if (exponent != std::string_view::npos && is_decimal_number(word.substr(0, exponent), '.') &&
        word.size() - exponent <= 2 && word.find_first_not_of("+-", exponent + 1) == std::string_view::npos) {
        return kExponentDigitsHint;
    }
    // "1.5.5": a second point
    const std::size_t point = word.find('.');
    if (point != std::string_view::npos && word.find('.', point + 1) != std::string_view::npos &&
        word.size() <= kShownWordCharacters) {
        char once[kShownWordCharacters];
        std::size_t length = 0;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '.' || i == point) {
                once[length++] = word[i];
            }
        }
        if (is_decimal_number({once, length}, '.')) {
            return kSecondPointHint;
        }
    }
    // "--1": a second sign
    const std::size_t signs = word.find_first_not_of("+-");
    if (signs > 1 && signs != std::string_view::npos &&
        is_decimal_number(word.substr(signs - 1), '.')) {
        return kSecondSignHint;
    }
    return nullptr;
}

bool has_letter_but_e(std::string_view word)
{
    return std::any_of(word.begin(), word.end(), [](char c) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        return lower >= 'a' && lower <= 'z' && lower != 'e';
    });
}

}  // namespace

bool is_answer(std::string_view word, Answer answer)
{
    if (answer == Answer::kOrder) {
        std::int32_t order = 0;
        return parse_integer(word, order) && order >= 0 && order < kMaxCoefficients;
    }
    float number = 0;
    return parse_single(word, number);
}

Slip find_slip(std::string_view word, Answer answer, bool starts_input, bool too_long)
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
    if (std::any_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80U; })) {
        return non_ascii_slip(word, answer);
    }
    if (word.find(',') != std::string_view::npos) {
        Slip slip = hint("");
        if (answer != Answer::kOrder && word.find(',') == word.rfind(',') &&
            !word.ends_with(',') && read_as_meant(word, answer, slip)) {
            slip.hint = kDecimalPointHint;
            return slip;
        }
        // A comma in the order is no habit of writing numbers that the hints could name.
        return hint(answer != Answer::kOrder && is_comma_separated(word) ? kSeparatorHint : "");
    }
    if (answer == Answer::kOrder) {
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
        return hexadecimal_slip(word, answer);
    }
    if (word.size() > 1 && (word.back() == 'j' || word.back() == 'J' || word.back() == 'i')) {
        const Slip slip = imaginary_slip(word, answer);
        if (slip.hint[0] != '\0') {
            return slip;
        }
    }
    const char* form = form_slip(word);
    if (form != nullptr) {
        return hint(form);
    }
    return hint(has_letter_but_e(word) ? kLetterHint : "");
}
