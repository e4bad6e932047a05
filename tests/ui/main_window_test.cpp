#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "app/message_loop.h"
#include "tests/ui/ui_test_support.h"
#include "ui/skin.h"

namespace {

constexpr LONG kEditStyle = 0x44810080;
constexpr LONG kButtonStyle = 0x44012F00;
constexpr LONG kOwnControlStyle = WS_CHILD | WS_CLIPSIBLINGS;

struct ExpectedControl {
    int id;
    const char* className;
    RECT rect;  // client coordinates of the main window
    const char* text;
    LONG style;
};

const ExpectedControl kExpectedControls[] = {
    {kAccountBoxId, "Edit", {28, 0, 108, 20}, "", kEditStyle},
    {kNetworkKeyBoxId, "Edit", {28, 24, 108, 44}, "", kEditStyle | ES_PASSWORD},
    {kStopButtonId, "Button", {70, 44, 110, 68}, "关闭", kButtonStyle},
    {kStartButtonId, "Button", {27, 44, 67, 68}, "开启", kButtonStyle},
    {kAccountLabelId, "ZarvikLabel", {1, 0, 25, 24}, "账户:", kOwnControlStyle},
    {kNetworkKeyLabelId, "ZarvikLabel", {1, 21, 25, 45}, "密码", kOwnControlStyle},
    {kPictureId, "ZarvikPicture", {1, 42, 27, 68}, "", kOwnControlStyle},
};

Text ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

}  // namespace

TEST_F(MainWindowTest, IsASmallCentredToolWindow)
{
    OpenWithSettings("", "");
    RECT outer;
    GetWindowRect(window_, &outer);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - 116) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - 94) / 2;
    EXPECT_EQ(outer.left, x);
    EXPECT_EQ(outer.top, y);
    EXPECT_EQ(outer.right - outer.left, 116);
    EXPECT_EQ(outer.bottom - outer.top, 94);
    if (GetSystemMetrics(SM_CXSCREEN) == 1920 && GetSystemMetrics(SM_CYSCREEN) == 1080) {
        EXPECT_EQ(outer.left, 902);
        EXPECT_EQ(outer.top, 493);
    }

    // The system gives every top-level window WS_CLIPSIBLINGS.
    EXPECT_EQ(GetWindowLongA(window_, GWL_STYLE) & ~WS_CLIPSIBLINGS, 0x02CA0000 | WS_VISIBLE);
    // The system adds WS_EX_WINDOWEDGE to every window with a caption.
    EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(ClassOf(window_), kMainWindowClass);
    EXPECT_EQ(WindowText(window_), "Zarvik");
    EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(window_, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetMenu(window_), nullptr);
    EXPECT_EQ(FontOf(window_), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND), 0);
    EXPECT_EQ(GetClassLongA(window_, GCL_STYLE), CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(MainWindowTest, ControlsHaveTheirKindPlaceTextStyleAndFont)
{
    OpenWithSettings("", "");
    for (const ExpectedControl& expected : kExpectedControls) {
        SCOPED_TRACE(expected.id);
        HWND control = Control(expected.id);
        ASSERT_TRUE(control);
        EXPECT_EQ(GetParent(control), window_);
        EXPECT_EQ(lstrcmpiA(ClassOf(control).c_str(), expected.className), 0) << ClassOf(control);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(EqualRect(&rect, &expected.rect))
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        EXPECT_EQ(WindowText(control), expected.text);
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), expected.style | WS_VISIBLE);
        EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE), 0);
        EXPECT_EQ(FontOf(control), GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_TRUE(IsWindowEnabled(control));
    }
    EXPECT_EQ(GetClassLongA(Control(kPictureId), GCL_STYLE) & CS_DBLCLKS, CS_DBLCLKS);

    for (int id : {kAccountBoxId, kNetworkKeyBoxId}) {
        SCOPED_TRACE(id);
        HWND box = Control(id);
        EXPECT_EQ(SendMessageA(box, EM_GETPASSWORDCHAR, 0, 0), id == kNetworkKeyBoxId ? '*' : 0);
        EXPECT_GE(static_cast<unsigned>(SendMessageA(box, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    }
}

TEST_F(MainWindowTest, SiblingOrderPutsThePictureOnTop)
{
    Open();
    const int expected[] = {kPictureId,    kNetworkKeyLabelId, kAccountLabelId, kStartButtonId,
                            kStopButtonId, kNetworkKeyBoxId,   kAccountBoxId};
    std::vector<int> order;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(child));
    EXPECT_EQ(order, std::vector<int>(std::begin(expected), std::end(expected)));

    // Where they overlap, Windows finds the upper one.
    struct Case {
        int x, y, id;
    };
    for (Case c : {Case{5, 43, kPictureId}, Case{5, 22, kNetworkKeyLabelId},
                   Case{5, 20, kAccountLabelId}, Case{5, 10, kAccountLabelId}}) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(ScreenPoint(window_, c.x, c.y))), c.id);
    }
}

// The box's line is one font line high and sits in the middle of the box;
// the strips above and below take no clicks.
TEST_F(MainWindowTest, EditBoxLineIsCentredVertically)
{
    Open();
    HWND box = Control(kAccountBoxId);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, FontOf(box));
    SIZE w = {};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    SelectObject(dc, old);
    ReleaseDC(box, dc);

    RECT client;
    GetClientRect(box, &client);
    EXPECT_EQ(client.bottom, w.cy);
    POINT origin = {0, 0};
    MapWindowPoints(box, window_, &origin, 1);
    // Between the 1-pixel border of the 20-pixel box.
    EXPECT_EQ(origin.y, 1 + (18 - w.cy) / 2);

    POINT strip = ScreenPoint(window_, 60, 2);
    EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(strip.x, strip.y)), HTBORDER);
    SetBoxText(window_, Box::Account, "abcdef");
    SendMessageA(box, EM_SETSEL, 0, 0);
    ClickAt(strip);
    PumpUntil([](const MSG& msg) {
        return msg.message == WM_NCLBUTTONUP || msg.message == WM_LBUTTONUP;
    });
    DWORD start = 1, end = 1;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

// The created event runs while the window is invisible and its controls are
// shown: the skin is on and the boxes hold their texts (or the title asks for
// an account) before anyone sees the window.
TEST_F(MainWindowTest, CreatedEventRunsBeforeTheWindowIsShown)
{
    struct Case {
        bool settingsFile;
        Text title, account, key;
        size_t changes;
    };
    const Case cases[] = {
        {true, "Zarvik", "我的热点", "secret 12", 2},
        {false, "配置账号密码", "", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        log_.changes.clear();
        DeleteFileA(log_.settingsPath.c_str());
        if (c.settingsFile)
            OpenWithSettings(c.account, c.key);
        else
            Open();
        ASSERT_EQ(log_.changes.size(), c.changes);
        for (const PortLog::Moment& moment : log_.changes) {
            EXPECT_FALSE(moment.windowVisible);
            EXPECT_TRUE(moment.controlsVisible);
            EXPECT_EQ(moment.skinStyle, 2);
        }
        EXPECT_TRUE(IsWindowVisible(window_));
        EXPECT_EQ(WindowText(window_), c.title);
        EXPECT_EQ(GetBoxText(window_, Box::Account), c.account);
        EXPECT_EQ(GetBoxText(window_, Box::NetworkKey), c.key);
        DestroyWindow(window_);
    }
}

TEST_F(MainWindowTest, BoxAndTitleOperations)
{
    Open();
    EXPECT_EQ(GetBoxText(window_, Box::Account), "");
    EXPECT_EQ(GetBoxText(window_, Box::NetworkKey), "");

    // The password box shows asterisks but gives its real characters.
    SetBoxText(window_, Box::NetworkKey, "密码 \"x\"");
    EXPECT_EQ(GetBoxText(window_, Box::NetworkKey), "密码 \"x\"");
    EXPECT_EQ(SendMessageA(Control(kNetworkKeyBoxId), EM_GETPASSWORDCHAR, 0, 0), '*');
    SetBoxText(window_, Box::NetworkKey, "");
    EXPECT_EQ(GetBoxText(window_, Box::NetworkKey), "");

    // Longer than the edit control's default limit of 30000 characters.
    Text longAccount(40000, 'a');
    SetBoxText(window_, Box::Account, longAccount);
    EXPECT_EQ(GetBoxText(window_, Box::Account), longAccount);

    SetWindowTitle(window_, "");
    EXPECT_EQ(WindowText(window_), "");
    EXPECT_EQ(GetWindowLongA(window_, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU),
              WS_CAPTION | WS_SYSMENU);
}

// Key presses as the message loop hands them over, each with the modifier
// keys held at that moment.
TEST_F(MainWindowTest, PreTranslationOfKeys)
{
    struct Case {
        const char* name;
        WORD key;
        std::vector<WORD> modifiers;
        int focusBefore;
        int focusAfter;  // 0: the window is closed
        bool consumed;
    };
    const Case cases[] = {
        {"Tab", VK_TAB, {}, kAccountBoxId, kNetworkKeyBoxId, true},
        {"Tab", VK_TAB, {}, kNetworkKeyBoxId, kStopButtonId, true},
        {"Tab", VK_TAB, {}, kStopButtonId, kStartButtonId, true},
        {"Tab round", VK_TAB, {}, kStartButtonId, kAccountBoxId, true},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, kStopButtonId, kNetworkKeyBoxId, true},
        {"Shift+Tab round", VK_TAB, {VK_SHIFT}, kAccountBoxId, kStartButtonId, true},
        {"Ctrl+Tab", VK_TAB, {VK_CONTROL}, kAccountBoxId, kAccountBoxId, false},
        {"Esc", VK_ESCAPE, {}, kNetworkKeyBoxId, 0, true},
        {"Esc on a button", VK_ESCAPE, {}, kStartButtonId, 0, true},
        {"Ctrl+Esc", VK_ESCAPE, {VK_CONTROL}, kAccountBoxId, kAccountBoxId, false},
        {"Shift+Esc", VK_ESCAPE, {VK_SHIFT}, kAccountBoxId, kAccountBoxId, false},
        {"Alt+Esc", VK_ESCAPE, {VK_MENU}, kAccountBoxId, kAccountBoxId, false},
        {"Enter", VK_RETURN, {}, kStopButtonId, kStopButtonId, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!window_ || !IsWindow(window_))
            Open();
        SetFocus(Control(c.focusBefore));
        BYTE keys[256] = {};
        for (WORD modifier : c.modifiers)
            keys[modifier] = 0x80;
        SetKeyboardState(keys);

        const bool alt = !c.modifiers.empty() && c.modifiers[0] == VK_MENU;
        MSG msg = {};
        msg.hwnd = GetFocus();
        msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        msg.wParam = c.key;
        msg.lParam = 1;
        EXPECT_EQ(PreTranslateMessage(msg), c.consumed);
        SetKeyboardState(std::array<BYTE, 256>{}.data());

        if (c.focusAfter == 0) {
            EXPECT_FALSE(IsWindow(window_));
            continue;
        }
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.focusAfter);
    }
}

// Through the real input queue and the program's message handling.
TEST_F(MainWindowTest, EscFromTheKeyboardClosesAndFocusStartsInTheAccountBox)
{
    Open();
    EXPECT_EQ(GetFocus(), Control(kAccountBoxId));
    TypeKey(VK_TAB);
    PumpUntil([](const MSG& msg) { return msg.message == WM_KEYUP && msg.wParam == VK_TAB; });
    EXPECT_EQ(GetFocus(), Control(kNetworkKeyBoxId));
    TypeKey(VK_ESCAPE);
    HWND window = window_;
    PumpUntil([window](const MSG&) { return !IsWindow(window); });
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(MainWindowTest, FocusComesBackToTheControlThatHadIt)
{
    Open();
    SetFocus(Control(kStopButtonId));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), Control(kStopButtonId));
    SetActiveWindow(window_);
    EXPECT_EQ(GetFocus(), Control(kStopButtonId));

    // The status box disables the window, which on Windows can take the focus
    // from the control before the window is deactivated (Wine keeps it): the
    // box here does both by hand. Afterwards the focus is where it was.
    SetFocus(Control(kNetworkKeyBoxId));
    log_.whileStatusBoxOpen = [other] {
        SetFocus(nullptr);
        SetActiveWindow(other);
    };
    HWND picture = Control(kPictureId);
    ClickAt(ScreenPoint(picture, 13, 13));
    PumpUntil([&](const MSG& msg) { return msg.hwnd == picture && msg.message == WM_LBUTTONUP; });
    log_.whileStatusBoxOpen = nullptr;
    ASSERT_EQ(Calls("ShowMessageBox"), std::vector<Text>{"status"});
    SetActiveWindow(window_);
    EXPECT_EQ(GetFocus(), Control(kNetworkKeyBoxId));

    // Gone meanwhile: the first control of the tab order gets it.
    SetFocus(Control(kStopButtonId));
    SetActiveWindow(other);
    DestroyWindow(Control(kStopButtonId));
    SetActiveWindow(window_);
    EXPECT_EQ(GetFocus(), Control(kAccountBoxId));
    DestroyWindow(other);
}

// A press on the picture starts one status query: also on the rows where the
// picture covers 标签2, with Ctrl held, and for a double click.
TEST_F(MainWindowTest, PressOnThePictureShowsTheStatusOnce)
{
    struct Case {
        const char* name;
        int x, y;
        int clicks;
        std::vector<WORD> held;
    };
    const Case cases[] = {
        {"middle", 14, 55, 1, {}},
        {"over 标签2", 5, 43, 1, {}},
        {"with Ctrl", 14, 55, 1, {VK_CONTROL}},
        {"double click", 14, 55, 2, {}},
    };
    Open();
    HWND picture = Control(kPictureId);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A click on 标签1 first, so that this press cannot pair up with the
        // last one as a double click.
        HWND label = Control(kAccountLabelId);
        ClickAt(ScreenPoint(label, 5, 10));
        PumpUntil([&](const MSG& msg) { return msg.hwnd == label && msg.message == WM_LBUTTONUP; });
        log_.calls.clear();
        for (int i = 0; i < c.clicks; ++i)
            ClickAt(ScreenPoint(window_, c.x, c.y), c.held);
        int ups = 0;
        PumpUntil([&](const MSG& msg) {
            return msg.hwnd == picture && msg.message == WM_LBUTTONUP && ++ups == c.clicks;
        });
        EXPECT_EQ(Calls("RunAndCapture"), std::vector<Text>{"netsh wlan show hostednetwork"});
        EXPECT_EQ(Calls("ShowMessageBox"), std::vector<Text>{"status"});
    }
}

TEST_F(MainWindowTest, ButtonsStartTheirActions)
{
    OpenWithSettings("net", "key1");
    const std::vector<Text> start = {"netsh wlan set hostednetwork mode=allow ssid=net key=key1",
                                     "netsh wlan start hostednetwork"};
    const std::vector<Text> stop = {"netsh wlan stop hostednetwork"};
    HWND startButton = Control(kStartButtonId);
    HWND stopButton = Control(kStopButtonId);
    auto released = [](HWND button) {
        return
            [button](const MSG& msg) { return msg.hwnd == button && msg.message == WM_LBUTTONUP; };
    };

    SCOPED_TRACE("开启");
    ClickAt(ScreenPoint(startButton, 20, 12));
    PumpUntil(released(startButton));
    EXPECT_EQ(Calls("RunAndWait"), start);

    SCOPED_TRACE("关闭");
    log_.calls.clear();
    ClickAt(ScreenPoint(stopButton, 20, 12));
    PumpUntil(released(stopButton));
    EXPECT_EQ(Calls("RunAndWait"), stop);

    // Pressed on the button, released elsewhere: no click.
    SCOPED_TRACE("released elsewhere");
    log_.calls.clear();
    PressAt(ScreenPoint(startButton, 20, 12));
    ReleaseAt(ScreenPoint(Control(kAccountLabelId), 5, 10));
    PumpUntil([](const MSG& msg) { return msg.message == WM_LBUTTONUP; });
    EXPECT_TRUE(log_.calls.empty());

    // The space bar on the focused button.
    SCOPED_TRACE("space");
    SetFocus(stopButton);
    TypeKey(VK_SPACE);
    PumpUntil([](const MSG& msg) { return msg.message == WM_KEYUP && msg.wParam == VK_SPACE; });
    EXPECT_EQ(Calls("RunAndWait"), stop);

    // "开启" saved the boxes as they were after the commands.
    Text saved = ReadWholeFile(log_.settingsPath);
    EXPECT_NE(saved.find("zh=net\r\n"), Text::npos) << saved;
    EXPECT_NE(saved.find("mm=key1\r\n"), Text::npos) << saved;
}
