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

// Takes the mark from the stream before anything is read, so that it costs no word its length.
// Bytes that only begin like a mark are the start of the first word.
void AnswerReader::take_byte_order_mark(Word& word)
{
    while (word.length < kByteOrderMark.size() &&
           in_.peek() == static_cast<unsigned char>(kByteOrderMark[word.length])) {
        word.text[word.length++] = static_cast<char>(in_.get());
    }
    if (word.length == kByteOrderMark.size()) {
        word.length = 0;
    }
}

WordRead AnswerReader::read_word(Word& word)
{
    word.length = 0;
    word.starts_input = at_start_;
    if (at_start_) {
        at_start_ = false;
        take_byte_order_mark(word);
    }
    int c = in_.peek();
    if (word.length == 0) {
        while (c != kEnd && is_white_space(c)) {
            in_.get();
            c = in_.peek();
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
        c = in_.peek();
    }
    return in_.bad() ? WordRead::kUnreadable : WordRead::kRead;
}
