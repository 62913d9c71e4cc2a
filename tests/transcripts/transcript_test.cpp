// Runs the real executable over every transcript case and compares its standard output, its
// standard error and its exit status byte for byte. The path of the executable is the first
// argument after GoogleTest's own.

#include <gtest/gtest.h>

#include "support/case_name.h"
#include "support/program_under_test.h"

#include <ostream>
#include <string>

#include "support/child_process.h"
#include "support/console_bytes.h"
#include "transcripts/transcript_cases.h"

namespace {

class TranscriptTest : public testing::TestWithParam<TranscriptCase> {};

TEST_P(TranscriptTest, ExecutableWritesExactBytes)
{
    const TranscriptCase& c = GetParam();
    if (c.output_fills_up && !c.out.empty() && !kOutputCanFailPartWay) {
        GTEST_SKIP() << "standard output cannot fail part-way on this platform";
    }
    if (c.input_unreadable && !c.input.empty() && !kInputCanFailPartWay) {
        GTEST_SKIP() << "standard input cannot be made to fail part-way here";
    }
    const ChildResult run = run_child(
        program_under_test(), c.arguments, c.input,
        {c.output_fills_up ? process_output(c.out).size() : kNoLimit, c.input_unreadable});
    EXPECT_EQ(run.out, process_output(c.out));
    EXPECT_EQ(run.err, process_output(c.err));
    EXPECT_EQ(run.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, TranscriptTest, testing::ValuesIn(transcript_cases()), CaseName{});

}  // namespace
