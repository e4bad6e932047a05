#include <windows.h>

#include <gtest/gtest.h>

#include "base/multibyte_win.h"

TEST(TestBench, RunsInTheChineseAnsiCodePage) { EXPECT_EQ(GetACP(), 936u); }

TEST(MultibyteTables, KnowGbkLeadBytesOnceSetUp)
{
    SetUpMultibyteTables();
    EXPECT_TRUE(IsAnsiLeadByte(0x81));
    EXPECT_TRUE(IsAnsiLeadByte(0xBF));
    EXPECT_FALSE(IsAnsiLeadByte('\\'));
    EXPECT_FALSE(IsAnsiLeadByte('A'));
    EXPECT_FALSE(IsAnsiLeadByte(0x80));
}
