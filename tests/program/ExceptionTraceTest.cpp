// The end-to-end tests' guard: a started program's fault shows in the run's output, where the
// test runner looks for it. This run passes only when the trace line appears.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

using namespace testing_support;

TEST(ExceptionTrace, AFaultInAStartedProgramsWindowCallbackReachesTheOutput)
{
    ChildProcess program("\"" + BinFolder() + "window_proc_fault.exe\"", BinFolder());
    ASSERT_TRUE(program.Started());
    EXPECT_TRUE(program.WaitForExit(20000));
}
