#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win_test_support.h"

TEST(Heap, EveryAllocationIsABlockOfTheProcessHeap)
{
    // The C runtime's malloc keeps a heap of its own (under Wine at least), so
    // HeapSize on the process heap only knows blocks our operator new made.
    auto single = std::make_unique<int>(7);
    std::vector<char> array(5000);
    std::string text(300, 'x');
    for (const void* block :
         {static_cast<const void*>(single.get()), static_cast<const void*>(array.data()),
          static_cast<const void*>(text.data())}) {
        EXPECT_NE(HeapSize(GetProcessHeap(), 0, block), static_cast<SIZE_T>(-1));
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, block));
    }
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, array.data()), 5000u);
}

TEST(Heap, FailedAllocationEndsWithErrorBoxAndStatusMinusOne)
{
    Child child = StartChild(CommandLine(TestExeDirectory() + "\\alloc_failure_child.exe"));
    ASSERT_TRUE(child.process);

    HWND box = WaitForProcessWindow(child.id, "#32770");
    ASSERT_NE(box, nullptr) << "no error box appeared";
    EXPECT_EQ(WindowText(box), "Zarvik");
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "内存不足，Zarvik 无法继续运行。");

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(child), static_cast<DWORD>(-1));
}
