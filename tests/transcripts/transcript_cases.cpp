#include "transcripts/transcript_cases.h"

#include <ostream>
#include <string_view>

#include "console/shown_word.h"
#include "console/words.h"

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

// What an error line says was expected.
const std::u8string kOrder = u8"ожидался порядок уравнения - целое число от 0 до 9";
const std::u8string kRealPart = u8"ожидалась действительная часть корня - число одинарной точности";
const std::u8string kImaginaryPart = u8"ожидалась мнимая часть корня - число одинарной точности";
const std::u8string kDecimalPointHint = u8" (дробную часть отделяйте точкой)";
const std::u8string kSeparatorHint = u8" (числа разделяйте пробелами)";
const std::u8string kNotAsciiHint =
    u8" (пишите цифры 0-9 и латинскую букву e, числа разделяйте обычными пробелами)";
const std::u8string kTooLongHint = u8" (слишком длинное слово)";
const std::u8string kOutputError = u8"Ошибка: не удалось записать в стандартный вывод\n";

std::u8string coefficient(std::u8string_view name)
{
    return u8"ожидался коэффициент " + std::u8string(name) + u8" - число одинарной точности";
}

// The error line for a word refused, shown as the user sees it: in quotes, with every byte outside
// printable ASCII escaped.
std::u8string refused(std::u8string_view shown_word, std::u8string_view expected,
                      std::u8string_view hint = {})
{
    return u8"Ошибка: введено '" + std::u8string(shown_word) + u8"', а " + std::u8string(expected) +
           std::u8string(hint) + u8"\n";
}

std::u8string input_ended(std::u8string_view expected)
{
    return u8"Ошибка: ввод закончился, а " + std::u8string(expected) + u8"\n";
}

// A whole run that ends with a result line such as u8"y=0 0j".
TranscriptCase result(std::string name, std::string input, std::u8string_view result_line)
{
    return {std::move(name), std::move(input),
            kHeading + kCoefficientsPrompt + kPointPrompt + u8"Значение полинома: " +
                std::u8string(result_line) + u8"\n" + kPressAnyKey,
            u8"", 0};
}

// Runs that stop at bad input, after the prompt named by where they stop.
TranscriptCase bad_order(std::string name, std::string input, std::u8string error_line)
{
    return {std::move(name), std::move(input), kHeading + kPressAnyKey, std::move(error_line), 1};
}

TranscriptCase bad_coefficient(std::string name, std::string input, std::u8string error_line)
{
    return {std::move(name), std::move(input), kHeading + kCoefficientsPrompt + kPressAnyKey,
            std::move(error_line), 1};
}

TranscriptCase bad_point(std::string name, std::string input, std::u8string error_line)
{
    return {std::move(name), std::move(input),
            kHeading + kCoefficientsPrompt + kPointPrompt + kPressAnyKey, std::move(error_line), 1};
}

// Standard output takes only what out holds, then fails, as a full disk does: the run is a
// failure whatever the input, and nothing else is reported.
TranscriptCase output_fills_up(std::string name, std::string input, std::u8string out = {})
{
    TranscriptCase c{std::move(name), std::move(input), std::move(out), kOutputError, 2};
    c.output_fills_up = true;
    return c;
}

const std::string kMegabyteOfBlanks(1 << 20, ' ');
const std::string kMegabyteOfDigits(1 << 20, '9');
// The longest word read whole: halfway between 1 and the next single-precision value, and a 1 in
// its last digit that only an exact reading sees, to round up rather than to even.
const std::string kHalfwayAboveOne = "1.000000059604644775390625";
const std::string kJustAboveHalfway =
    kHalfwayAboveOne + std::string(kLongestWord - 1 - kHalfwayAboveOne.size(), '0') + "1";
const std::string kSubnormalTie =
    "2.101947696487225606385594374934874196920392912814773657635602425834686624028790902229957282"
    "543182373046875e-45";
const std::string kLongestWordOfDigits(kLongestWord, '9');
const std::string kByteOrderMark = "\xEF\xBB\xBF";
// A word too long to be shown whole, as the error line cuts it.
const std::u8string kNinesCut = std::u8string(kShownWordCharacters, u8'9') + u8"...";

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
        result("order_with_sign_and_zeros", "+02\t1 0 1\r\n0 1\v\f", u8"y=0 0j"),
        result("form_feed_between_answers", "0\f7 3\f4", u8"y=7 0j"),
        result("numbers_in_every_form", "2\n+.5e1 5. -0\n1E+1 -.5\n", u8"y=548.75 -52.5j"),
        result("exponent_notation", "1\n1 0\n1e7 -1e-6\n", u8"y=1e+07 -1e-06j"),
        result("six_significant_digits", "1\n1 0\n123456.7 0.0001\n", u8"y=123457 0.0001j"),
        result("fixed_up_to_exponent_five", "1\n1 0\n100000 999999.7\n", u8"y=100000 1e+06j"),
        result("negative_zero", "1\n-1 -1\n-1 0\n", u8"y=0 -0j"),
        result("overflow_prints_infinity", "1\n1e20 1e20\n1e20 -1e20\n", u8"y=inf -infj"),
        result("nan_has_no_sign", "2\n1e20 0 0\n1e20 1e20\n", u8"y=nan infj"),
        // Past an overflow the steps are plain IEEE arithmetic: infinity times zero is NaN.
        result("overflow_then_nan", "3\n1 0 0 0\n1e20 0\n", u8"y=inf nanj"),
        // Adding the two products first would lose the 1 to rounding and print y=1.
        result("cancellation_inside_step", "2\n1 0 1\n1e9 1e9\n", u8"y=0 2e+18j"),
        result("text_after_last_number_stays_unread", "0\n7\n3 4 junk\n", u8"y=7 0j"),
        result("megabyte_of_blanks", kMegabyteOfBlanks + "0" + kMegabyteOfBlanks + "7 1 1",
               u8"y=7 0j"),
        // Below single precision a number reads as zero, as it always has.
        result("tiny_value_is_zero", "0\n1e-50\n0 0\n", u8"y=0 0j"),
        // Exactly 1.5 times the smallest subnormal: the tie goes to the even neighbour, twice it.
        result("tie_between_subnormals_to_even", "0\n" + kSubnormalTie + "\n0 0\n",
               u8"y=2.8026e-45 0j"),
        result("longest_word_read_exactly", "1\n1 -1\n" + kJustAboveHalfway + " 0\n",
               u8"y=1.19209e-07 0j"),
        // Windows Notepad starts a UTF-8 file with a byte-order mark.
        result("byte_order_mark", kByteOrderMark + "2\n1 0 1\n0 1\n", u8"y=0 0j"),
        // The mark costs the first word none of its length.
        result("byte_order_mark_before_longest_word",
               kByteOrderMark + std::string(kLongestWord - 1, '0') + "1 1 -1 " + kJustAboveHalfway +
                   " 0",
               u8"y=1.19209e-07 0j"),
        bad_order("order_not_a_number", "abc\n", refused(u8"abc", kOrder)),
        bad_order("order_above_nine", "10\n", refused(u8"10", kOrder)),
        bad_order("order_below_zero", "-1\n", refused(u8"-1", kOrder)),
        bad_order("order_beyond_int", "99999999999\n", refused(u8"99999999999", kOrder)),
        bad_order("order_beyond_32_bits", "4294967298\n1 0 1\n0 1\n",
                  refused(u8"4294967298", kOrder)),
        bad_order("order_sign_alone", "-\n", refused(u8"-", kOrder)),
        bad_order("order_decimal_comma_gets_no_point_hint", "2,5\n", refused(u8"2,5", kOrder)),
        bad_order("order_not_whole", "2.5\n1 0 1\n0 1\n", refused(u8"2.5", kOrder)),
        bad_order("order_longer_than_a_word", kMegabyteOfDigits,
                  refused(kNinesCut, kOrder, kTooLongHint)),
        bad_order("no_input", "", input_ended(kOrder)),
        bad_order("byte_order_mark_alone", kByteOrderMark, input_ended(kOrder)),
        bad_order("byte_order_mark_cut_short", "\xEF\xBB",
                  refused(u8"\\xef\\xbb", kOrder, kNotAsciiHint)),
        bad_coefficient("coefficient_not_a_number", "2\n1 x 1\n",
                        refused(u8"x", coefficient(u8"a1"))),
        bad_coefficient("coefficient_beyond_single", "1\n1e39 1\n",
                        refused(u8"1e39", coefficient(u8"a0"))),
        bad_coefficient("coefficient_one_character_too_long", "0\n" + kLongestWordOfDigits + "9",
                        refused(kNinesCut, coefficient(u8"a0"), kTooLongHint)),
        bad_coefficient("coefficients_end_early", "9\n1 2 3 4 5 6 7 8 9\n",
                        input_ended(coefficient(u8"a9"))),
        bad_coefficient("decimal_comma", "1\n0,5 1\n0 1\n",
                        refused(u8"0,5", coefficient(u8"a0"), kDecimalPointHint)),
        bad_coefficient("numbers_separated_by_commas", "2\n1, 0, 1\n0 1\n",
                        refused(u8"1,", coefficient(u8"a0"), kSeparatorHint)),
        bad_coefficient("numbers_joined_by_commas", "2\n1,0,1\n0 1\n",
                        refused(u8"1,0,1", coefficient(u8"a0"), kSeparatorHint)),
        bad_coefficient("comma_alone_gets_no_hint", "1\n1 ,\n",
                        refused(u8",", coefficient(u8"a1"))),
        bad_coefficient("comma_in_a_word_with_a_typo_gets_no_hint", "1\n1,5e 1\n",
                        refused(u8"1,5e", coefficient(u8"a0"))),
        bad_coefficient("comma_after_a_letter_gets_no_hint", "1\nx,1 1\n",
                        refused(u8"x,1", coefficient(u8"a0"))),
        // A no-break space looks like a blank but joins "1" and "0" into one word.
        bad_coefficient("no_break_space_between_numbers",
                        "2\n1\xC2\xA0"
                        "0 1\n",
                        refused(u8"1\\xc2\\xa00", coefficient(u8"a0"), kNotAsciiHint)),
        bad_coefficient("byte_ff_is_a_character", "0\n\xFF\n",
                        refused(u8"\\xff", coefficient(u8"a0"), kNotAsciiHint)),
        bad_coefficient("byte_80_is_outside_ascii", "0\n\x80\n",
                        refused(u8"\\x80", coefficient(u8"a0"), kNotAsciiHint)),
        // Only the very first bytes of the input can be a byte-order mark.
        bad_coefficient("byte_order_mark_inside", "1\n" + kByteOrderMark + "2 3\n1 1",
                        refused(u8"\\xef\\xbb\\xbf2", coefficient(u8"a0"), kNotAsciiHint)),
        // Arrow keys and a Backspace in a file reach the word as bytes; none reaches the terminal
        // as a control again.
        bad_coefficient("control_characters_shown_escaped",
                        "0\n1\x1b[D\x7f"
                        "5\n",
                        refused(u8"1\\x1b[D\\x7f5", coefficient(u8"a0"))),
        bad_coefficient("quote_and_backslash_escaped", "0\n1'5\\\n",
                        refused(u8"1\\'5\\\\", coefficient(u8"a0"))),
        bad_coefficient("word_as_long_as_shown", "0\n" + std::string(kShownWordCharacters, 'x'),
                        refused(std::u8string(kShownWordCharacters, u8'x'), coefficient(u8"a0"))),
        // An escape is shown whole or not at all.
        bad_coefficient("escape_beyond_what_is_shown",
                        "0\n" + std::string(kShownWordCharacters - 1, 'x') + "\xD0\xB5",
                        refused(std::u8string(kShownWordCharacters - 1, u8'x') + u8"...",
                                coefficient(u8"a0"), kNotAsciiHint)),
        bad_point("real_part_not_a_number", "1\n2 3\nabc\n", refused(u8"abc", kRealPart)),
        bad_point("imaginary_part_missing", "1\n2 3\n1", input_ended(kImaginaryPart)),
        bad_point("imaginary_part_beyond_single", "1\n2 3\n1 -1e39\n",
                  refused(u8"-1e39", kImaginaryPart)),
        bad_point("decimal_comma_in_last_answer", "1\n1 0\n0 0,5\n",
                  refused(u8"0,5", kImaginaryPart, kDecimalPointHint)),
        bad_point("j_after_last_answer", "1\n1 0\n0 1j\n", refused(u8"1j", kImaginaryPart)),
        bad_point("cyrillic_e_for_exponent",
                  "1\n1 0\n1\xD0\xB5"
                  "5 0\n",
                  refused(u8"1\\xd0\\xb55", kRealPart, kNotAsciiHint)),
        bad_point("typo_inside_last_answer", "1\n1 0\n0 1.5.5\n",
                  refused(u8"1.5.5", kImaginaryPart)),
        bad_point("second_exponent_in_last_answer", "1\n1 0\n0 1e5e\n",
                  refused(u8"1e5e", kImaginaryPart)),
        bad_point("exponent_without_digits", "1\n1 0\n1e 0\n", refused(u8"1e", kRealPart)),
        bad_point("sign_alone", "1\n1 0\n- 0\n", refused(u8"-", kRealPart)),
        bad_point("infinity_is_no_answer", "1\n1 0\ninf 0\n", refused(u8"inf", kRealPart)),
        bad_point("hexadecimal_is_no_answer", "1\n1 0\n0x1p3 0\n", refused(u8"0x1p3", kRealPart)),
        output_fills_up("output_unwritable", "2\n1 0 1\n0 1\n"),
        output_fills_up("output_unwritable_before_bad_input", "abc\n"),
        // The failed stream must not look like bad input: nothing more is read.
        output_fills_up("output_fails_from_coefficients_on", "2\n1 x 1\n",
                        kHeading + kCoefficientsPrompt.substr(0, kCoefficientsPrompt.size() - 5)),
    };
    const std::u8string unreadable_error = u8"Ошибка: не удалось прочитать стандартный ввод\n";
    TranscriptCase unreadable{"input_unreadable", "", kHeading + kPressAnyKey, unreadable_error, 1};
    unreadable.input_unreadable = true;
    cases.push_back(unreadable);
    // A word cut short by a failed read is no answer, even where what came is a number.
    TranscriptCase fails_inside_word{"input_fails_inside_a_word", "1\n2 3\n1 1",
                                     kHeading + kCoefficientsPrompt + kPointPrompt + kPressAnyKey,
                                     unreadable_error, 1};
    fails_inside_word.input_unreadable = true;
    cases.push_back(fails_inside_word);
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
