#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "console/answer_reader.h"

// Input given by a test or the fuzzer, read as standard input is: what the text holds, in reads
// of at most the buffer's size, then the end, or where it fails after, a failed read every time.
// An AnswerReader{read_script, &script} reads it.
struct Script {
    std::string_view text;
    bool fails_after = false;
};

inline std::ptrdiff_t read_script(void* source, char* bytes, std::size_t size)
{
    Script& script = *static_cast<Script*>(source);
    if (script.text.empty()) {
        return script.fails_after ? -1 : 0;
    }
    const std::size_t got = std::min(size, script.text.size());
    std::copy_n(script.text.begin(), got, bytes);
    script.text.remove_prefix(got);
    return static_cast<std::ptrdiff_t>(got);
}
