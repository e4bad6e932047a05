#include "app/program.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ran;
void First() { ran += "1"; }
void Second() { ran += "2"; }

}  // namespace

TEST(EndProgram, RunsEachRoutineOnceInOrderOfRegistration)
{
    ran.clear();
    RegisterExitRoutine(First);
    RegisterExitRoutine(Second);
    RegisterExitRoutine(First);  // already there: not added again

    EndProgram(0);
    EXPECT_EQ(ran, "12");

    // The list was emptied: a second end calls nothing again.
    EndProgram(0);
    EXPECT_EQ(ran, "12");
}
