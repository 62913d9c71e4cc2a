#include "console/dialogue.h"

#include <iostream>

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
template <typename Number> bool read_number(const DialogueStreams& io, Number& number)
{
    io.out.flush();  // the prompt must be on the screen while the program waits
    return static_cast<bool>(io.in >> number);
}

void write_line(std::ostream& out, const char* message)
{
    write_console_text(out, message);
    write_line_end(out);
}

bool read_order(const DialogueStreams& io, CoefficientList& coefficients)
{
    // The order goes straight into the count, which becomes order + 1 once it is known to fit.
    if (!read_number(io, coefficients.count) || coefficients.count < 0 ||
        coefficients.count >= kMaxCoefficients) {
        write_line(io.err, kOrderError);
        return false;
    }
    ++coefficients.count;
    return true;
}

bool read_coefficients(const DialogueStreams& io, CoefficientList& coefficients)
{
    for (std::int32_t i = 0; i < coefficients.count; ++i) {
        if (!read_number(io, coefficients.values[i])) {
            write_console_text(io.err, kCoefficientErrorStart);
            io.err << 'a' << i;
            write_line(io.err, kCoefficientErrorEnd);
            return false;
        }
    }
    return true;
}

bool read_point(const DialogueStreams& io, ComplexValue& point)
{
    if (!read_number(io, point.re)) {
        write_line(io.err, kRealPartError);
        return false;
    }
    if (!read_number(io, point.im)) {
        write_line(io.err, kImaginaryPartError);
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

void write_result(std::ostream& out, ComplexValue result)
{
    write_console_text(out, kValueLabel);
    out << "y"
        << "=" << result.re << " " << result.im << "j";
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
    out.flush();  // the request stands on the screen, cursor behind it, during the wait
    key_wait();
    return status;
}
