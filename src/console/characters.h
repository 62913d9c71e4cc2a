#pragma once

#include <cstddef>
#include <string_view>

// The characters of a word as the user typed them. Input is UTF-8 where it is valid UTF-8; a word
// that is not is read byte by byte as the platform's older text files are written (code page 1251
// on Windows), and where a byte stands for no character it is kept as a byte.

struct Character {
    char32_t code;      // the character, or the byte where is_byte
    bool is_byte;       // a byte that stands for no character
    std::size_t bytes;  // how many bytes of the word it took
};

// The first character of bytes, which must not be empty: read as UTF-8, or as code page 1251.
Character first_character(std::string_view bytes, bool in_code_page_1251);

// Whether all of bytes is valid UTF-8.
bool is_utf8(std::string_view bytes);

// Whether a word is read as code page 1251: on Windows, where it is no valid UTF-8.
bool in_code_page_1251(std::string_view word);

// The version of Unicode whose character database hides_itself follows.
inline constexpr char kUnicodeVersion[] = "15.0";

// A character that would harm the screen or hide what it is if shown as it is: a control
// character, any space but the ASCII blank, a line or paragraph separator, a format or direction
// mark, a surrogate, one for private use, or one that kUnicodeVersion leaves unassigned.
bool hides_itself(char32_t code);

// How many columns a terminal gives the character at most: two for any but the narrow ones, so
// that a line measured with it is never wider on the screen.
std::size_t columns_of(char32_t code);

// The character's UTF-8 bytes, at most four, in utf8; how many.
std::size_t to_utf8(char32_t code, char (&utf8)[4]);
