#include "process/run_and_wait.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/unique_handle_win.h"
#include "tests/process/process_child.h"
#include "tests/support/win_test_support.h"

TEST(RunAndWait, FalseWhenNothingCanBeStarted)
{
    TempDir dir;
    for (const Text& line :
         {Text(), Text("zarvik_no_such_program"), CommandLine(dir / "missing.exe", "out:x")}) {
        EXPECT_FALSE(RunAndWait(line)) << line;
    }
}

TEST(RunAndWait, EachRunEndsBeforeTheCallReturns)
{
    // The child logs its start, pauses, then logs its end: a call that came
    // back early, or a second child started before the first had ended,
    // leaves the log out of step.
    TempDir dir;
    const Text log = dir / "log.txt";
    EXPECT_TRUE(
        RunAndWait(ProcessChild(Join({"append:", log, ":A+ sleep:300 append:", log, ":A-"}))));
    EXPECT_EQ(ReadWholeFile(log), "A+A-");
    EXPECT_TRUE(
        RunAndWait(ProcessChild(Join({"append:", log, ":B+ sleep:300 append:", log, ":B-"}))));
    EXPECT_EQ(ReadWholeFile(log), "A+A-B+B-");
}

TEST(RunAndWait, ChildIsShownNormallyAndInheritsNoHandle)
{
    // An inheritable pipe that a child started with inheritance would hold.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0));

    TempDir dir;
    const Text report = dir / "report.txt";
    ASSERT_TRUE(RunAndWait(ProcessChild("report:" + report)));
    EXPECT_EQ(ReadWholeFile(report), "flags=1 show=1 pipes=0 readends=0\n");
}

TEST(RunAndWait, NoHandleOutlivesARun)
{
    const int left = HandlesLeftBehind(20, [] { EXPECT_TRUE(RunAndWait(ProcessChild(""))); });
    EXPECT_LE(left, 0);
}
