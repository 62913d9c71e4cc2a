#include "console/numbers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace {

constexpr std::string_view kDigits = "0123456789";

// Where the run of digits that starts at position ends.
std::size_t digits_end(std::string_view word, std::size_t position)
{
    return std::min(word.find_first_not_of(kDigits, position), word.size());
}

// The power of ten of the first significant digit of a number without its sign: 2 for "123", -3
// for "0.00123", 1 for "1e1"; below any limit of single precision for a number of zeros. Only its
// sign matters to the caller, so a huge exponent is held at a bound that no word reaches otherwise.
long decimal_exponent(std::string_view digits)
{
    const std::size_t mantissa_end = std::min(digits.find_first_of("eE"), digits.size());
    const std::size_t point = std::min(digits.find('.'), mantissa_end);
    const std::size_t first = digits.substr(0, mantissa_end).find_first_of("123456789");
    if (first == std::string_view::npos) {
        return -1;
    }
    long exponent =
        first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    const std::string_view written = digits.substr(std::min(mantissa_end + 1, digits.size()));
    long magnitude = 0;
    constexpr long kBound = 100000;
    for (std::size_t i = written.size() - without_sign(written).size();
         i < written.size() && magnitude < kBound; ++i) {
        magnitude = magnitude * 10 + (written[i] - '0');
    }
    exponent += written.starts_with('-') ? -magnitude : magnitude;
    return exponent;
}

// The magnitude of a number without its sign, rounded to the nearest single-precision value;
// false where it lies beyond single precision or below half its smallest subnormal. Read with
// std::from_chars where the standard library rounds every decimal correctly with it: libstdc++
// from 12 and Microsoft's library. MinGW-w64's strtof misrounds the ties between subnormals, so a
// Windows build must not use it. libc++ has from_chars for float only from version 20; before
// that strtof serves there, as it rounds correctly on the systems libc++ ships with (macOS, the
// BSDs).
bool read_magnitude(std::string_view digits, float& magnitude)
{
#if (defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE >= 12) || defined(_MSC_VER) ||                  \
    (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION >= 200000)
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

std::string_view without_sign(std::string_view word)
{
    return word.substr(!word.empty() && (word[0] == '+' || word[0] == '-') ? 1 : 0);
}

bool is_decimal_number(std::string_view word, char point)
{
    word = without_sign(word);
    const std::size_t whole_end = digits_end(word, 0);
    const bool has_point = whole_end < word.size() && word[whole_end] == point;
    const std::size_t end = has_point ? digits_end(word, whole_end + 1) : whole_end;
    if (end == (has_point ? 1U : 0U)) {
        return false;  // no digit at all
    }
    if (end < word.size() && (word[end] == 'e' || word[end] == 'E')) {
        const std::string_view exponent = without_sign(word.substr(end + 1));
        return !exponent.empty() && digits_end(exponent, 0) == exponent.size();
    }
    return end == word.size();
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
    const std::string_view digits = without_sign(word);
    float magnitude = 0;
    if (!read_magnitude(digits, magnitude)) {
        // Out of range: beyond single precision, refused; or too small for it, zero.
        if (decimal_exponent(digits) >= 0) {
            return false;
        }
        magnitude = 0;
    }
    value = word.front() == '-' ? -magnitude : magnitude;
    return true;
}
