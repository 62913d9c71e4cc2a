#pragma once

#include <iosfwd>

inline constexpr int kExitDone = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitOutputFailed = 2;

using KeyWait = void (*)();

// The program's whole run on the standard streams, ending with a wait for a key at the console.
// Returns the exit status: kExitDone after a result, kExitBadInput when the input could not be
// read as a polynomial of order 0 to 9 and a point, kExitOutputFailed when standard output could
// not be written; then nobody is asked for a key.
int run_dialogue();

// The same run on any streams and any key wait, for tests and fuzzing.
int run_dialogue(std::istream& in, std::ostream& out, std::ostream& err, KeyWait key_wait);
