#include "console/words.h"

#include <istream>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kEnd = std::istream::traits_type::eof();

bool is_white_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

// The next character without taking it. Noted when nothing is buffered, as the stream must then
// wait for more: on a terminal, for a line the user types.
int AnswerReader::next_character()
{
    std::streambuf* buffer = in_.rdbuf();
    if (buffer != nullptr && buffer->in_avail() <= 0) {
        typed_since_prompt_ = true;
    }
    return in_.peek();
}

// Takes the mark from the stream before anything is read, so that it costs no word its length.
// Bytes that only begin like a mark are the start of the first word.
void AnswerReader::take_byte_order_mark(Word& word)
{
    while (word.length < kByteOrderMark.size() &&
           next_character() == static_cast<unsigned char>(kByteOrderMark[word.length])) {
        word.text[word.length++] = static_cast<char>(in_.get());
    }
    if (word.length == kByteOrderMark.size()) {
        word.length = 0;
    }
}

WordRead AnswerReader::read_word(Word& word)
{
    word.length = 0;
    if (at_start_) {
        at_start_ = false;
        take_byte_order_mark(word);
    }
    int c = next_character();
    if (word.length == 0) {
        while (c != kEnd && is_white_space(c)) {
            in_.get();
            c = next_character();
        }
        if (c == kEnd) {
            return in_.bad() ? WordRead::kUnreadable : WordRead::kEnded;
        }
    }
    // One character past the longest word tells that it is too long; the rest is never read.
    while (c != kEnd && !is_white_space(c)) {
        word.text[word.length++] = static_cast<char>(in_.get());
        if (word.length > kLongestWord) {
            return WordRead::kTooLong;
        }
        c = next_character();
    }
    return in_.bad() ? WordRead::kUnreadable : WordRead::kRead;
}
