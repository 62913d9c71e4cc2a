#pragma once

#include <cstddef>
#include <string_view>

// The characters of a word as the user typed them, decoded once for everything an error line
// tells of it. Input is UTF-8 where it is valid UTF-8; a word that is not is read byte by byte
// as the platform's older text files are written (code page 1251 on Windows), and where a byte
// stands for no character it is kept as a byte.

struct Character {
    char32_t code;  // the character, or the byte where is_byte
    bool is_byte;   // a byte that stands for no character
};

// Decodes the word into characters, which has room for as many as the word has bytes; how many
// there are.
std::size_t decode_word(std::string_view word, Character* characters);

// The version of Unicode whose character database hides_itself follows.
inline constexpr char kUnicodeVersion[] = "15.0";

// A character that would harm the screen or hide what it is if shown as it is: a control
// character, any space but the ASCII blank, a line or paragraph separator, a format or direction
// mark, a surrogate, one for private use, or one that kUnicodeVersion leaves unassigned.
bool hides_itself(char32_t code);

// How many columns a terminal gives the character at most: two for any but the narrow ones, so
// that a line measured with it is never wider on the screen.
std::size_t columns_of(char32_t code);
