#include "console/words.h"

#include <istream>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_white_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next character without taking it. Noted when nothing is buffered, as the stream must then
// wait for more: on a terminal, for a line the user types.
int next_character(AnswerInput& input)
{
    std::streambuf* buffer = input.in.rdbuf();
    if (buffer != nullptr && buffer->in_avail() <= 0) {
        input.fetched_since_prompt = true;
    }
    return input.in.peek();
}

WordRead read_one_word(AnswerInput& input, Word& word)
{
    word.length = 0;
    int c = next_character(input);
    while (c != std::istream::traits_type::eof() && is_white_space(c)) {
        input.in.get();
        c = next_character(input);
    }
    if (c == std::istream::traits_type::eof()) {
        return input.in.bad() ? WordRead::kUnreadable : WordRead::kEnded;
    }
    // One character past the longest word tells that it is too long; the rest is never read.
    while (c != std::istream::traits_type::eof() && !is_white_space(c)) {
        word.text[word.length++] = static_cast<char>(input.in.get());
        if (word.length > kLongestWord) {
            word.text[word.length] = '\0';
            return WordRead::kTooLong;
        }
        c = next_character(input);
    }
    word.text[word.length] = '\0';
    return input.in.bad() ? WordRead::kUnreadable : WordRead::kRead;
}

}  // namespace

WordRead read_word(AnswerInput& input, Word& word)
{
    WordRead result = read_one_word(input, word);
    if (input.at_start) {
        input.at_start = false;
        if (result == WordRead::kRead && word.view().starts_with(kByteOrderMark)) {
            word.length -= kByteOrderMark.size();
            std::char_traits<char>::move(word.text, word.text + kByteOrderMark.size(),
                                         word.length + 1);
            if (word.length == 0) {
                result = read_one_word(input, word);
            }
        }
    }
    return result;
}
