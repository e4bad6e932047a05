#include "ui/main_window.h"

#include "app/message_loop.h"
#include "app/program_icon.h"
#include "base/unique_handle_win.h"
#include "ui/controls_win.h"
#include "ui/program_port.h"
#include "ui/skin.h"

namespace {

constexpr int kWidth = 116;
constexpr int kHeight = 94;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr const char* kTitle = "Zarvik";

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kEditStyle = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle =
    kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

using ClickedHandler = void (*)(HotspotPort&);

struct ControlLayout {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    ClickedHandler clicked;
};

// In the order of creation, which gives the IDs.
constexpr ControlLayout kControls[] = {
    {kAccountBoxId, "EDIT", "", kEditStyle, 28, 0, 80, 20, nullptr},
    {kNetworkKeyBoxId, "EDIT", "", kEditStyle | ES_PASSWORD, 28, 24, 80, 20, nullptr},
    {kStopButtonId, "BUTTON", "关闭", kButtonStyle, 70, 44, 40, 24, StopHotspot},
    {kStartButtonId, "BUTTON", "开启", kButtonStyle, 27, 44, 40, 24, StartHotspot},
    {kAccountLabelId, kLabelClass, "账户:", kChild, 1, 0, 24, 24, nullptr},
    {kNetworkKeyLabelId, kLabelClass, "密码", kChild, 1, 21, 24, 24, nullptr},
    {kPictureId, kPictureClass, "", kChild, 1, 42, 26, 26, nullptr},
};

// Top first. Where controls overlap the upper one covers the lower: the
// picture takes the clicks on the last rows of 标签2.
constexpr int kSiblingOrder[] = {kPictureId,    kNetworkKeyLabelId, kAccountLabelId, kStartButtonId,
                                 kStopButtonId, kNetworkKeyBoxId,   kAccountBoxId};

constexpr int kTabOrder[] = {kAccountBoxId, kNetworkKeyBoxId, kStopButtonId, kStartButtonId};

// The window's state, from WM_NCCREATE to WM_NCDESTROY in GWLP_USERDATA. The
// port is shared with the action that runs: the window may be closed while a
// status query dispatches messages, and the query still runs to its end.
struct MainWindow {
    HWND window;
    std::shared_ptr<HotspotPort> port;
    HFONT font = nullptr;
    HWND lastFocus = nullptr;
};

struct CreateParams {
    const PortMaker* makePort;
};

MainWindow* StateOf(HWND window)
{
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND BoxWindow(HWND mainWindow, Box box)
{
    return GetDlgItem(mainWindow, box == Box::Account ? kAccountBoxId : kNetworkKeyBoxId);
}

// --- Focus and keyboard ------------------------------------------------------

bool TakesTab(HWND control)
{
    return control && IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
}

// The control after (or before) `from` in the tab order, going round; the
// first (or last) when `from` is not in it.
HWND NextInTabOrder(HWND mainWindow, HWND from, bool backwards)
{
    constexpr int count = sizeof kTabOrder / sizeof kTabOrder[0];
    int start = backwards ? 0 : count - 1;  // so that the first step lands on an end
    for (int i = 0; from && i < count; ++i) {
        if (GetDlgItem(mainWindow, kTabOrder[i]) == from)
            start = i;
    }
    for (int step = 1; step <= count; ++step) {
        int i = (start + (backwards ? count - step : step)) % count;
        HWND control = GetDlgItem(mainWindow, kTabOrder[i]);
        if (TakesTab(control))
            return control;
    }
    return nullptr;
}

enum Modifiers { kCtrl = 1, kShift = 2, kAlt = 4 };

int ModifiersDown()
{
    return (GetKeyState(VK_CONTROL) < 0 ? kCtrl : 0) | (GetKeyState(VK_SHIFT) < 0 ? kShift : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAlt : 0);
}

// Only the exact combinations act: Ctrl+Tab or Alt+Esc are left alone.
bool PreTranslateKey(MainWindow& state, const MSG& msg)
{
    if (!IsWindowEnabled(msg.hwnd))
        return false;
    const int modifiers = ModifiersDown();
    if (msg.wParam == VK_TAB && (modifiers == 0 || modifiers == kShift)) {
        if (HWND next = NextInTabOrder(state.window, GetFocus(), modifiers == kShift))
            SetFocus(next);
        return true;
    }
    if (msg.wParam == VK_ESCAPE && modifiers == 0) {
        SendMessageA(state.window, WM_CLOSE, 0, 0);
        return true;
    }
    return false;  // Enter included: there is no default button
}

// --- Events ------------------------------------------------------------------

void OnCreated(HotspotPort& port)
{
    SetSkinStyle(2);
    LoadSavedAccount(port);
}

// x, y and the key state go with the press, though the status query needs
// none of them. The query gives back nothing, so the press is not consumed.
bool OnPicturePressed(HotspotPort& port, int /*x*/, int /*y*/, int /*keys*/)
{
    ShowHotspotStatus(port);
    return false;
}

// The control that has the focus gets it back when the window is activated
// again. A focus of nobody's, or outside the window, leaves the last one.
void RememberFocus(MainWindow& state)
{
    HWND focus = GetFocus();
    if (focus && IsChild(state.window, focus))
        state.lastFocus = focus;
}

bool PreTranslatePicturePress(MainWindow& state, const MSG& msg)
{
    // The status box disables the window before it takes the activation, and
    // disabling can take the focus from the control first: remember it now.
    RememberFocus(state);
    std::shared_ptr<HotspotPort> port = state.port;  // state may go with the window
    return OnPicturePressed(*port, LOWORD(msg.lParam), HIWORD(msg.lParam), ModifiersDown());
}

LRESULT PreTranslate(MainWindow& state, const MSG& msg)
{
    if (msg.hwnd != state.window && !IsChild(state.window, msg.hwnd))
        return 0;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        return PreTranslateKey(state, msg);
    if (msg.message == WM_LBUTTONDOWN && msg.hwnd == GetDlgItem(state.window, kPictureId))
        return PreTranslatePicturePress(state, msg);
    return 0;
}

// A button's BN_CLICKED comes back to the button's own clicked handler.
void OnCommand(MainWindow& state, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != BN_CLICKED || !control || GetParent(control) != state.window)
        return;
    for (const ControlLayout& layout : kControls) {
        if (layout.clicked && layout.id == GetDlgCtrlID(control)) {
            std::shared_ptr<HotspotPort> port = state.port;
            layout.clicked(*port);
            return;
        }
    }
}

void OnActivate(MainWindow& state, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        RememberFocus(state);
}

void OnSetFocus(MainWindow& state)
{
    HWND target = state.lastFocus;
    if (!target || !IsChild(state.window, target))
        target = NextInTabOrder(state.window, nullptr, false);
    if (target)
        SetFocus(target);
}

LRESULT OnEraseBackground(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

LRESULT OnEditColour(HDC dc)
{
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam)
{
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
    auto* state = new MainWindow{window, (*params->makePort)(window)};
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
}

void OnNcDestroy(HWND window)
{
    delete reinterpret_cast<MainWindow*>(SetWindowLongPtrA(window, GWLP_USERDATA, 0));
    OnProgramWindowDestroyed(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        return OnNcCreate(window, wParam, lParam);
    MainWindow* state = StateOf(window);
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == PreTranslateRequestMessage())
        return PreTranslate(*state, *reinterpret_cast<const MSG*>(lParam));
    switch (message) {
        case WM_ERASEBKGND:
            return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_CTLCOLOREDIT:
            return OnEditColour(reinterpret_cast<HDC>(wParam));
        case WM_COMMAND:
            OnCommand(*state, wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            OnActivate(*state, wParam);
            break;  // DefWindowProc gives the window the focus, and OnSetFocus passes it on
        case WM_SETFOCUS:
            OnSetFocus(*state);
            return 0;
        case WM_NCDESTROY:
            OnNcDestroy(window);
            break;  // DefWindowProc frees what Windows keeps for the window
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// --- Building ----------------------------------------------------------------

// The full screen, not the work area; integer division rounds toward zero.
POINT CenteredOnScreen()
{
    return {(GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2};
}

void KeepOuterSize(HWND window, POINT at)
{
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != kWidth || outer.bottom - outer.top != kHeight)
        MoveWindow(window, at.x, at.y, kWidth, kHeight, TRUE);
}

HWND CreateControl(HWND mainWindow, const ControlLayout& layout, HFONT font)
{
    const bool edit = lstrcmpA(layout.className, "EDIT") == 0;
    // Given WS_BORDER at creation, an edit control may keep the border for
    // itself and draw it inside its client area (Wine's does). Set afterwards,
    // it stays a window frame outside the client area, which the centred
    // line needs.
    DWORD style = edit ? layout.style & ~WS_BORDER : layout.style;
    HWND control = CreateWindowExA(0, layout.className, layout.text, style, layout.x, layout.y,
                                   layout.width, layout.height, mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (edit) {
        SetWindowLongA(control, GWL_STYLE, static_cast<LONG>(layout.style));
        if (layout.style & ES_PASSWORD)
            SendMessageA(control, EM_SETPASSWORDCHAR, '*', 0);
        SendMessageA(control, EM_LIMITTEXT, 0, 0);  // the largest the system allows
        CenterEditLine(control);
    }
    return control;
}

void SetSiblingOrder(HWND mainWindow)
{
    HWND above = HWND_TOP;
    for (int id : kSiblingOrder) {
        HWND control = GetDlgItem(mainWindow, id);
        SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
        above = control;
    }
}

}  // namespace

HWND OpenMainWindow(const PortMaker& makePort)
{
    if (!RegisterOwnClass(kMainWindowClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, MainWindowProc) ||
        !RegisterLabelClass() || !RegisterPictureClass())
        return nullptr;
    const POINT at = CenteredOnScreen();
    CreateParams params{&makePort};
    // Torn down with whatever it holds unless every control is made.
    UniqueWindow window(CreateWindowExA(kExStyle, kMainWindowClass, kTitle, kStyle, at.x, at.y,
                                        kWidth, kHeight, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), &params));
    if (!window)
        return nullptr;
    KeepOuterSize(window.Get(), at);

    SendMessageA(window.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(true)));
    SendMessageA(window.Get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(false)));
    auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(window.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    for (const ControlLayout& layout : kControls) {
        if (!CreateControl(window.Get(), layout, font))
            return nullptr;
    }
    SetSiblingOrder(window.Get());
    for (const ControlLayout& layout : kControls)
        ShowWindow(GetDlgItem(window.Get(), layout.id), SW_SHOWNA);

    // The created event, while the window is still invisible: no one sees it
    // without its skin or with empty boxes.
    HWND built = window.Detach();
    OnCreated(*std::shared_ptr<HotspotPort>(StateOf(built)->port));
    if (IsWindow(built))
        ShowWindow(built, SW_SHOW);
    return built;
}

bool OpenMainWindow()
{
    return OpenMainWindow([](HWND mainWindow) -> std::shared_ptr<HotspotPort> {
               return std::make_shared<ProgramPort>(mainWindow);
           }) != nullptr;
}

Text GetBoxText(HWND mainWindow, Box box) { return WindowTextOf(BoxWindow(mainWindow, box)); }

void SetBoxText(HWND mainWindow, Box box, const Text& text)
{
    SetWindowTextA(BoxWindow(mainWindow, box), text.c_str());
}

void SetWindowTitle(HWND mainWindow, const Text& title)
{
    SetWindowTextA(mainWindow, title.c_str());
}
