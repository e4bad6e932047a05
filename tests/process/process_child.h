#pragma once

#include "base/text.h"
#include "tests/support/win_test_support.h"

// The command line that runs process_child.exe (beside the test exe) with
// the given steps.
inline Text ProcessChild(const Text& steps)
{
    return CommandLine(TestExeDirectory() + "\\process_child.exe", steps);
}
