#include "transcripts/transcript_cases.h"

#include <cstdlib>
#include <ostream>
#include <string_view>
#include <utility>

#include "console/answer_reader.h"
#include "console/platform/text_encoding.h"
#include "console/shown_word.h"
#include "transcripts/hints.h"

namespace {

using namespace hints;

const std::u8string kHeading = u8"Программа демонстрирует расчет полиномов по схеме Горнера\n"
                               u8"с комплексными корнями\n"
                               u8"Задайте порядок уравнения: ";
const std::u8string kCoefficientsPrompt = u8"Задайте коэффициенты полинома через пробел:\n"
                                          u8"от a0 при X в N-ой степени до aN свободный член\n"
                                          u8"a()= ";
const std::u8string kPointPrompt =
    u8"Задайте через пробел действительное и компл. значение корня: ";
const std::u8string kPressAnyKey = u8"Нажмите любую клавишу";

// What an error line says was expected, and the hints that may follow it.
const std::u8string kOrder = u8"ожидался порядок уравнения - целое число от 0 до 9";
const std::u8string kNumber = u8" - число, например 2, -0.5 или 1e-3";
const std::u8string kRealPart = u8"ожидалась действительная часть корня";
const std::u8string kImaginaryPart = u8"ожидалась мнимая часть корня";
const std::u8string kOutputError = u8"Ошибка: не удалось записать в стандартный вывод\n";

std::u8string coefficient(std::u8string_view name)
{
    return u8"ожидался коэффициент " + std::u8string(name);
}

// The error for a word refused, shown as the user sees it, in quotes: the word on the first
// line, what was expected on the second, and the hint, if any, on a third.
std::u8string refused(std::u8string_view shown_word, std::u8string_view expected,
                      std::u8string_view hint = {}, bool whole_number = false)
{
    return u8"Ошибка: введено '" + std::u8string(shown_word) + u8"',\nа " +
           std::u8string(expected) + (whole_number ? u8"" : kNumber) + u8"\n" +
           (hint.empty() ? u8"" : std::u8string(hint) + u8"\n");
}

std::u8string refused_order(std::u8string_view shown_word, std::u8string_view hint = {})
{
    return refused(shown_word, kOrder, hint, true);
}

// Windows reads a word that is no UTF-8 as code page 1251, and writes errors to a file in code
// page 866, where any character but ASCII and the Russian alphabet is escaped.
std::u8string platform_text(std::u8string posix, std::u8string windows)
{
    return std::move(kProgramTextEncoding == TextEncoding::kCodePage1251 ? windows : posix);
}

template <typename Text> Text repeated(Text text, std::size_t times)
{
    Text all;
    for (std::size_t i = 0; i < times; ++i) {
        all += text;
    }
    return all;
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

// A result beyond single precision, and the one line on standard error that says so.
TranscriptCase result_beyond_single(std::string name, std::string input,
                                    std::u8string_view result_line)
{
    TranscriptCase c = result(std::move(name), std::move(input), result_line);
    c.err = u8"Внимание: модуль значения больше 3.4e38, вне диапазона чисел одинарной точности\n";
    return c;
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
const std::u8string kNinesCut = std::u8string(kShownWordColumns, u8'9') + u8"...";

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
        result_beyond_single("overflow_prints_infinity", "1\n1e20 1e20\n1e20 -1e20\n",
                             u8"y=inf -infj"),
        result_beyond_single("nan_has_no_sign", "2\n1e20 0 0\n1e20 1e20\n", u8"y=nan infj"),
        // Past an overflow the steps are plain IEEE arithmetic: infinity times zero is NaN.
        result_beyond_single("overflow_then_nan", "3\n1 0 0 0\n1e20 0\n", u8"y=inf nanj"),
        // Adding the two products first would lose the 1 to rounding and print y=1.
        result_beyond_single("overflow_in_a_step", "1\n3e38 3e38\n10 0\n", u8"y=inf 0j"),
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
        bad_order("order_not_a_number", "abc\n", refused_order(u8"abc", kOrderDigitsHint)),
        bad_order("order_above_nine", "10\n", refused_order(u8"10")),
        bad_order("order_below_zero", "-1\n", refused_order(u8"-1")),
        bad_order("order_beyond_int", "99999999999\n", refused_order(u8"99999999999")),
        bad_order("order_beyond_32_bits", "4294967298\n1 0 1\n0 1\n",
                  refused_order(u8"4294967298")),
        bad_order("order_sign_alone", "-\n", refused_order(u8"-")),
        bad_order("order_decimal_comma_gets_no_point_hint", "2,5\n", refused_order(u8"2,5")),
        bad_order("order_not_whole", "2.5\n1 0 1\n0 1\n", refused_order(u8"2.5")),
        bad_order("order_in_words", "два 1 0 1 0 1", refused_order(u8"два", kOrderDigitsHint)),
        bad_order("order_in_wide_digits", "\xEF\xBC\x92 1 0 1 0 1",
                  platform_text(refused_order(u8"２", with_reading(kWideHint, u8"2")),
                                refused_order(u8"\\uff12", with_reading(kWideHint, u8"2")))),
        bad_order("order_longer_than_a_word", kMegabyteOfDigits,
                  refused_order(kNinesCut, kTooLongHint)),
        bad_order("no_input", "", input_ended(kOrder)),
        bad_order("byte_order_mark_alone", kByteOrderMark, input_ended(kOrder)),
        bad_order("byte_order_mark_cut_short", "\xEF\xBB",
                  platform_text(refused_order(u8"\\xef\\xbb", kOrderDigitsHint),
                                refused_order(u8"п\\u00bb", kOrderDigitsHint))),
        // Notepad's "Unicode", either byte order.
        bad_order("utf16_little_endian",
                  std::string("\xFF\xFE"
                              "2\0 \0",
                              6),
                  platform_text(refused_order(u8"\\xff\\xfe2\\u0000", kUtf16Hint),
                                refused_order(u8"яю2\\u0000", kUtf16Hint))),
        bad_order("utf16_big_endian",
                  std::string("\xFE\xFF\0"
                              "2\0 ",
                              6),
                  platform_text(refused_order(u8"\\xfe\\xff\\u00002\\u0000", kUtf16Hint),
                                refused_order(u8"юя\\u00002\\u0000", kUtf16Hint))),
        bad_coefficient("coefficient_not_a_number", "2\n1 x 1\n",
                        refused(u8"x", coefficient(u8"a1"), kLetterHint)),
        bad_coefficient("coefficient_beyond_single", "1\n1e39 1\n",
                        refused(u8"1e39", coefficient(u8"a0"), kTooLargeHint)),
        bad_coefficient("coefficient_one_character_too_long", "0\n" + kLongestWordOfDigits + "9",
                        refused(kNinesCut, coefficient(u8"a0"), kTooLongHint)),
        bad_coefficient("coefficients_end_early", "9\n1 2 3 4 5 6 7 8 9\n",
                        input_ended(coefficient(u8"a9"))),
        bad_coefficient(
            "decimal_comma", "1\n0,5 1\n0 1\n",
            refused(u8"0,5", coefficient(u8"a0"), with_reading(kDecimalPointHint, u8"0.5"))),
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
        bad_coefficient(
            "no_break_space_between_numbers",
            "2\n1\xC2\xA0"
            "0 1\n",
            refused(u8"1\\u00a00", coefficient(u8"a0"), with_reading(kSpaceHint, u8"1 0"))),
        bad_coefficient("byte_ff_is_a_character", "0\n\xFF\n",
                        platform_text(refused(u8"\\xff", coefficient(u8"a0"), kNotAsciiHint),
                                      refused(u8"я", coefficient(u8"a0"), kLetterHint))),
        bad_coefficient("byte_80_is_outside_ascii", "0\n\x80\n",
                        platform_text(refused(u8"\\x80", coefficient(u8"a0"), kNotAsciiHint),
                                      refused(u8"\\u0402", coefficient(u8"a0"), kLetterHint))),
        // Only the very first bytes of the input can be a byte-order mark.
        bad_coefficient("byte_order_mark_inside", "1\n" + kByteOrderMark + "2 3\n1 1",
                        refused(u8"\\ufeff2", coefficient(u8"a0"), kNotAsciiHint)),
        bad_coefficient("utf16_mark_inside", "0\n\xFF\xFE\n",
                        platform_text(refused(u8"\\xff\\xfe", coefficient(u8"a0"), kNotAsciiHint),
                                      refused(u8"яю", coefficient(u8"a0"), kLetterHint))),
        // Arrow keys and a Backspace in a file reach the word as characters; none reaches the
        // terminal as a control again.
        bad_coefficient(
            "control_characters_shown_escaped",
            "0\n1\x1b[D\x7f"
            "5\n",
            refused(u8"1\\u001b[D\\u007f5", coefficient(u8"a0"), key_hint(u8"стрелка влево"))),
        // Text that runs right to left from here would turn the rest of the line around.
        bad_coefficient("direction_mark_escaped",
                        "0\n\xE2\x80\xAE"
                        "12\n",
                        refused(u8"\\u202e12", coefficient(u8"a0"), kNotAsciiHint)),
        bad_coefficient("quote_and_backslash_escaped", "0\n1'5\\\n",
                        refused(u8"1\\'5\\\\", coefficient(u8"a0"))),
        bad_coefficient(
            "word_as_long_as_shown", "0\n" + std::string(kShownWordColumns, 'x'),
            refused(std::u8string(kShownWordColumns, u8'x'), coefficient(u8"a0"), kLetterHint)),
        // Letters count as one column each, an escape as many as it has characters, and a word
        // is cut where the next would pass the limit.
        bad_coefficient(
            "cyrillic_word_shown_whole", "0\n" + repeated(std::string("ж"), 20),
            refused(repeated(std::u8string(u8"ж"), 20), coefficient(u8"a0"), kLetterHint)),
        bad_coefficient("cyrillic_word_cut", "0\n" + repeated(std::string("ж"), 40),
                        refused(repeated(std::u8string(u8"ж"), kShownWordColumns) + u8"...",
                                coefficient(u8"a0"), kLetterHint)),
        bad_coefficient("escape_beyond_what_is_shown",
                        "0\n" + std::string(kShownWordColumns - 5, 'x') + "\xC2\xA0",
                        refused(std::u8string(kShownWordColumns - 5, u8'x') + u8"...",
                                coefficient(u8"a0"), kSpaceHint)),
        bad_coefficient("escape_up_to_what_is_shown",
                        "0\n" + std::string(kShownWordColumns - 6, 'x') + "\xC2\xA0",
                        refused(std::u8string(kShownWordColumns - 6, u8'x') + u8"\\u00a0",
                                coefficient(u8"a0"), kSpaceHint)),
        bad_coefficient(
            "minus_sign_for_hyphen",
            "0\n\xE2\x88\x92"
            "1\n",
            platform_text(
                refused(u8"−1", coefficient(u8"a0"), with_reading(kMinusHint, u8"-1")),
                refused(u8"\\u22121", coefficient(u8"a0"), with_reading(kMinusHint, u8"-1")))),
        bad_coefficient(
            "russian_layout_point",
            "0\n1\xD1\x8E"
            "5\n",
            refused(u8"1ю5", coefficient(u8"a0"), with_reading(kRussianLayoutHint, u8"1.5"))),
        bad_coefficient(
            "russian_layout_comma",
            "0\n1\xD0\xB1"
            "5\n",
            refused(u8"1б5", coefficient(u8"a0"), with_reading(kRussianLayoutHint, u8"1.5"))),
        bad_coefficient(
            "russian_layout_exponent",
            "0\n1\xD1\x83"
            "3\n",
            refused(u8"1у3", coefficient(u8"a0"), with_reading(kRussianLayoutHint, u8"1e3"))),
        bad_coefficient(
            "russian_layout_capital_exponent", "0\n-2\xD0\xA3-3\n",
            refused(u8"-2У-3", coefficient(u8"a0"), with_reading(kRussianLayoutHint, u8"-2E-3"))),
        // The widest lines: the longest reading after the longest hint that takes one, and words
        // of wide characters (emoji among the technical symbols too) cut where their columns
        // reach the limit.
        bad_coefficient(
            "longest_reading", "0\n1\xD1\x8E" + std::string(kShownWordColumns - 2, '5') + "\n",
            refused(u8"1ю" + std::u8string(kShownWordColumns - 2, u8'5'), coefficient(u8"a0"),
                    with_reading(kRussianLayoutHint,
                                 u8"1." + std::u8string(kShownWordColumns - 2, u8'5')))),
        bad_coefficient(
            "wide_digits_cut", "0\n" + repeated(std::string("\xEF\xBC\x97"), 20),
            platform_text(
                refused(repeated(std::u8string(u8"７"), kShownWordColumns / 2) + u8"...",
                        coefficient(u8"a0"), with_reading(kWideHint, std::u8string(20, u8'7'))),
                refused(repeated(std::u8string(u8"\\uff17"), 5) + u8"...", coefficient(u8"a0"),
                        with_reading(kWideHint, std::u8string(20, u8'7'))))),
        bad_coefficient(
            "emoji_cut", "0\n" + repeated(std::string("\xE2\x8C\x9A"), 20),
            platform_text(refused(repeated(std::u8string(u8"⌚"), kShownWordColumns / 2) + u8"...",
                                  coefficient(u8"a0"), kNotAsciiHint),
                          refused(repeated(std::u8string(u8"\\u231a"), 5) + u8"...",
                                  coefficient(u8"a0"), kNotAsciiHint))),
        bad_point("real_part_not_a_number", "1\n2 3\nabc\n",
                  refused(u8"abc", kRealPart, kLetterHint)),
        bad_point("imaginary_part_missing", "1\n2 3\n1", input_ended(kImaginaryPart)),
        bad_point("imaginary_part_beyond_single", "1\n2 3\n1 -1e39\n",
                  refused(u8"-1e39", kImaginaryPart, kTooLargeHint)),
        bad_point("decimal_comma_in_last_answer", "1\n1 0\n0 0,5\n",
                  refused(u8"0,5", kImaginaryPart, with_reading(kDecimalPointHint, u8"0.5"))),
        bad_point("j_after_last_answer", "1\n1 0\n0 1j\n",
                  refused(u8"1j", kImaginaryPart, with_reading(kImaginaryHint, u8"1"))),
        bad_point("complex_in_one_word", "1\n1 0\n0+1j\n",
                  refused(u8"0+1j", kRealPart, with_reading(kImaginaryHint, u8"0 1"))),
        // The coefficients are real: a complex one has no reading that would not shift the rest.
        bad_coefficient("complex_coefficient", "1\n1 1j 2 0 0\n",
                        refused(u8"1j", coefficient(u8"a1"), kRealCoefficientsHint)),
        bad_coefficient("complex_first_coefficient", "0\n1+2j\n",
                        refused(u8"1+2j", coefficient(u8"a0"), kRealCoefficientsHint)),
        bad_point("cyrillic_e_for_exponent",
                  "1\n1 0\n1\xD0\xB5"
                  "5 0\n",
                  refused(u8"1е5", kRealPart, with_reading(kCyrillicEHint, u8"1e5"))),
        bad_point("second_point_in_last_answer", "1\n1 0\n0 1.5.5\n",
                  refused(u8"1.5.5", kImaginaryPart, kSecondPointHint)),
        bad_point("two_points_together", "1\n1 0\n10..5 0\n",
                  refused(u8"10..5", kRealPart, kSecondPointHint)),
        bad_point("two_signs", "1\n1 0\n--1 0\n", refused(u8"--1", kRealPart, kSecondSignHint)),
        bad_point("second_exponent_in_last_answer", "1\n1 0\n0 1e5e\n",
                  refused(u8"1e5e", kImaginaryPart)),
        bad_point("exponent_without_digits", "1\n1 0\n1e 0\n",
                  refused(u8"1e", kRealPart, kExponentDigitsHint)),
        bad_point("letter_after_exponent", "1\n1 0\n1ex 0\n",
                  refused(u8"1ex", kRealPart, kLetterHint)),
        bad_point("letter_then_j", "1\n1 0\nxj 0\n", refused(u8"xj", kRealPart, kLetterHint)),
        bad_point("letter_after_point", "1\n1 0\n1.x 0\n",
                  refused(u8"1.x", kRealPart, kLetterHint)),
        bad_point("exponent_with_sign_without_digits", "1\n1 0\n0 1e+\n",
                  refused(u8"1e+", kImaginaryPart, kExponentDigitsHint)),
        bad_point("up_arrow_at_a_question", "1\n1 0\n\x1b[A\n",
                  refused(u8"\\u001b[A", kRealPart, key_hint(u8"стрелка вверх"))),
        bad_point("sign_alone", "1\n1 0\n- 0\n", refused(u8"-", kRealPart)),
        bad_point("infinity_is_no_answer", "1\n1 0\ninf 0\n",
                  refused(u8"inf", kRealPart, kInfinityHint)),
        bad_point("infinity_with_sign", "1\n1 0\n0 +inf\n",
                  refused(u8"+inf", kImaginaryPart, kInfinityHint)),
        bad_point("beyond_single_is_no_letter", "1\n1 0\n3.5e38 0\n",
                  refused(u8"3.5e38", kRealPart, kTooLargeHint)),
        bad_order("order_with_exponent", "1E2\n", refused_order(u8"1E2", kOrderDigitsHint)),
        bad_point("nan_is_no_answer", "1\n1 0\n-NaN 0\n",
                  refused(u8"-NaN", kRealPart, kInfinityHint)),
        bad_point("hexadecimal_is_no_answer", "1\n1 0\n0x1p3 0\n",
                  refused(u8"0x1p3", kRealPart, kHexadecimalHint)),
        bad_point("hexadecimal_without_digits", "1\n1 0\n0xZZ 0\n",
                  refused(u8"0xZZ", kRealPart, kHexadecimalHint)),
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
    // Hexadecimal whole numbers, read in decimal by the C library, up to thirteen digits: the
    // longest whose reading the hint still shows.
    int hexadecimal = 0;
    for (const std::string word : {"0x10", "-0XfF", "+0xA", "0x1234567890abc", "-0X1234567890ABC",
                                   "0x1234567890abcd", "0x1234567890ABCDEF"}) {
        const std::string digits = word.substr(word.find_first_of("xX") + 1);
        std::u8string hint(kHexadecimalHint);
        if (digits.size() <= 13) {
            const std::string decimal = (word[0] == '-' ? "-" : "") +
                                        std::to_string(std::strtoull(digits.c_str(), nullptr, 16));
            hint = with_reading(kHexadecimalHint, std::u8string(decimal.begin(), decimal.end()));
        }
        cases.push_back(
            bad_point("hexadecimal_" + std::to_string(++hexadecimal), "1\n1 0\n" + word + " 0\n",
                      refused(std::u8string(word.begin(), word.end()), kRealPart, hint)));
    }
    // A complex number in one word, at each part of the point: the point it stands for, where
    // that can be told, as i or as j, and the exponent's sign kept apart from the part's.
    struct Complex {
        std::string word;
        std::u8string at_real_part;       // the point meant
        std::u8string at_imaginary_part;  // the imaginary part meant, if the word is only that
    };
    // n digits, and as the program's own texts: a number too long for a reading shows none
    const auto digits = [](std::size_t n) {
        std::string number(n, '0');
        number[0] = '1';
        return number;
    };
    const auto text = [](const std::string& ascii) {
        return std::u8string(ascii.begin(), ascii.end());
    };
    const Complex complex_words[] = {
        {"1j", u8"0 1", u8"1"},
        {"2i", u8"0 2", u8"2"},
        {"-1J", u8"0 -1", u8"-1"},
        {"2+3j", u8"2 3", u8""},
        {"2-3i", u8"2 -3", u8""},
        {"1e-5j", u8"0 1e-5", u8"1e-5"},
        {"-1.5e-3+2E+4i", u8"-1.5e-3 2E+4", u8""},
        // readings of exactly 32 characters, the most that is shown, and of one more
        {"1+" + digits(30) + "j", text("1 " + digits(30)), u8""},
        {"1+" + digits(31) + "j", u8"", u8""},
        {digits(32) + "j", u8"", text(digits(32))},
        {digits(33) + "j", u8"", u8""},
    };
    for (const Complex& c : complex_words) {
        const std::u8string shown =
            c.word.size() > kShownWordColumns
                ? std::u8string(c.word.begin(), c.word.begin() + kShownWordColumns) + u8"..."
                : std::u8string(c.word.begin(), c.word.end());
        const std::string index = std::to_string(&c - complex_words + 1);
        cases.push_back(bad_point("complex_real_part_" + index, "1\n1 0\n" + c.word + " 0\n",
                                  refused(shown, kRealPart,
                                          c.at_real_part.empty()
                                              ? std::u8string(kImaginaryHint)
                                              : with_reading(kImaginaryHint, c.at_real_part))));
        cases.push_back(
            bad_point("complex_imaginary_part_" + index, "1\n1 0\n0 " + c.word + "\n",
                      refused(shown, kImaginaryPart,
                              c.at_imaginary_part.empty()
                                  ? std::u8string(kImaginaryHint)
                                  : with_reading(kImaginaryHint, c.at_imaginary_part))));
    }
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
