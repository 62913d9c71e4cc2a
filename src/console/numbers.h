#pragma once

#include <cstdint>
#include <string_view>

// What the dialogue accepts as a number: a whole word, never a part of one.

// An optional sign and decimal digits, as many leading zeros as the word holds. False for any
// other word, and for a value beyond a signed 32-bit integer.
bool parse_integer(std::string_view word, std::int32_t& value);

// An optional sign, decimal digits with an optional point, and an optional exponent ("5", "-.5",
// "5.", "+1.5e-3", "1E+2"), rounded to the nearest single-precision value. False for any other
// word (a comma, "inf", "nan", hexadecimal), and for a value beyond single precision; a value
// too small for it becomes zero or a subnormal, as the reading of numbers always did. The word
// must be followed by a NUL in memory.
bool parse_single(std::string_view word, float& value);

// Why a word with a comma is not a number, when the comma looks like a habit: a decimal comma
// ("0,5"), or numbers separated by commas ("1," in "1, 0, 1", or "1,0,1").
enum class CommaHabit { kNone, kDecimalComma, kCommaSeparator };
CommaHabit comma_habit(std::string_view word);
