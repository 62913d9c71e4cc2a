#include "transcripts/transcript_cases.h"

#include <ostream>
#include <string_view>

namespace {

const std::u8string kHeading = u8"Программа демонстрирует расчет полиномов по схеме Горнера\n"
                               u8"с комплексными корнями\n"
                               u8"Задайте порядок уравнения: ";
const std::u8string kCoefficientsPrompt = u8"Задайте коэффициенты полинома через пробел:\n"
                                          u8"от a0 при X в N-ой степени до aN свободный член\n"
                                          u8"a()= ";
const std::u8string kPointPrompt =
    u8"Задайте через пробел действительное и компл. значение корня: ";
const std::u8string kPressAnyKey = u8"Нажмите любую клавишу";

const std::u8string kOrderError = u8"Ошибка: ожидался порядок уравнения - целое число от 0 до 9\n";
const std::u8string kRealPartError =
    u8"Ошибка: ожидалась действительная часть корня - число одинарной точности\n";
const std::u8string kImaginaryPartError =
    u8"Ошибка: ожидалась мнимая часть корня - число одинарной точности\n";
const std::u8string kOutputError = u8"Ошибка: не удалось записать стандартный вывод\n";

std::u8string coefficient_error(std::u8string_view name, std::u8string_view hint)
{
    return u8"Ошибка: ожидался коэффициент " + std::u8string(name) +
           u8" - число одинарной точности" + std::u8string(hint) + u8"\n";
}

// A whole run that ends with a result line such as u8"y=0 0j".
TranscriptCase result(std::string name, std::string input, std::u8string_view result_line)
{
    return {std::move(name),
            std::move(input),
            kHeading + kCoefficientsPrompt + kPointPrompt + u8"Значение полинома: " +
                std::u8string(result_line) + u8"\n" + kPressAnyKey,
            u8"",
            0,
            {}};
}

// Runs that stop at bad input, after the prompt named by where they stop.
TranscriptCase bad_order(std::string name, std::string input)
{
    return {std::move(name), std::move(input), kHeading + kPressAnyKey, kOrderError, 1, {}};
}

TranscriptCase bad_coefficient(std::string name, std::string input, std::u8string_view coefficient,
                               std::u8string_view hint = {})
{
    return {std::move(name),
            std::move(input),
            kHeading + kCoefficientsPrompt + kPressAnyKey,
            coefficient_error(coefficient, hint),
            1,
            {}};
}

TranscriptCase bad_point(std::string name, std::string input, const std::u8string& error)
{
    return {std::move(name),
            std::move(input),
            kHeading + kCoefficientsPrompt + kPointPrompt + kPressAnyKey,
            error,
            1,
            {}};
}

// Nothing reaches standard output, so the run is a failure whatever the input.
TranscriptCase output_lost(std::string name, std::string input)
{
    return {std::move(name), std::move(input), u8"", kOutputError, 2, {}, true};
}

const std::string kMegabyteOfBlanks(1 << 20, ' ');
const std::string kMegabyteOfDigits(1 << 20, '9');

std::vector<TranscriptCase> make_cases()
{
    std::vector<TranscriptCase> cases{
        result("sample_screen", "2\n1 0 1\n0 1\n", u8"y=0 0j"),
        result("order0", "0\n7\n3 4\n", u8"y=7 0j"),
        result("linear_above_real_axis", "1\n2 3\n1 1\n", u8"y=5 2j"),
        result("linear_below_real_axis", "1\n2 3\n1 -1\n", u8"y=5 -2j"),
        result("wide_intermediates", "1\n-3 2\n0.7 0.1\n", u8"y=-0.1 -0.3j"),
        // Exactly ten coefficients: an eleventh read would take the 2 meant for the point.
        result("order9_reads_ten", "9\n1 1 1 1 1 1 1 1 1 1 2 0\n", u8"y=1023 0j"),
        result("one_number_per_line", "2\n1\n0\n1\n0\n1\n", u8"y=0 0j"),
        result("numbers_typed_ahead", "2\n1 0 1 0 1\n", u8"y=0 0j"),
        result("fractional_order_leaves_fraction", "2.5\n0 1\n0 1\n", u8"y=0.5 0j"),
        result("exponent_notation", "1\n1 0\n1e7 -1e-6\n", u8"y=1e+07 -1e-06j"),
        result("six_significant_digits", "1\n1 0\n123456.7 0.0001\n", u8"y=123457 0.0001j"),
        result("fixed_up_to_exponent_five", "1\n1 0\n100000 999999.7\n", u8"y=100000 1e+06j"),
        result("negative_zero", "1\n-1 -1\n-1 0\n", u8"y=0 -0j"),
        result("overflow_prints_infinity", "1\n1e20 1e20\n1e20 -1e20\n", u8"y=inf -infj"),
        result("nan_has_no_sign", "2\n1e20 0 0\n1e20 1e20\n", u8"y=nan infj"),
        // Adding the two products first would lose the 1 to rounding and print y=1.
        result("cancellation_inside_step", "2\n1 0 1\n1e9 1e9\n", u8"y=0 2e+18j"),
        result("text_after_last_number_stays_unread", "0\n7\n3 4 junk\n", u8"y=7 0j"),
        result("megabyte_of_blanks", kMegabyteOfBlanks + "0" + kMegabyteOfBlanks + "7 1 1",
               u8"y=7 0j"),
        result("tiny_value_with_many_digits", "0\n0." + std::string(1 << 20, '0') + "1\n0 0\n",
               u8"y=0 0j"),
        bad_order("order_not_a_number", "abc\n"),
        bad_order("order_above_nine", "10\n"),
        bad_order("order_below_zero", "-1\n"),
        bad_order("order_beyond_int", "99999999999\n"),
        bad_order("order_megabyte_of_digits", kMegabyteOfDigits),
        bad_order("no_input", ""),
        bad_coefficient("coefficient_not_a_number", "2\n1 x 1\n", u8"a1"),
        bad_coefficient("coefficient_beyond_single", "1\n1e39 1\n", u8"a0"),
        bad_coefficient("coefficient_megabyte_of_digits", "0\n" + kMegabyteOfDigits, u8"a0"),
        bad_coefficient("coefficients_end_early", "9\n1 2 3 4 5 6 7 8 9\n", u8"a9"),
        bad_coefficient("decimal_comma", "1\n0,5 1\n0 1\n", u8"a1",
                        u8" (дробную часть отделяйте точкой)"),
        bad_point("real_part_not_a_number", "1\n2 3\nabc\n", kRealPartError),
        bad_point("imaginary_part_missing", "1\n2 3\n1", kImaginaryPartError),
        bad_point("imaginary_part_beyond_single", "1\n2 3\n1 -1e39\n", kImaginaryPartError),
        output_lost("output_unwritable", "2\n1 0 1\n0 1\n"),
        output_lost("output_unwritable_before_bad_input", "abc\n"),
    };
    TranscriptCase with_arguments = result("arguments_ignored", "0\n7\n3 4\n", u8"y=7 0j");
    with_arguments.arguments = {"--help", "9"};
    cases.push_back(with_arguments);
    return cases;
}

}  // namespace

std::span<const TranscriptCase> transcript_cases()
{
    static const std::vector<TranscriptCase> cases = make_cases();
    return cases;
}

void PrintTo(const TranscriptCase& c, std::ostream* out)
{
    *out << c.name;
}
