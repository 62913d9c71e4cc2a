#include "console/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Moves past the digits at position; how many there were.
std::size_t skip_digits(std::string_view word, std::size_t& position)
{
    const std::size_t start = position;
    while (position < word.size() && is_digit(word[position])) {
        ++position;
    }
    return position - start;
}

void skip_sign(std::string_view word, std::size_t& position)
{
    if (position < word.size() && (word[position] == '+' || word[position] == '-')) {
        ++position;
    }
}

// The whole word is a decimal number, its fraction marked by point.
bool is_decimal_number(std::string_view word, char point)
{
    std::size_t position = 0;
    skip_sign(word, position);
    std::size_t digits = skip_digits(word, position);
    if (position < word.size() && word[position] == point) {
        ++position;
        digits += skip_digits(word, position);
    }
    if (digits == 0) {
        return false;
    }
    if (position < word.size() && (word[position] == 'e' || word[position] == 'E')) {
        ++position;
        skip_sign(word, position);
        if (skip_digits(word, position) == 0) {
            return false;
        }
    }
    return position == word.size();
}

// Numbers joined by commas, with at least one comma: "1," or "1,0,1".
bool is_comma_separated(std::string_view word)
{
    std::size_t numbers = 0;
    while (!word.empty()) {
        const std::size_t comma = word.find(',');
        if (comma == std::string_view::npos) {
            return numbers > 0 && is_decimal_number(word, '.');
        }
        if (!is_decimal_number(word.substr(0, comma), '.')) {
            return false;
        }
        ++numbers;
        word.remove_prefix(comma + 1);
    }
    return numbers > 0;
}

}  // namespace

bool parse_integer(std::string_view word, std::int32_t& value)
{
    std::size_t position = 0;
    skip_sign(word, position);
    const bool negative = position > 0 && word[0] == '-';
    if (position == word.size()) {
        return false;
    }
    // Gathered as a negative number, whose range is the larger, and stopped before it overflows.
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    std::int64_t gathered = 0;
    for (; position < word.size(); ++position) {
        if (!is_digit(word[position])) {
            return false;
        }
        gathered = gathered * 10 - (word[position] - '0');
        if (gathered < kLowest) {
            return false;
        }
    }
    if (!negative && gathered == kLowest) {
        return false;
    }
    value = static_cast<std::int32_t>(negative ? gathered : -gathered);
    return true;
}

bool parse_single(std::string_view word, float& value)
{
    if (word.size() > kLongestNumber || !is_decimal_number(word, '.')) {
        return false;
    }
    // strtof rounds correctly on every platform the program is built for, and in the C locale
    // that the program never leaves its point is '.'. It reads up to a NUL, which a view lacks.
    char terminated[kLongestNumber + 1];
    std::copy(word.begin(), word.end(), terminated);
    terminated[word.size()] = '\0';
    char* end = nullptr;
    const float parsed = std::strtof(terminated, &end);
    if (end != terminated + word.size() || std::isinf(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

NumberHabit number_habit(std::string_view word)
{
    if (std::any_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80U; })) {
        return NumberHabit::kNotAscii;
    }
    const std::size_t comma = word.find(',');
    if (comma == std::string_view::npos) {
        return NumberHabit::kNone;
    }
    // "1," is a number and a separator, not a fraction.
    const bool trailing = comma + 1 == word.size();
    if (!trailing && word.find(',', comma + 1) == std::string_view::npos &&
        is_decimal_number(word, ',')) {
        return NumberHabit::kDecimalComma;
    }
    return is_comma_separated(word) ? NumberHabit::kCommaSeparator : NumberHabit::kNone;
}
