#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "console/words.h"

// Input given by a test or the fuzzer, read as standard input is: what the text holds, in reads
// of at most the buffer's size, then the end, or where it fails after, a failed read every time.
class ScriptedInput final : public AnswerReader {
public:
    ScriptedInput(std::string_view text, bool fails_after) : text_(text), fails_after_(fails_after)
    {
    }

private:
    std::ptrdiff_t read(char* bytes, std::size_t size) override
    {
        if (text_.empty()) {
            return fails_after_ ? -1 : 0;
        }
        const std::size_t got = std::min(size, text_.size());
        std::copy_n(text_.begin(), got, bytes);
        text_.remove_prefix(got);
        return static_cast<std::ptrdiff_t>(got);
    }

    std::string_view text_;
    bool fails_after_;
};
