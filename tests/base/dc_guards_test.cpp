#include <gtest/gtest.h>

#include "base/unique_handle_win.h"

TEST(SelectGuard, PutsTheOldObjectBackSoTheNewOneCanBeDeleted)
{
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    {
        SelectGuard select(dc.Get(), brush);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(SavedDcState, RestoresColoursAndClipping)
{
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SetTextColor(dc.Get(), RGB(10, 20, 30));
    {
        SavedDcState keep(dc.Get());
        SetTextColor(dc.Get(), RGB(200, 0, 0));
        IntersectClipRect(dc.Get(), 0, 0, 1, 1);
    }
    EXPECT_EQ(GetTextColor(dc.Get()), RGB(10, 20, 30));
    UniqueGdi<HRGN> clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc.Get(), clip.Get()), 0);  // no clipping region any more
}

namespace {

RECT paintedArea;

LRESULT CALLBACK PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintDc paint(window);
        paintedArea = paint.Paint().rcPaint;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(PaintDc, PaintsTheInvalidAreaAndValidatesIt)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintingProc;
    windowClass.lpszClassName = "ZarvikPaintDcTest";
    RegisterClassA(&windowClass);
    UniqueWindow window(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0,
                                        0, 50, 50, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    UpdateWindow(window.Get());

    RECT invalid = {5, 6, 20, 30};
    InvalidateRect(window.Get(), &invalid, FALSE);
    UpdateWindow(window.Get());
    EXPECT_TRUE(EqualRect(&paintedArea, &invalid));
    EXPECT_FALSE(GetUpdateRect(window.Get(), nullptr, FALSE));
}
