#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/skin.h"

namespace {

constexpr COLORREF kBorder = RGB(142, 153, 125);
constexpr COLORREF kBorderHot = RGB(118, 131, 97);
constexpr COLORREF kFaceTopLeft = RGB(182, 196, 161);
constexpr COLORREF kFaceBottomRight = RGB(149, 167, 117);
constexpr COLORREF kFaceHot = RGB(162, 179, 141);
constexpr COLORREF kFacePressed = RGB(139, 147, 119);
constexpr COLORREF kDisabledTopLeft = RGB(247, 243, 239);
constexpr COLORREF kDisabledBottomRight = RGB(231, 227, 222);
constexpr COLORREF kEditFrame = RGB(164, 185, 127);
constexpr COLORREF kWhite = RGB(255, 255, 255);

#define EXPECT_COLOUR(actual, expected) EXPECT_EQ(Describe(actual), Describe(expected))

// A push button in a window of its own, made after the skin was switched on
// or off.
struct LoneButton {
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                  60, 24, frame, nullptr, nullptr, nullptr);
    LoneButton()
    {
        UpdateWindow(frame);
        UpdateWindow(button);
    }
    ~LoneButton() { DestroyWindow(frame); }
};

bool IsSkinned(HWND control)
{
    // The skin's look: its border colour in the middle of the top edge.
    return Pixels(control).At(20, 0) == kBorder;
}

}  // namespace

class SkinTest : public MainWindowTest {};

TEST_F(SkinTest, ButtonsAreDrawnInOliveForEachState)
{
    Open();
    HWND button = Control(kStopButtonId);
    struct Case {
        const char* name;
        void (*enter)(HWND);
        COLORREF border, topLeft, bottomRight;
    };
    const Case cases[] = {
        {"normal", [](HWND) {}, kBorder, kFaceTopLeft, kFaceBottomRight},
        {"mouse over", [](HWND b) { SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); },
         kBorderHot, kFaceHot, kFaceHot},
        {"pressed", [](HWND b) { SendMessageA(b, BM_SETSTATE, TRUE, 0); }, kBorderHot, kFacePressed,
         kFacePressed},
        {"disabled", [](HWND b) { EnableWindow(b, FALSE); }, RGB(201, 199, 186), kDisabledTopLeft,
         kDisabledBottomRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.enter(button);
        UpdateWindow(button);
        Pixels pixels(button);
        ASSERT_EQ(pixels.Width(), 40);
        EXPECT_COLOUR(pixels.At(20, 0), c.border);
        EXPECT_COLOUR(pixels.At(0, 12), c.border);
        EXPECT_COLOUR(pixels.At(39, 12), c.border);
        EXPECT_COLOUR(pixels.At(1, 1), c.topLeft);
        EXPECT_COLOUR(pixels.At(38, 22), c.bottomRight);
        // Back to normal for the next case.
        EnableWindow(button, TRUE);
        SendMessageA(button, BM_SETSTATE, FALSE, 0);
        SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    }
}

TEST_F(SkinTest, EditBoxesGetAnOliveFrameWithAWhiteLineInside)
{
    Open();
    for (int id : {kAccountBoxId, kNetworkKeyBoxId}) {
        SCOPED_TRACE(id);
        Pixels pixels(Control(id));
        ASSERT_EQ(pixels.Height(), 20);
        for (POINT outer : {POINT{0, 10}, POINT{79, 10}, POINT{40, 0}, POINT{40, 19}})
            EXPECT_COLOUR(pixels.At(outer.x, outer.y), kEditFrame);
        for (POINT inner : {POINT{1, 10}, POINT{78, 10}, POINT{40, 1}, POINT{40, 18}})
            EXPECT_COLOUR(pixels.At(inner.x, inner.y), kWhite);
        // The strips between the frame and the centred line are white too.
        EXPECT_COLOUR(pixels.At(40, 2), kWhite);
        EXPECT_COLOUR(pixels.At(40, 17), kWhite);
    }
}

TEST_F(SkinTest, ReachesControlsMadeLaterAndSwitchingOffRestoresThem)
{
    Open();
    {
        LoneButton later;
        EXPECT_TRUE(IsSkinned(later.button));
    }

    EXPECT_EQ(SetSkinStyle(0), 0);
    EXPECT_EQ(SkinStyle(), 0);
    UpdateWindow(window_);
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_FALSE(IsSkinned(Control(kStopButtonId)));
    EXPECT_NE(Describe(Pixels(Control(kAccountBoxId)).At(0, 10)), Describe(kEditFrame));
    {
        LoneButton afterOff;
        EXPECT_FALSE(IsSkinned(afterOff.button));
    }
    // Clicks still work on the controls given back.
    SendMessageA(Control(kStopButtonId), BM_CLICK, 0, 0);
    EXPECT_EQ(Calls("RunAndWait"), std::vector<Text>{"netsh wlan stop hostednetwork"});

    EXPECT_EQ(SetSkinStyle(2), 1);
    UpdateWindow(Control(kStopButtonId));
    EXPECT_TRUE(IsSkinned(Control(kStopButtonId)));
}

namespace {

struct StatusBoxLook {
    COLORREF okBorder = CLR_INVALID;
    bool seen = false;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

// Runs inside the status box's modal loop: reads the OK button and closes the box.
LRESULT CALLBACK LookAtStatusBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcA(window, message, wParam, lParam);
    auto* look = reinterpret_cast<StatusBoxLook*>(lParam);
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return 0;
    if (HWND ok = GetDlgItem(box, IDOK)) {
        UpdateWindow(ok);
        Pixels pixels(ok);
        look->okBorder = pixels.At(pixels.Width() / 2, 0);
        look->seen = true;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}

}  // namespace

// The status box is made while the program waits in it; a message posted
// before it opens looks at its OK button from inside its modal loop.
TEST_F(SkinTest, StatusBoxOkButtonIsSkinned)
{
    Open();
    WNDCLASSA helperClass = {};
    helperClass.lpfnWndProc = LookAtStatusBox;
    helperClass.lpszClassName = "ZarvikSkinTestHelper";
    RegisterClassA(&helperClass);
    HWND helper = CreateWindowExA(0, helperClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    StatusBoxLook look;
    PostMessageA(helper, WM_APP, 0, reinterpret_cast<LPARAM>(&look));

    ProgramPort(window_).ShowMessageBox("hosted network status");

    DestroyWindow(helper);
    ASSERT_TRUE(look.seen);
    EXPECT_COLOUR(look.okBorder, kBorder);
}

TEST_F(SkinTest, PictureShowsTheRingOverTheButtonFace)
{
    Open();
    Pixels pixels(Control(kPictureId));
    ASSERT_EQ(pixels.Width(), 26);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The corners and the gap inside the ring are transparent.
    EXPECT_COLOUR(pixels.At(0, 0), face);
    EXPECT_COLOUR(pixels.At(25, 25), face);
    EXPECT_COLOUR(pixels.At(13, 7), face);
    // The ring is blue, on every side.
    for (POINT ring : {POINT{13, 3}, POINT{13, 22}, POINT{3, 13}, POINT{22, 13}}) {
        SCOPED_TRACE(ring.x * 100 + ring.y);
        COLORREF colour = pixels.At(ring.x, ring.y);
        EXPECT_NE(Describe(colour), Describe(face));
        EXPECT_GT(GetBValue(colour), GetRValue(colour) + 60);
    }
}

// Painting and switching the skin on and off many times keeps no GDI object.
TEST_F(SkinTest, LeavesNoGdiObjectsBehind)
{
    Open();
    auto gdiObjects = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    if (gdiObjects() == 0)
        GTEST_SKIP() << "this system does not count GDI objects (Wine says 0)";
    // One round first: the system caches what it needs on first use.
    auto round = [this] {
        SetSkinStyle(2);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageA(Control(kStopButtonId), BM_SETSTATE, TRUE, 0);
        SendMessageA(Control(kStopButtonId), BM_SETSTATE, FALSE, 0);
        SetSkinStyle(0);
    };
    round();
    const DWORD before = gdiObjects();
    for (int i = 0; i < 20; ++i)
        round();
    EXPECT_EQ(gdiObjects(), before);
}
