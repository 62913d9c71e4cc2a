#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "console/characters.h"
#include "console/shown_word.h"

// What a refused word shows of the number the user meant: the slip named in a hint, and where
// the slip can be undone, the word as it should have been typed.

// What the word answers: the order, a whole number from 0 to 9; a coefficient; or a part of the
// point. All but the order are single-precision numbers.
enum class Answer { kOrder, kCoefficient, kRealPart, kImaginaryPart };

struct Slip {
    const char* hint;  // a program text; empty where the word shows nothing the user meant
    // Program texts around text on the hint's line: ": " before the word as meant; for a key that
    // types no character, its name before (text completes "клавиша " with "F5"), kKeyHintEnd after.
    const char* before_text;
    // The word as meant, ASCII, where it can be told and is short enough to be shown; or the
    // ASCII end of a key's name.
    char text[kShownWordColumns];
    std::size_t text_length;
    const char* after_text;
};

// The word as read, and as its characters; starts_input: the word is the first of the input,
// where a file's byte-order mark stands; too_long: the word is longer than any number, and only
// its start was read.
Slip find_slip(std::string_view word, std::span<const Character> characters, Answer answer,
               bool starts_input, bool too_long);

// Whether the word is the number asked for.
bool is_answer(std::string_view word, Answer answer);
