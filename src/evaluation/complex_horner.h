#pragma once

#include <cstdint>

// The largest polynomial the program handles has order 9, so ten coefficients.
inline constexpr std::int32_t kMaxCoefficients = 10;

struct ComplexValue {
    float re;
    float im;
};

// values[0] is the coefficient of the highest power, values[count - 1] the constant term;
// only the first count entries are meaningful.
struct CoefficientList {
    std::int32_t count;
    float values[kMaxCoefficients];
};

// Value of the polynomial at the point by Horner's scheme. Requires a count from 1 to
// kMaxCoefficients. Within a step the products and sums are carried in double precision, and each
// new part is rounded to single precision exactly once, when it is stored.
ComplexValue evaluate_polynomial(const CoefficientList& coefficients, ComplexValue point);
