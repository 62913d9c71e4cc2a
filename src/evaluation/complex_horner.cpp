#include "evaluation/complex_horner.h"

// A fused multiply-add would skip a rounding that the result depends on. The build turns
// contraction off for GCC and clang; older Visual C++ compilers need telling here.
#if defined(_MSC_VER) && !defined(__clang__)
#pragma fp_contract(off)
#endif

ComplexValue evaluate_polynomial(const CoefficientList& coefficients, ComplexValue point)
{
    // The leading coefficient is taken over bit for bit: no arithmetic touches it.
    ComplexValue p{coefficients.values[0], 0.0F};
    const double x_re = point.re;
    const double x_im = point.im;

    for (std::int32_t i = 1; i < coefficients.count; ++i) {
        const double a = coefficients.values[i];
        // The grouping is deliberate: (x.re * p.re + a) first, then x.im * p.im taken off. The
        // products of two floats are exact in double; only the sums round before the final store.
        const auto new_re = static_cast<float>((x_re * p.re + a) - x_im * p.im);
        p.im = static_cast<float>(x_re * p.im + x_im * p.re);
        p.re = new_re;
    }
    return p;
}
