#include "console/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// Each word with what it reads as, as an integer and as a single-precision number; nullopt
// where it is no such number. The words are std::string so that each is followed by a NUL.
struct NumberWord {
    std::string word;
    std::optional<std::int32_t> integer;
    std::optional<float> single;
    CommaHabit habit = CommaHabit::kNone;
};

const NumberWord kNumberWords[] = {
    {"7", 7, 7.0F},
    {"+007", 7, 7.0F},
    {"-0", 0, -0.0F},
    {"2147483647", 2147483647, 2147483647.0F},
    {"-2147483648", INT32_MIN, -2147483648.0F},
    {"2147483648", std::nullopt, 2147483648.0F},
    {".5", std::nullopt, 0.5F},
    {"5.", std::nullopt, 5.0F},
    {"+.5e-3", std::nullopt, 0.5e-3F},
    {"1E+2", std::nullopt, 100.0F},
    {"1e-50", std::nullopt, 0.0F},  // below single precision: zero, as reading always gave
    {"3.4028235e38", std::nullopt, 3.4028235e38F},
    {"3.5e38", std::nullopt, std::nullopt},
    {"", std::nullopt, std::nullopt},
    {"+", std::nullopt, std::nullopt},
    {".", std::nullopt, std::nullopt},
    {"e5", std::nullopt, std::nullopt},
    {"1e", std::nullopt, std::nullopt},
    {"1e+", std::nullopt, std::nullopt},
    {"--1", std::nullopt, std::nullopt},
    {"1 ", std::nullopt, std::nullopt},
    {"nan", std::nullopt, std::nullopt},
    {"0x10", std::nullopt, std::nullopt},
    {"0,5", std::nullopt, std::nullopt, CommaHabit::kDecimalComma},
    {",5", std::nullopt, std::nullopt, CommaHabit::kDecimalComma},
    {"1,", std::nullopt, std::nullopt, CommaHabit::kCommaSeparator},
    {"1,5,", std::nullopt, std::nullopt, CommaHabit::kCommaSeparator},
    {"1,0,1", std::nullopt, std::nullopt, CommaHabit::kCommaSeparator},
    {"1,,1", std::nullopt, std::nullopt},
    {"a,5", std::nullopt, std::nullopt},
};

class NumberWordTest : public testing::TestWithParam<NumberWord> {};

TEST_P(NumberWordTest, ReadsAsWhole)
{
    const NumberWord& c = GetParam();
    std::int32_t integer = -1;
    EXPECT_EQ(parse_integer(c.word, integer) ? std::optional(integer) : std::nullopt, c.integer);
    float single = -1.0F;
    ASSERT_EQ(parse_single(c.word, single), c.single.has_value());
    if (c.single) {
        // Bit for bit: the sign of a zero counts.
        EXPECT_EQ(std::signbit(single), std::signbit(*c.single));
        EXPECT_EQ(single, *c.single);
    }
    EXPECT_EQ(comma_habit(c.word), c.habit);
}

INSTANTIATE_TEST_SUITE_P(Words, NumberWordTest, testing::ValuesIn(kNumberWords));

}  // namespace
