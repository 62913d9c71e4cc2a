// Writes the input of every short transcript case into a folder, one file each, as the fuzzer's
// seed corpus: the fuzzer starts from runs known to matter.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "transcripts/transcript_cases.h"

namespace {

// The fuzzer's own longest input, which its build passes to both.
constexpr std::size_t kLongestSeed = HORNER_LONGEST_SEED;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: write_seed_corpus FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const TranscriptCase& c : transcript_cases()) {
        if (c.input.size() <= kLongestSeed) {
            std::ofstream(folder / c.name, std::ios::binary) << c.input;
        }
    }
    return 0;
}
