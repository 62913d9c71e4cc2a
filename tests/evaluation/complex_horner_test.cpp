#include "evaluation/complex_horner.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>

namespace {

struct EvaluationCase {
    std::string name;
    std::initializer_list<float> coefficients;
    ComplexValue point;
    std::uint32_t expected_re_bits;
    std::uint32_t expected_im_bits;
};

std::ostream& operator<<(std::ostream& out, const EvaluationCase& c)
{
    return out << c.name;
}

CoefficientList make_list(std::initializer_list<float> values)
{
    CoefficientList list{};
    for (const float value : values) {
        list.values[list.count++] = value;
    }
    return list;
}

std::uint32_t bits_of(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

// Expected bits were worked out independently: binary64 products and sums within each step,
// one rounding to binary32 per stored part.
const EvaluationCase kCases[] = {
    {"order0_constant", {5.0F}, {3.0F, 4.0F}, 0x40A00000, 0x00000000},
    {"x2_plus_1_at_j", {1.0F, 0.0F, 1.0F}, {0.0F, 1.0F}, 0x00000000, 0x00000000},
    {"linear_at_1_plus_j", {2.0F, 3.0F}, {1.0F, 1.0F}, 0x40A00000, 0x40000000},
    {"linear_at_1_minus_j", {2.0F, 3.0F}, {1.0F, -1.0F}, 0x40A00000, 0xC0000000},
    // All-single arithmetic gives 0xBDCCCCC0 (-0.0999999046) here.
    {"wide_intermediates", {-3.0F, 2.0F}, {0.7F, 0.1F}, 0xBDCCCCC8, 0xBE99999A},
    {"x2_plus_1_at_minus_j_keeps_negative_zero",
     {1.0F, 0.0F, 1.0F},
     {0.0F, -1.0F},
     0x00000000,
     0x80000000},
    {"minus_x_minus_1_at_minus_1", {-1.0F, -1.0F}, {-1.0F, 0.0F}, 0x00000000, 0x80000000},
    // All-single arithmetic gives 0xC0B852FA, 0xC13D7DE0.
    {"order9_mixed",
     {1.5F, -2.25F, 3.125F, -0.7F, 0.3F, 1e-3F, -7.0F, 2.5F, 0.1F, -9.75F},
     {0.9F, -1.3F},
     0xC0B852F8,
     0xC13D7DE2},
    {"order9_on_real_axis",
     {0.1F, 0.2F, 0.3F, 0.4F, 0.5F, 0.6F, 0.7F, 0.8F, 0.9F, 1.0F},
     {1.1F, 0.0F},
     0x40F0FF54,
     0x00000000},
    // Real Horner with one rounding per step; all-single arithmetic gives 0x4194999A.
    {"real_axis_matches_real_horner", {3.3F, -1.1F, 0.7F}, {2.5F, 0.0F}, 0x41949999, 0x00000000},
    // The product is a float midpoint and the addend lies below double precision: binary64
    // loses it and ties to even (0x3F801000); 80-bit x87 arithmetic keeps it and rounds up
    // (0x3F801001). The program carries binary64 on every platform, so the bits agree.
    {"binary64_intermediates_everywhere",
     {0x1.001p0F, 0x1p-60F},
     {0x1.001p0F, 0.0F},
     0x3F801000,
     0x00000000},
    // 1 + 1e18 - 1e18: adding the coefficient before the second product keeps nothing of the 1,
    // and that is the order the scheme prescribes; summing the products first would give 1.
    {"cancellation_inside_step", {1.0F, 0.0F, 1.0F}, {1e9F, 1e9F}, 0x00000000, 0x5DDE0B6B},
    {"overflow_goes_to_infinity", {1e20F, 1e20F}, {1e20F, 1e20F}, 0x7F800000, 0x7F800000},
};

class EvaluationTest : public testing::TestWithParam<EvaluationCase> {};

TEST_P(EvaluationTest, GivesExactBits)
{
    const EvaluationCase& c = GetParam();
    const ComplexValue result = evaluate_polynomial(make_list(c.coefficients), c.point);
    EXPECT_EQ(bits_of(result.re), c.expected_re_bits);
    EXPECT_EQ(bits_of(result.im), c.expected_im_bits);
}

INSTANTIATE_TEST_SUITE_P(Cases, EvaluationTest, testing::ValuesIn(kCases), CaseName{});

TEST(EvaluationTest, LeadingCoefficientAloneKeepsItsBits)
{
    for (const std::uint32_t pattern : {0x80000000U, 0x00000001U, 0x7FC12345U, 0xFF800000U}) {
        CoefficientList list{};
        list.count = 1;
        list.values[0] = std::bit_cast<float>(pattern);
        const ComplexValue result = evaluate_polynomial(list, {2.0F, -3.0F});
        EXPECT_EQ(bits_of(result.re), pattern);
        EXPECT_EQ(bits_of(result.im), 0x00000000U);
    }
}

TEST(EvaluationTest, IgnoresEntriesBeyondCount)
{
    CoefficientList list = make_list({2.0F, 3.0F});
    list.values[2] = 1000.0F;
    const ComplexValue result = evaluate_polynomial(list, {1.0F, 1.0F});
    EXPECT_EQ(result.re, 5.0F);
    EXPECT_EQ(result.im, 2.0F);
}

}  // namespace
