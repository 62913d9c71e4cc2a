#pragma once

#include <cstddef>
#include <string_view>

#include "console/shown_word.h"

// What a refused word shows of the number the user meant: the slip named in a hint, and where
// the slip can be undone, the word as it should have been typed.

// What the word had to be.
enum class Expected { kWholeNumber, kSingleNumber };

struct Slip {
    const char* hint;  // a program text; empty where the word shows nothing the user meant
    // The word as meant, ASCII, where it can be told and is short enough to be shown.
    char reading[kShownWordCharacters];
    std::size_t reading_length;
};

// starts_input: the word is the first of the input, where a file's byte-order mark stands;
// too_long: the word is longer than any number, and only its start was read.
Slip find_slip(std::string_view word, Expected expected, bool starts_input, bool too_long);

// Whether the word is the number asked for: the order, a whole number from 0 to 9, or a
// single-precision number.
bool is_answer(std::string_view word, Expected expected);
