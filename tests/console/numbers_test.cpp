// Numbers read as the dialogue reads them, against exact arithmetic rather than a C library: the
// decimal words are the exact midpoints between neighbouring single-precision values, written out
// digit by digit, and a hair above and below each, where one rounding error shows.

#include "console/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// A whole number as its decimal digits, most significant first.
std::string times(const std::string& digits, unsigned factor)
{
    std::string product(digits.size(), '0');
    unsigned carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const unsigned d = static_cast<unsigned>(digits[i] - '0') * factor + carry;
        product[i] = static_cast<char>('0' + d % 10);
        carry = d / 10;
    }
    for (; carry > 0; carry /= 10) {
        product.insert(product.begin(), static_cast<char>('0' + carry % 10));
    }
    return product;
}

std::string minus_one(std::string digits)
{
    std::size_t i = digits.size();
    while (digits[--i] == '0') {
        digits[i] = '9';
    }
    --digits[i];
    return digits.size() > 1 && digits[0] == '0' ? digits.substr(1) : digits;
}

// The exact value odd * 2^power as a decimal word: digits, then a decimal exponent.
struct Decimal {
    std::string digits;
    long exponent;

    std::string word() const { return digits + "e" + std::to_string(exponent); }
};

Decimal exactly(std::uint64_t odd, int power)
{
    Decimal value{std::to_string(odd), 0};
    for (; power > 0; --power) {
        value.digits = times(value.digits, 2);
    }
    for (; power < 0; ++power) {  // a half is five tenths
        value.digits = times(value.digits, 5);
        --value.exponent;
    }
    return value;
}

// A finite single-precision value with these bits, or the power of two beyond the largest, as
// significand * 2^power.
void split(std::uint32_t bits, std::uint64_t& significand, int& power)
{
    const std::uint32_t biased = bits >> 23U;
    significand = bits & 0x7FFFFFU;
    if (biased > 0) {
        significand += 0x800000U;
    }
    power = static_cast<int>(biased == 0 ? 1 : biased) - 150;
}

// A word and what the reader must make of it: the value's bits, or nothing where it is refused.
struct NumberCase {
    std::string word;
    std::optional<std::uint32_t> bits;
};

std::optional<std::uint32_t> accepted(std::uint32_t bits)
{
    return bits >= 0x7F800000U ? std::nullopt : std::optional(bits);
}

// The midpoint between the value with these bits and the next one up, which rounds to the one
// whose last bit is even; a hair below it, which rounds down, and a hair above, which rounds up.
void add_midpoint(std::vector<NumberCase>& cases, std::uint32_t below)
{
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    int low_power = 0;
    int high_power = 0;
    split(below, low, low_power);
    split(below + 1, high, high_power);
    std::uint64_t sum = low + (high << static_cast<unsigned>(high_power - low_power));
    int power = low_power - 1;
    for (; sum % 2 == 0; sum /= 2) {
        ++power;
    }
    const Decimal midpoint = exactly(sum, power);
    const std::uint32_t even = below % 2 == 0 ? below : below + 1;
    cases.push_back({midpoint.word(), accepted(even)});
    cases.push_back(
        {minus_one(midpoint.digits + "0") + "9e" + std::to_string(midpoint.exponent - 2),
         accepted(below)});
    cases.push_back(
        {midpoint.digits + "01e" + std::to_string(midpoint.exponent - 2), accepted(below + 1)});
}

std::vector<NumberCase> number_cases()
{
    std::vector<NumberCase> cases;
    // Zero and the smallest subnormal: below the midpoint a number reads as zero.
    add_midpoint(cases, 0);
    // Either side of every power of two in subnormal units, up to the smallest normal value.
    for (std::uint32_t units = 1; units <= 0x800000U; units *= 2) {
        add_midpoint(cases, units - 1);
        add_midpoint(cases, units);
    }
    // The largest value and the infinity beyond it: the midpoint is already too large.
    add_midpoint(cases, 0x7F7FFFFEU);
    add_midpoint(cases, 0x7F7FFFFFU);
    // Subnormal and normal values anywhere, the same on every platform.
    std::mt19937 random(20261209);  // NOLINT(cert-msc32-c,cert-msc51-cpp): repeatable on purpose
    for (int i = 0; i < 40; ++i) {
        add_midpoint(cases, static_cast<std::uint32_t>(random() % 0x800000U));
        add_midpoint(cases, static_cast<std::uint32_t>(random() % 0x7F000000U + 0x800000U));
    }
    return cases;
}

TEST(NumbersTest, EveryDecimalRoundsToNearestEven)
{
    for (const NumberCase& c : number_cases()) {
        float value = -1;
        const bool read = parse_single(c.word, value);
        EXPECT_EQ(read, c.bits.has_value()) << c.word;
        if (read && c.bits) {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(value), *c.bits) << c.word;
            float negative = 1;
            EXPECT_TRUE(parse_single("-" + c.word, negative));
            EXPECT_EQ(std::bit_cast<std::uint32_t>(negative), *c.bits | 0x80000000U) << c.word;
        }
    }
}

}  // namespace
