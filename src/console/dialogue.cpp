#include "console/dialogue.h"

#include <cmath>
#include <iostream>
#include <string_view>

#include "console/console_text.h"
#include "console/messages.h"
#include "console/platform/platform.h"
#include "evaluation/complex_horner.h"

namespace {

struct DialogueStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Formatted extraction: blanks and line breaks are skipped, the longest text that forms a number
// is taken and the rest stays for the next read. A number out of range fails like text does.
// Nothing is read once the output has failed: the questions can no longer be seen.
template <typename Number> bool read_number(const DialogueStreams& io, Number& number)
{
    // the prompt must be on the screen while the program waits
    return io.out.flush() && io.in >> number;
}

void write_line(std::ostream& out, const char* message)
{
    write_console_text(out, message);
    write_line_end(out);
}

// True when the text that could not be read starts with a comma, as in "0,5". Clears the failed
// read's state to look; nothing is read after an error anyway.
bool comma_follows(std::istream& in)
{
    if (in.eof()) {
        return false;
    }
    in.clear();
    return in.peek() == ',';
}

// Input errors are reported only while the output works: once it has failed, that is the error,
// reported at the end.
void report_bad_number(const DialogueStreams& io, const char* expected, std::string_view name = {})
{
    if (!io.out) {
        return;
    }
    write_console_text(io.err, expected);
    io.err << name;
    write_console_text(io.err, kSingleNumberExpected);
    if (comma_follows(io.in)) {
        write_console_text(io.err, kDecimalPointHint);
    }
    write_line_end(io.err);
}

bool read_order(const DialogueStreams& io, CoefficientList& coefficients)
{
    // The order goes straight into the count, which becomes order + 1 once it is known to fit.
    if (!read_number(io, coefficients.count) || coefficients.count < 0 ||
        coefficients.count >= kMaxCoefficients) {
        if (io.out) {
            write_line(io.err, kOrderError);
        }
        return false;
    }
    ++coefficients.count;
    return true;
}

bool read_coefficients(const DialogueStreams& io, CoefficientList& coefficients)
{
    for (std::int32_t i = 0; i < coefficients.count; ++i) {
        if (!read_number(io, coefficients.values[i])) {
            const char name[] = {'a', static_cast<char>('0' + i)};
            report_bad_number(io, kCoefficientExpected, {name, sizeof name});
            return false;
        }
    }
    return true;
}

bool read_point(const DialogueStreams& io, ComplexValue& point)
{
    if (!read_number(io, point.re)) {
        report_bad_number(io, kRealPartExpected);
        return false;
    }
    if (!read_number(io, point.im)) {
        report_bad_number(io, kImaginaryPartExpected);
        return false;
    }
    return true;
}

// Asks for everything the evaluation needs. On bad input the reason is on the error stream and
// the dialogue asks nothing more.
bool read_polynomial_and_point(const DialogueStreams& io, CoefficientList& coefficients,
                               ComplexValue& point)
{
    write_console_text(io.out, kOrderPrompt);
    if (!read_order(io, coefficients)) {
        return false;
    }
    write_line(io.out, kCoefficientsPrompt);
    write_line(io.out, kCoefficientsOrder);
    io.out << "a()= ";
    if (!read_coefficients(io, coefficients)) {
        return false;
    }
    write_console_text(io.out, kPointPrompt);
    return read_point(io, point);
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
    return run_dialogue(std::cin, std::cout, std::cerr, wait_for_key);
}

int run_dialogue(std::istream& in, std::ostream& out, std::ostream& err, KeyWait key_wait)
{
    const DialogueStreams io{in, out, err};
    write_line(out, kHeadingFirstLine);
    write_line(out, kHeadingSecondLine);

    CoefficientList coefficients{};
    ComplexValue point{};
    int status = kExitBadInput;
    if (read_polynomial_and_point(io, coefficients, point)) {
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
    key_wait();
    return status;
}
