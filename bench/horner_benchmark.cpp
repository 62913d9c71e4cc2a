// How long one evaluation takes for each order, and one whole dialogue from input to result
// line, in-process: the program itself is bound by process start-up, not by these.

#include <benchmark/benchmark.h>

#include <sstream>

#include "console/dialogue.h"
#include "evaluation/complex_horner.h"
#include "support/scripted_input.h"

namespace {

CoefficientList coefficients_of_order(std::int64_t order)
{
    CoefficientList coefficients{};
    coefficients.count = static_cast<std::int32_t>(order) + 1;
    for (std::int32_t i = 0; i < coefficients.count; ++i) {
        coefficients.values[i] = 0.5F + static_cast<float>(i);
    }
    return coefficients;
}

// Independent evaluations, which the processor may overlap: throughput.
void evaluate_by_order(benchmark::State& state)
{
    const CoefficientList coefficients = coefficients_of_order(state.range(0));
    ComplexValue point{0.7F, 0.1F};
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        benchmark::DoNotOptimize(evaluate_polynomial(coefficients, point));
    }
}
BENCHMARK(evaluate_by_order)->DenseRange(0, kMaxCoefficients - 1);

// Each evaluation waits for the one before (the point takes a zero made from its result): latency.
void evaluate_chained_by_order(benchmark::State& state)
{
    const CoefficientList coefficients = coefficients_of_order(state.range(0));
    ComplexValue point{0.7F, 0.1F};
    for (auto _ : state) {
        const ComplexValue value = evaluate_polynomial(coefficients, point);
        point.re += value.re * 0.0F;
    }
    benchmark::DoNotOptimize(point);
}
BENCHMARK(evaluate_chained_by_order)->DenseRange(0, kMaxCoefficients - 1);

void no_key() {}

void whole_dialogue(benchmark::State& state)
{
    for (auto _ : state) {
        Script script{"9\n1 -2 3 -4 5 -6 7 -8 9 -10\n0.7 0.1\n"};
        AnswerReader input{read_script, &script};
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(run_dialogue(input, out, err,
                                              {.output_on_terminal = true,
                                               .errors_on_terminal = false,
                                               .input_on_terminal = false,
                                               .wait_for_key = no_key}));
    }
}
BENCHMARK(whole_dialogue);

}  // namespace

BENCHMARK_MAIN();
