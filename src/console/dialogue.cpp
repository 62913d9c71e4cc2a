#include "console/dialogue.h"

#include <cmath>
#include <iostream>
#include <string_view>

#include "console/answer_reader.h"
#include "console/characters.h"
#include "console/numbers.h"
#include "console/platform/keyboard.h"
#include "console/platform/screen.h"
#include "console/shown_word.h"
#include "console/slips.h"
#include "console/texts.h"
#include "evaluation/complex_horner.h"

namespace {

struct Dialogue {
    AnswerReader& input;
    std::ostream& out;
    std::ostream& err;
    const DialogueConsole& console;
};

// What one answer is, as its error line names it.
struct Question {
    const char* expected;
    std::string_view name;  // a coefficient's, a0 to a9
    Answer answer;          // the order, whose kind expected names; else a single-precision one
};

void write_line(std::ostream& out, const char* message)
{
    write_program_text(out, message);
    write_line_end(out);
}

// The prompt is on the screen, and its answer is waited for from here on.
void write_prompt(Dialogue& dialogue, const char* prompt)
{
    write_program_text(dialogue.out, prompt);
    start_answer(dialogue.input);
}

// On a terminal an error line must not continue the line of the prompt or of the answer. Only the
// user's own Enter, echoed there, has ended that line: input from a file or a pipe is not echoed,
// and input typed ahead, or ended with Ctrl+D, leaves the cursor behind the prompt or the answer.
void start_error_line(const Dialogue& dialogue)
{
    const bool line_ended_by_user =
        dialogue.console.input_on_terminal && line_typed_since_prompt(dialogue.input);
    if (dialogue.console.errors_on_terminal && !line_ended_by_user) {
        write_line_end(dialogue.err);
    }
    write_program_text(dialogue.err, kErrorStart);
}

void report_bad_answer(const Dialogue& dialogue, const Question& question, WordRead read,
                       const Word& word)
{
    start_error_line(dialogue);
    if (read == WordRead::kUnreadable) {
        write_line(dialogue.err, kInputUnreadable);
        return;
    }
    // the word decoded once, for its line and its hint
    Character characters[kLongestWord + 1];
    const std::span<const Character> decoded(characters, decode_word(word.view(), characters));
    if (read == WordRead::kEnded) {
        write_program_text(dialogue.err, kInputEnded);
    } else {
        write_program_text(dialogue.err, kWordRefused);
        write_shown_word(dialogue.err, decoded);
        write_line(dialogue.err, kWordRefusedEnd);
        write_program_text(dialogue.err, kExpectedStart);
    }
    write_program_text(dialogue.err, question.expected);
    dialogue.err << question.name;
    if (question.answer != Answer::kOrder && read != WordRead::kEnded) {
        write_program_text(dialogue.err, kSingleNumberExpected);
    }
    write_line_end(dialogue.err);
    if (read == WordRead::kEnded) {
        return;
    }
    const Slip slip = find_slip(word.view(), decoded, question.answer, word.starts_input,
                                read == WordRead::kTooLong);
    if (slip.hint[0] == '\0') {
        return;
    }
    write_program_text(dialogue.err, slip.hint);
    write_program_text(dialogue.err, slip.before_text);
    dialogue.err.write(slip.text, static_cast<std::streamsize>(slip.text_length));
    write_line(dialogue.err, slip.after_text);
}

// Reads the word that answers a question into number, the order too, once it is known to be a
// whole number from 0 to 9; false, with the reason on the error stream, when the word is not the
// number asked for. Nothing is read once the output has failed: the questions can no longer be
// seen, and that is the error reported at the end.
bool read_answer(Dialogue& dialogue, const Question& question, float& number)
{
    // the prompt must be on the screen while the program waits
    if (!dialogue.out.flush()) {
        return false;
    }
    Word word;
    const WordRead read = read_word(dialogue.input, word);
    if (read == WordRead::kRead && is_answer(word.view(), question.answer)) {
        return parse_single(word.view(), number);
    }
    report_bad_answer(dialogue, question, read, word);
    return false;
}

// Asks for everything the evaluation needs. On bad input the reason is on the error stream and
// the dialogue asks nothing more.
bool read_polynomial_and_point(Dialogue& dialogue, CoefficientList& coefficients,
                               ComplexValue& point)
{
    write_prompt(dialogue, kOrderPrompt);
    float order = 0;
    if (!read_answer(dialogue, {kOrderExpected, {}, Answer::kOrder}, order)) {
        return false;
    }
    coefficients.count = static_cast<std::int32_t>(order) + 1;
    write_line(dialogue.out, kCoefficientsPrompt);
    write_line(dialogue.out, kCoefficientsOrder);
    dialogue.out << "a()= ";
    start_answer(dialogue.input);
    for (std::int32_t i = 0; i < coefficients.count; ++i) {
        const char name[] = {'a', static_cast<char>('0' + i)};
        if (!read_answer(dialogue,
                         {kCoefficientExpected, {name, sizeof name}, Answer::kCoefficient},
                         coefficients.values[i])) {
            return false;
        }
    }
    write_prompt(dialogue, kPointPrompt);
    return read_answer(dialogue, {kRealPartExpected, {}, Answer::kRealPart}, point.re) &&
           read_answer(dialogue, {kImaginaryPartExpected, {}, Answer::kImaginaryPart}, point.im);
}

// The sign of a NaN means nothing, and the C libraries disagree on showing it ("-nan" or "nan"):
// every platform prints the same text.
float without_nan_sign(float part)
{
    return std::isnan(part) ? std::fabs(part) : part;
}

// The result line; where single precision could not hold the value, which is then printed as
// inf or nan, a line on the error stream says so.
void write_result(const Dialogue& dialogue, ComplexValue result)
{
    write_program_text(dialogue.out, kValueLabel);
    dialogue.out << "y=" << without_nan_sign(result.re) << " " << without_nan_sign(result.im)
                 << "j";
    write_line_end(dialogue.out);
    if (!std::isfinite(result.re) || !std::isfinite(result.im)) {
        write_line(dialogue.err, kBeyondSingleWarning);
    }
}

}  // namespace

int run_dialogue()
{
    handle_interrupt_keys();
    AnswerReader input{[](void* /*source*/, char* bytes, std::size_t size) {
                           return read_standard_input(bytes, size);
                       },
                       nullptr};
    const bool output_on_terminal = standard_output_is_terminal();
    return run_dialogue(input, std::cout, std::cerr,
                        {.output_on_terminal = output_on_terminal,
                         .errors_on_terminal = output_on_terminal && standard_error_is_terminal(),
                         .input_on_terminal = standard_input_is_terminal(),
                         .wait_for_key = wait_for_key});
}

int run_dialogue(AnswerReader& input, std::ostream& out, std::ostream& err,
                 const DialogueConsole& console)
{
    Dialogue dialogue{input, out, err, console};
    write_line(out, kHeadingFirstLine);
    write_line(out, kHeadingSecondLine);

    CoefficientList coefficients{};
    ComplexValue point{};
    int status = kExitBadInput;
    if (read_polynomial_and_point(dialogue, coefficients, point)) {
        write_result(dialogue, evaluate_polynomial(coefficients, point));
        status = kExitDone;
    }

    write_program_text(out, kPressAnyKey);
    // The request stands on the screen, cursor behind it, during the wait; if it could not be
    // written, neither could the result, and nobody is there to press a key.
    if (!out.flush()) {
        write_program_text(err, kErrorStart);
        write_line(err, kOutputUnwritable);
        return kExitOutputFailed;
    }
    if (console.output_on_terminal) {
        console.wait_for_key();
    }
    return status;
}
