#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "console/numbers.h"

// Each answer is one word: the characters between white space (blank, tab, CR, LF, VT, FF).
// Words as long as the longest number are read whole and exactly; a longer one is never held,
// only refused.
inline constexpr std::size_t kLongestWord = kLongestNumber;

struct Word {
    char text[kLongestWord + 1];  // one more than the longest, which tells that a word is too long
    std::size_t length;

    std::string_view view() const { return {text, length}; }
};

enum class WordRead { kRead, kTooLong, kEnded, kUnreadable };

// Reads the answers, word by word, and keeps track of what the screen shows of them: whether the
// user typed a line since the last prompt, so that its line end is on the screen.
class AnswerReader {
public:
    explicit AnswerReader(std::istream& in) : in_(in) {}

    // A prompt is on the screen: what is read from now on answers it.
    void start_answer() { typed_since_prompt_ = false; }

    // Skips white space, then reads one word and leaves what follows it unread. A byte-order mark
    // at the very start of the input (Windows Notepad writes one) is not part of any word.
    WordRead read_word(Word& word);

    // Whether reading has had to wait for fresh input since the prompt: on a terminal, the user
    // typed a line after it, and the cursor stands at the start of the next line.
    bool typed_since_prompt() const { return typed_since_prompt_; }

private:
    int next_character();
    void take_byte_order_mark(Word& word);

    std::istream& in_;
    bool at_start_ = true;
    bool typed_since_prompt_ = false;
};
