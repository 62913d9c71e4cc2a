#pragma once

#include <cstddef>
#include <iosfwd>
#include <span>

#include "console/characters.h"

// How an error line shows the word it refused, so that the user sees what they typed: in ASCII
// quotes, each character as it is, as long as the screen can show it and nothing about it is
// hidden. Control characters, spaces other than the ASCII blank, format and direction marks and
// the like are escaped as \u00a0 (\U0001ffff beyond 16 bits), a byte that stands for no character
// as \xff, and a backslash and a quote as \\ and \', to keep the quoting unambiguous. No input
// reaches the terminal as a control sequence. Wider than kShownWordColumns, it is cut there and
// followed by "..."; an escape takes as many columns as it has characters, and a wide character
// two.
inline constexpr std::size_t kShownWordColumns = 32;

void write_shown_word(std::ostream& out, std::span<const Character> word);
