#pragma once

#include <cstddef>
#include <istream>
#include <string_view>

#include "console/input_buffer.h"
#include "console/numbers.h"

// Each answer is one word: the characters between white space (blank, tab, CR, LF, VT, FF).
// Words as long as the longest number are read whole and exactly; a longer one is never held,
// only refused.
inline constexpr std::size_t kLongestWord = kLongestNumber;

struct Word {
    char text[kLongestWord + 1];  // one more than the longest, which tells that a word is too long
    std::size_t length;
    bool starts_input;  // the first word of the input, where a file's byte-order mark stands

    std::string_view view() const { return {text, length}; }
};

enum class WordRead { kRead, kTooLong, kEnded, kUnreadable };

// Reads the answers, word by word, and keeps track of what the screen shows of them: whether the
// user typed a line since the last prompt and ended it with Enter, so that its line end is on the
// screen.
class AnswerReader {
public:
    explicit AnswerReader(InputBuffer& input) : input_(input), in_(&input) {}

    // A prompt is on the screen: what is read from now on answers it.
    void start_answer() { reads_at_prompt_ = input_.reads(); }

    // Skips white space, then reads one word and leaves what follows it unread. A byte-order mark
    // at the very start of the input (Windows Notepad writes one) is not part of any word.
    WordRead read_word(Word& word);

    // Whether input was read since the prompt and its last read ended with a line end: where the
    // input is typed at the terminal, the user's Enter moved the cursor to the start of a line.
    // Input that had been typed ahead, or ended with Ctrl+D, leaves it behind the prompt or the
    // answer.
    bool line_typed_since_prompt() const
    {
        return input_.reads() != reads_at_prompt_ && input_.last_read_ended_line();
    }

private:
    void take_byte_order_mark(Word& word);

    InputBuffer& input_;
    std::istream in_;
    bool at_start_ = true;
    std::size_t reads_at_prompt_ = 0;
};
