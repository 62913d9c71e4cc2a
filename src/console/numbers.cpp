#include "console/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

// Numbers are read with std::from_chars where the standard library rounds every decimal
// correctly with it: libstdc++ from 12 and Microsoft's library. MinGW-w64's strtof misrounds
// the ties between subnormals, so a Windows build must not use it. libc++ has from_chars for
// float only from version 20; before that strtof serves there, as it rounds correctly on the
// systems libc++ ships with (macOS, the BSDs).
#if (defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE >= 12) || defined(_MSC_VER) ||                  \
    (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION >= 200000)
#define HORNER_HAS_FLOAT_FROM_CHARS 1
#else
#define HORNER_HAS_FLOAT_FROM_CHARS 0
#include <cerrno>
#include <cstdlib>
#endif

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

// The power of ten of the word's first significant digit, sign taken off: 2 for "123", -3 for
// "0.00123", 1 for "1e1"; below any limit of single precision for a word of zeros. Only its sign
// matters to the caller, so a huge exponent is held at a bound that no word can reach otherwise.
long decimal_exponent(std::string_view digits)
{
    const std::size_t point = std::min(digits.find_first_of(".eE"), digits.size());
    const std::size_t mantissa_end = std::min(digits.find_first_of("eE"), digits.size());
    const std::size_t first = digits.substr(0, mantissa_end).find_first_of("123456789");
    if (first == std::string_view::npos) {
        return -1;
    }
    long exponent =
        first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    constexpr long kBound = 100000;
    long written = 0;
    std::size_t position = mantissa_end + 1;
    const bool written_negative = position < digits.size() && digits[position] == '-';
    skip_sign(digits, position);
    for (; position < digits.size() && written < kBound; ++position) {
        written = written * 10 + (digits[position] - '0');
    }
    exponent += written_negative ? -written : written;
    return exponent;
}

// The magnitude of a number without its sign, rounded to the nearest single-precision value;
// false where it lies beyond single precision or below half its smallest subnormal.
bool read_magnitude(std::string_view digits, float& magnitude)
{
#if HORNER_HAS_FLOAT_FROM_CHARS
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    return error == std::errc{} && end == digits.data() + digits.size();
#else
    // strtof, which reads up to a NUL that a view lacks, in the C locale that the program never
    // leaves, where its point is '.'.
    char terminated[kLongestNumber + 1];
    std::copy(digits.begin(), digits.end(), terminated);
    terminated[digits.size()] = '\0';
    char* end = nullptr;
    errno = 0;
    magnitude = std::strtof(terminated, &end);
    return errno != ERANGE || (magnitude != 0 && !std::isinf(magnitude));
#endif
}

}  // namespace

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

bool parse_integer(std::string_view word, std::int32_t& value)
{
    // from_chars takes a minus sign but no plus sign: a plus sign is taken off, and must be
    // followed by a digit
    const bool plus = word.starts_with('+');
    word.remove_prefix(plus ? 1 : 0);
    const char* const end = word.data() + word.size();
    const auto read = std::from_chars(word.data(), end, value);
    return read.ec == std::errc{} && read.ptr == end && !(plus && word.starts_with('-'));
}

bool parse_single(std::string_view word, float& value)
{
    if (word.size() > kLongestNumber || !is_decimal_number(word, '.')) {
        return false;
    }
    std::string_view digits = word;
    const bool negative = word.front() == '-';
    if (word.front() == '+' || negative) {
        digits.remove_prefix(1);
    }
    float magnitude = 0;
    if (!read_magnitude(digits, magnitude)) {
        // Out of range: beyond single precision, refused; or too small for it, zero.
        if (decimal_exponent(digits) >= 0) {
            return false;
        }
        magnitude = 0;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}
