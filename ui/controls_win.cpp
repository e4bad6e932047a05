#include "ui/controls_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/unique_handle_win.h"
#include "ui/picture_data.h"

namespace {

// Both classes of ours keep their font in the first slot of the window's
// extra bytes, as the system's controls do, so WM_GETFONT answers what
// WM_SETFONT gave.
constexpr int kFontSlot = 0;

using Painter = void (*)(HWND, HDC);

// What the labels and the picture box do alike: they keep their font and paint
// themselves whole, so they need no background erased.
bool HandleOwnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Painter paint,
                             LRESULT& result)
{
    switch (message) {
        case WM_SETFONT:
            SetWindowLongPtrA(window, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(window, nullptr, TRUE);
            result = 0;
            return true;
        case WM_GETFONT:
            result = GetWindowLongPtrA(window, kFontSlot);
            return true;
        case WM_PAINT: {
            PaintDc dc(window);
            paint(window, dc.Get());
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT:
            paint(window, reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
    }
    return false;
}

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

// Labels: the text on the button face, left-aligned, one line, vertically
// centred; cut off at the right edge rather than wrapped or shrunk.
void PaintLabel(HWND label, HDC dc)
{
    SavedDcState keep(dc);
    RECT client;
    GetClientRect(label, &client);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (HFONT font = FontOf(label))
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const Text text = WindowTextOf(label);
    DrawTextA(dc, text.c_str(), -1, &client, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleOwnControlMessage(label, message, wParam, lParam, PaintLabel, result))
        return result;
    if (message == WM_SETTEXT) {
        result = DefWindowProcA(label, message, wParam, lParam);
        InvalidateRect(label, nullptr, FALSE);
        return result;
    }
    return DefWindowProcA(label, message, wParam, lParam);
}

HICON MakePictureIcon()
{
    // The icon file's one directory entry says where the image is and how
    // long it is: bytes 8 and 12 of the entry that follows the 6-byte header.
    auto little = [](unsigned at) {
        return static_cast<DWORD>(kPictureIcon[at] | kPictureIcon[at + 1] << 8 |
                                  kPictureIcon[at + 2] << 16 | kPictureIcon[at + 3] << 24);
    };
    DWORD bytes = little(6 + 8);
    DWORD offset = little(6 + 12);
    if (offset + bytes > kPictureIconSize)
        return nullptr;
    // The function only reads the image, though its parameter is not const.
    auto* image = const_cast<BYTE*>(kPictureIcon + offset);
    return CreateIconFromResourceEx(image, bytes, TRUE, 0x30000, 128, 128, LR_DEFAULTCOLOR);
}

// The picture box keeps its icon in GWLP_USERDATA from WM_CREATE to
// WM_NCDESTROY.
HICON PictureOf(HWND picture)
{
    return reinterpret_cast<HICON>(GetWindowLongPtrA(picture, GWLP_USERDATA));
}

void PaintPicture(HWND picture, HDC dc)
{
    RECT client;
    GetClientRect(picture, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    // Stretched to the box and blended over the face by its alpha channel.
    if (HICON icon = PictureOf(picture))
        DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
}

LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleOwnControlMessage(picture, message, wParam, lParam, PaintPicture, result))
        return result;
    switch (message) {
        case WM_CREATE:
            // Without an icon the box shows only its background.
            SetWindowLongPtrA(picture, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(MakePictureIcon()));
            return 0;
        case WM_NCDESTROY:
            UniqueIcon(reinterpret_cast<HICON>(SetWindowLongPtrA(picture, GWLP_USERDATA, 0)));
            break;
    }
    return DefWindowProcA(picture, message, wParam, lParam);
}

// --- Edit boxes with the line in the middle --------------------------------

constexpr UINT_PTR kCenteredLineId = 1;

int LineHeight(HFONT font)
{
    WindowDc screen(nullptr);
    SelectGuard select(screen.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(screen.Get(), "W", 1, &size);
    return size.cy;
}

// The client area the box would have without the cut, in the coordinates of
// the rectangle given.
RECT UncutClient(HWND edit, const RECT& window)
{
    RECT client = window;
    DefSubclassProc(edit, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    return client;
}

void CutToOneLine(HWND edit, RECT& client)
{
    const int line = LineHeight(FontOf(edit));
    const int available = client.bottom - client.top;
    if (line <= 0 || line >= available)
        return;
    client.top += (available - line) / 2;
    client.bottom = client.top + line;
}

RECT WindowArea(HWND edit)
{
    RECT window;
    GetWindowRect(edit, &window);
    OffsetRect(&window, -window.left, -window.top);
    return window;
}

// The strips between the border and the cut client area, in the brush the
// box paints its own background with.
void PaintStrips(HWND edit, HDC dc)
{
    RECT window = WindowArea(edit);
    RECT uncut = UncutClient(edit, window);
    RECT cut = uncut;
    CutToOneLine(edit, cut);
    LONG style = GetWindowLongA(edit, GWL_STYLE);
    bool plain = !IsWindowEnabled(edit) || (style & ES_READONLY);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(edit), plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
    if (!brush)
        brush = GetSysColorBrush(plain ? COLOR_BTNFACE : COLOR_WINDOW);
    RECT above = {uncut.left, uncut.top, uncut.right, cut.top};
    RECT below = {uncut.left, cut.bottom, uncut.right, uncut.bottom};
    FillRect(dc, &above, brush);
    FillRect(dc, &below, brush);
}

LRESULT OnCenteredNcCalcSize(HWND edit, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefSubclassProc(edit, WM_NCCALCSIZE, wParam, lParam);
    RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : *reinterpret_cast<RECT*>(lParam);
    CutToOneLine(edit, client);
    return result;
}

LRESULT OnCenteredNcHitTest(HWND edit, LPARAM lParam)
{
    LRESULT hit = DefSubclassProc(edit, WM_NCHITTEST, 0, lParam);
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // A click on a strip is a click on the frame: no caret, no selection.
    if ((hit == HTCLIENT || hit == HTNOWHERE) && !PtInRect(&client, point))
        return HTBORDER;
    return hit;
}

LRESULT CALLBACK CenteredLineProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR)
{
    switch (message) {
        case WM_NCCALCSIZE:
            return OnCenteredNcCalcSize(edit, wParam, lParam);
        case WM_NCHITTEST:
            return OnCenteredNcHitTest(edit, lParam);
        case WM_NCPAINT:
        case WM_PRINT:
            return PaintOverFrame(edit, message, wParam, lParam, PaintStrips);
        case WM_SETFONT: {
            // Another font, another line height: the client area is cut anew.
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            SetWindowPos(
                edit, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, CenteredLineProc, id);
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

LRESULT PaintOverFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       void (*paint)(HWND, HDC))
{
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message != WM_PRINT)
        paint(window, WindowDc(window, WindowDc::Whole).Get());
    else if (lParam & PRF_NONCLIENT)
        paint(window, reinterpret_cast<HDC>(wParam));
    return result;
}

bool RegisterOwnClass(const char* name, UINT style, WNDPROC procedure, int windowExtraBytes)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name, &windowClass))
        return true;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = windowExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

bool RegisterLabelClass() { return RegisterOwnClass(kLabelClass, 0, LabelProc, sizeof(LONG_PTR)); }

bool RegisterPictureClass()
{
    // CS_DBLCLKS: the second press of a double click comes as WM_LBUTTONDBLCLK,
    // which starts no second status query.
    return RegisterOwnClass(kPictureClass, CS_DBLCLKS, PictureProc, sizeof(LONG_PTR));
}

void CenterEditLine(HWND edit)
{
    SetWindowSubclass(edit, CenteredLineProc, kCenteredLineId, 0);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

Text WindowTextOf(HWND window)
{
    Text text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
