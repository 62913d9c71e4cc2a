#pragma once

#include <iosfwd>

#include "console/answer_reader.h"

inline constexpr int kExitDone = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitOutputFailed = 2;

using KeyWait = void (*)();

// What the dialogue needs to know of the console it runs on; tests and the fuzzer pass their own.
struct DialogueConsole {
    // Standard output is shown on a terminal or console: the request to press a key can be seen
    // there, so a key is waited for. In a file or a pipe the wait would look like a hang.
    bool output_on_terminal;
    // Standard error is shown on that same screen, behind the prompts.
    bool errors_on_terminal;
    // Standard input is a terminal too: what the user types there is echoed behind the prompts.
    bool input_on_terminal;
    KeyWait wait_for_key;
};

// The program's whole run on the standard streams, ending with a wait for a key at the console.
// Returns the exit status: kExitDone after a result, kExitBadInput when the input could not be
// read as a polynomial of order 0 to 9 and a point, kExitOutputFailed when standard output could
// not be written; then nobody is asked for a key.
int run_dialogue();

// The same run on any input, output and console, for tests and fuzzing.
int run_dialogue(AnswerReader& input, std::ostream& out, std::ostream& err,
                 const DialogueConsole& console);
