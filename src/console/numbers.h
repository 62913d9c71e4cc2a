#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What the dialogue accepts as a number: a whole word, never a part of one.

// The longest number read, exactly, whatever its digits; a longer word is refused unread.
inline constexpr std::size_t kLongestNumber = 4096;

// The word without the sign it starts with, if any.
std::string_view without_sign(std::string_view word);

// An optional sign, decimal digits with an optional fraction marked by point, and an optional
// exponent: the form of a number, whatever its size.
bool is_decimal_number(std::string_view word, char point);

// An optional sign and decimal digits, as many leading zeros as the word holds. False for any
// other word, and for a value beyond a signed 32-bit integer.
bool parse_integer(std::string_view word, std::int32_t& value);

// An optional sign, decimal digits with an optional point, and an optional exponent ("5", "-.5",
// "5.", "+1.5e-3", "1E+2"), rounded to the nearest single-precision value. False for any other
// word (a comma, "inf", "nan", hexadecimal), and for a value beyond single precision; a value
// too small for it becomes zero or a subnormal, as the reading of numbers always did, and a word
// longer than kLongestNumber is refused.
bool parse_single(std::string_view word, float& value);
