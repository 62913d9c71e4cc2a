#include "console/dialogue.h"

#include <cmath>
#include <iostream>
#include <string_view>

#include "console/console_text.h"
#include "console/messages.h"
#include "console/numbers.h"
#include "console/platform/platform.h"
#include "console/standard_input.h"
#include "console/words.h"
#include "evaluation/complex_horner.h"

namespace {

struct Dialogue {
    AnswerInput input;
    std::ostream& out;
    std::ostream& err;
    bool errors_on_terminal;
};

// What one answer is, as its error line names it.
struct Question {
    const char* expected;
    std::string_view name;    // a coefficient's, a0 to a9
    const char* number_kind;  // empty where expected says it already
};

void write_line(std::ostream& out, const char* message)
{
    write_console_text(out, message);
    write_line_end(out);
}

// The prompt is on the screen, and its answer is waited for from here on.
void write_prompt(Dialogue& dialogue, const char* prompt)
{
    write_console_text(dialogue.out, prompt);
    dialogue.input.fetched_since_prompt = false;
}

// On a terminal an error line must not continue the prompt's line, and it would unless the user
// typed the answer after the prompt and ended it with Enter: input that ended there (Ctrl+D), or
// that had been typed ahead, leaves the cursor behind the prompt.
void start_error_line(const Dialogue& dialogue, bool input_ended)
{
    if (dialogue.errors_on_terminal && (input_ended || !dialogue.input.fetched_since_prompt)) {
        write_line_end(dialogue.err);
    }
    write_console_text(dialogue.err, kErrorStart);
}

void report_bad_answer(const Dialogue& dialogue, const Question& question, WordRead read,
                       const Word& word)
{
    if (read == WordRead::kUnreadable) {
        start_error_line(dialogue, true);
        write_line(dialogue.err, kInputUnreadable);
        return;
    }
    const bool input_ended = read == WordRead::kEnded;
    start_error_line(dialogue, input_ended);
    if (input_ended) {
        write_console_text(dialogue.err, kInputEnded);
    }
    write_console_text(dialogue.err, question.expected);
    dialogue.err << question.name;
    write_console_text(dialogue.err, question.number_kind);
    const CommaHabit habit = read == WordRead::kRead ? comma_habit(word.view()) : CommaHabit::kNone;
    const bool whole_number = *question.number_kind == '\0';
    if (habit == CommaHabit::kDecimalComma && !whole_number) {
        write_console_text(dialogue.err, kDecimalPointHint);
    } else if (habit == CommaHabit::kCommaSeparator) {
        write_console_text(dialogue.err, kSeparatorHint);
    }
    write_line_end(dialogue.err);
}

template <typename Number> using Parse = bool (*)(std::string_view, Number&);

// Reads the word that answers a question and turns it into a number with parse; false, with the
// reason on the error stream, when the word is no such number. Nothing is read once the output
// has failed: the questions can no longer be seen, and that is the error reported at the end.
template <typename Number>
bool read_answer(Dialogue& dialogue, const Question& question, Parse<Number> parse, Number& number)
{
    // the prompt must be on the screen while the program waits
    if (!dialogue.out.flush()) {
        return false;
    }
    Word word;
    const WordRead read = read_word(dialogue.input, word);
    if (read == WordRead::kRead && parse(word.view(), number)) {
        return true;
    }
    report_bad_answer(dialogue, question, read, word);
    return false;
}

bool parse_order(std::string_view word, std::int32_t& order)
{
    return parse_integer(word, order) && order >= 0 && order < kMaxCoefficients;
}

bool read_order(Dialogue& dialogue, CoefficientList& coefficients)
{
    // The order goes straight into the count, which becomes order + 1 once it is known to fit.
    if (!read_answer(dialogue, {kOrderExpected, {}, ""}, Parse<std::int32_t>{parse_order},
                     coefficients.count)) {
        return false;
    }
    ++coefficients.count;
    return true;
}

bool read_coefficients(Dialogue& dialogue, CoefficientList& coefficients)
{
    for (std::int32_t i = 0; i < coefficients.count; ++i) {
        const char name[] = {'a', static_cast<char>('0' + i)};
        const Question coefficient{
            kCoefficientExpected, {name, sizeof name}, kSingleNumberExpected};
        if (!read_answer(dialogue, coefficient, Parse<float>{parse_single},
                         coefficients.values[i])) {
            return false;
        }
    }
    return true;
}

bool read_point(Dialogue& dialogue, ComplexValue& point)
{
    return read_answer(dialogue, {kRealPartExpected, {}, kSingleNumberExpected},
                       Parse<float>{parse_single}, point.re) &&
           read_answer(dialogue, {kImaginaryPartExpected, {}, kSingleNumberExpected},
                       Parse<float>{parse_single}, point.im);
}

// Asks for everything the evaluation needs. On bad input the reason is on the error stream and
// the dialogue asks nothing more.
bool read_polynomial_and_point(Dialogue& dialogue, CoefficientList& coefficients,
                               ComplexValue& point)
{
    write_prompt(dialogue, kOrderPrompt);
    if (!read_order(dialogue, coefficients)) {
        return false;
    }
    write_line(dialogue.out, kCoefficientsPrompt);
    write_line(dialogue.out, kCoefficientsOrder);
    dialogue.out << "a()= ";
    dialogue.input.fetched_since_prompt = false;
    if (!read_coefficients(dialogue, coefficients)) {
        return false;
    }
    write_prompt(dialogue, kPointPrompt);
    return read_point(dialogue, point);
}

// The sign of a NaN means nothing, and the C libraries disagree on showing it ("-nan" or "nan"):
// every platform prints the same text.
void write_part(std::ostream& out, float part)
{
    if (std::isnan(part)) {
        out << "nan";
    } else {
        out << part;
    }
}

void write_result(std::ostream& out, ComplexValue result)
{
    write_console_text(out, kValueLabel);
    out << "y"
        << "=";
    write_part(out, result.re);
    out << " ";
    write_part(out, result.im);
    out << "j";
    write_line_end(out);
}

}  // namespace

int run_dialogue()
{
    StandardInputBuffer input_buffer;
    std::istream in(&input_buffer);
    input_buffer.report_failures_to(in);
    const bool output_on_terminal = standard_output_is_terminal();
    return run_dialogue(
        in, std::cout, std::cerr,
        {output_on_terminal, output_on_terminal && standard_error_is_terminal(), wait_for_key});
}

int run_dialogue(std::istream& in, std::ostream& out, std::ostream& err,
                 const DialogueConsole& console)
{
    Dialogue dialogue{{in}, out, err, console.errors_on_terminal};
    write_line(out, kHeadingFirstLine);
    write_line(out, kHeadingSecondLine);

    CoefficientList coefficients{};
    ComplexValue point{};
    int status = kExitBadInput;
    if (read_polynomial_and_point(dialogue, coefficients, point)) {
        write_result(out, evaluate_polynomial(coefficients, point));
        status = kExitDone;
    }

    write_console_text(out, kPressAnyKey);
    // The request stands on the screen, cursor behind it, during the wait; if it could not be
    // written, neither could the result, and nobody is there to press a key.
    if (!out.flush()) {
        write_line(err, kOutputError);
        return kExitOutputFailed;
    }
    if (console.output_on_terminal) {
        console.wait_for_key();
    }
    return status;
}
