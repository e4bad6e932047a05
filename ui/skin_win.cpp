#include "ui/skin.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <vector>

#include "base/unique_handle_win.h"
#include "ui/controls_win.h"

namespace {

// --- Colour schemes ------------------------------------------------------------

struct Scheme {
    COLORREF border, borderHot;     // normal; mouse over or pressed
    COLORREF faceTop, faceBottom;   // shading from the top left corner
    COLORREF faceHot, facePressed;  // plain faces
    COLORREF ring;                  // inside the border of a focused or default button
    COLORREF editFrame;
};

constexpr Scheme kSchemes[] = {
    // 1: blue
    {RGB(0, 60, 116), RGB(0, 45, 98), RGB(255, 255, 255), RGB(214, 208, 197), RGB(240, 238, 230),
     RGB(226, 223, 214), RGB(137, 173, 228), RGB(123, 158, 189)},
    // 2: olive green
    {RGB(142, 153, 125), RGB(118, 131, 97), RGB(182, 196, 161), RGB(149, 167, 117),
     RGB(162, 179, 141), RGB(139, 147, 119), RGB(194, 209, 143), RGB(164, 185, 127)},
    // 3: silver
    {RGB(118, 116, 151), RGB(88, 86, 121), RGB(255, 255, 255), RGB(210, 210, 222),
     RGB(236, 236, 242), RGB(198, 197, 215), RGB(255, 212, 120), RGB(198, 197, 215)},
};

// A disabled button looks the same in every scheme.
constexpr COLORREF kDisabledTop = RGB(247, 243, 239);
constexpr COLORREF kDisabledBottom = RGB(231, 227, 222);
constexpr COLORREF kDisabledBorder = RGB(201, 199, 186);
constexpr COLORREF kDisabledText = RGB(161, 161, 146);

// --- The skin's state: the style and the hook, nothing else ------------------

struct Skin {
    int style = 0;
    UniqueHook hook;
};

Skin& TheSkin()
{
    static Skin skin;
    return skin;
}

const Scheme* CurrentScheme()
{
    int style = TheSkin().style;
    return style >= 1 && style <= 3 ? &kSchemes[style - 1] : nullptr;
}

// --- Which windows the skin takes in -----------------------------------------

enum class Kind { PushButton, Edit };

// What the skin keeps of one control, as the reference data of its subclass.
struct Skinned {
    Kind kind;
    bool hot = false;
};

constexpr UINT_PTR kSkinSubclassId = 1;

std::optional<Kind> KindOf(HWND window, LONG style)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    // Classes of the version-6 common controls may carry a version prefix.
    const char* base = name;
    for (const char* c = name; *c; ++c) {
        if (*c == '!')
            base = c + 1;
    }
    if (lstrcmpiA(base, "Edit") == 0)
        return Kind::Edit;
    // Owner-drawn, picture and non-push buttons keep their own look.
    const LONG type = style & BS_TYPEMASK;
    if (lstrcmpiA(base, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) &&
        !(style & (BS_BITMAP | BS_ICON)))
        return Kind::PushButton;
    return std::nullopt;
}

void RedrawWhole(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// --- Drawing -------------------------------------------------------------------

BYTE Mix(BYTE from, BYTE to, int step, int steps)
{
    return static_cast<BYTE>(from + (to - from) * step / steps);
}

// Shaded from `from` in the top left corner to `to` in the bottom right one.
void FillDiagonal(HDC dc, const RECT& area, COLORREF from, COLORREF to)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const int steps = width + height - 2 > 0 ? width + height - 2 : 1;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int step = x + y;
            pixels[static_cast<size_t>(y) * width + x] =
                static_cast<DWORD>(Mix(GetRValue(from), GetRValue(to), step, steps)) << 16 |
                static_cast<DWORD>(Mix(GetGValue(from), GetGValue(to), step, steps)) << 8 |
                Mix(GetBValue(from), GetBValue(to), step, steps);
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), pixels.data(),
                      &info, DIB_RGB_COLORS);
}

void FillPlain(HDC dc, const RECT& area, COLORREF colour)
{
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

void Frame(HDC dc, const RECT& area, COLORREF colour)
{
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &area, brush.Get());
}

// A 1-pixel frame whose corner pixels are left out, which rounds it off.
void RoundedFrame(HDC dc, const RECT& area, COLORREF colour)
{
    const RECT sides[] = {
        {area.left + 1, area.top, area.right - 1, area.top + 1},
        {area.left + 1, area.bottom - 1, area.right - 1, area.bottom},
        {area.left, area.top + 1, area.left + 1, area.bottom - 1},
        {area.right - 1, area.top + 1, area.right, area.bottom - 1},
    };
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    for (const RECT& side : sides)
        FillRect(dc, &side, brush.Get());
}

struct ButtonLook {
    bool enabled, pressed, hot, focused, isDefault, hideFocus, hidePrefix;
};

ButtonLook LookOf(HWND button, bool hot)
{
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    const auto state = SendMessageA(button, BM_GETSTATE, 0, 0);
    const auto ui = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
    return {IsWindowEnabled(button) != FALSE,
            (state & BST_PUSHED) != 0,
            hot,
            GetFocus() == button,
            (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
            (ui & UISF_HIDEFOCUS) != 0,
            (ui & UISF_HIDEACCEL) != 0};
}

UINT CaptionFormat(LONG style, const ButtonLook& look)
{
    UINT format = look.hidePrefix ? DT_HIDEPREFIX : 0;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format |= DT_LEFT;
            break;
        case BS_RIGHT:
            format |= DT_RIGHT;
            break;
        default:
            format |= DT_CENTER;
            break;
    }
    return format | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
}

void DrawCaption(HWND button, HDC dc, RECT area, const ButtonLook& look)
{
    const Text text = WindowTextOf(button);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    SavedDcState keep(dc);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)))
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.enabled ? RGB(0, 0, 0) : kDisabledText);
    const UINT format = CaptionFormat(style, look);
    // Placed vertically by hand: DT_VCENTER knows single lines only.
    RECT measured = area;
    DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    switch (style & BS_VCENTER) {
        case BS_TOP:
            break;
        case BS_BOTTOM:
            area.top = area.bottom - height;
            break;
        default:
            area.top += (area.bottom - area.top - height) / 2;
            break;
    }
    if (look.pressed)
        OffsetRect(&area, 1, 1);
    DrawTextA(dc, text.c_str(), -1, &area, format);
}

void PaintButton(HWND button, HDC dc, bool hot)
{
    const Scheme* scheme = CurrentScheme();
    if (!scheme)
        return;
    const ButtonLook look = LookOf(button, hot);
    RECT area;
    GetClientRect(button, &area);
    // The cut corners show the parent's face.
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));

    RECT face = area;
    InflateRect(&face, -1, -1);
    if (!look.enabled)
        FillDiagonal(dc, face, kDisabledTop, kDisabledBottom);
    else if (look.pressed)
        FillPlain(dc, face, scheme->facePressed);
    else if (look.hot)
        FillPlain(dc, face, scheme->faceHot);
    else
        FillDiagonal(dc, face, scheme->faceTop, scheme->faceBottom);

    COLORREF border = scheme->border;
    if (!look.enabled)
        border = kDisabledBorder;
    else if (look.pressed || look.hot)
        border = scheme->borderHot;
    RoundedFrame(dc, area, border);

    if (look.enabled && !look.pressed && (look.focused || look.isDefault))
        Frame(dc, face, scheme->ring);

    RECT caption = area;
    InflateRect(&caption, -3, -3);
    DrawCaption(button, dc, caption, look);

    if (look.focused && !look.hideFocus) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

// Over the box's own border: the scheme's colour outside, the box's
// background colour inside.
void PaintEditFrame(HWND edit, HDC dc)
{
    const Scheme* scheme = CurrentScheme();
    if (!scheme)
        return;
    const bool enabled = IsWindowEnabled(edit) != FALSE;
    const bool readOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT area;
    GetWindowRect(edit, &area);
    OffsetRect(&area, -area.left, -area.top);
    Frame(dc, area, enabled ? scheme->editFrame : face - 0x202020);
    InflateRect(&area, -1, -1);
    Frame(dc, area, enabled && !readOnly ? GetSysColor(COLOR_WINDOW) : face);
}

// --- The subclass ----------------------------------------------------------------

void GiveBack(HWND window);

void RepaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// The button paints itself straight away on these, outside WM_PAINT; the
// skin paints over it at once.
bool ButtonDrawsItselfOn(UINT message)
{
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE:
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case BM_SETCHECK:
            return true;
    }
    return false;
}

void TrackLeave(HWND button)
{
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, button, 0};
    TrackMouseEvent(&track);
}

// `skinned` must not be touched after the control's own procedure has run: a
// click may have closed the window and the control with it.
LRESULT ButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam, Skinned& skinned)
{
    switch (message) {
        case WM_PAINT: {
            PaintDc paint(button);
            PaintButton(button, paint.Get(), skinned.hot);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintButton(button, reinterpret_cast<HDC>(wParam), skinned.hot);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE: {
            // While the button is held it has the capture, so moves keep
            // coming with the pointer outside: hot means over the button.
            const bool wasHot = skinned.hot;
            const auto stateBefore = SendMessageA(button, BM_GETSTATE, 0, 0);
            RECT client;
            GetClientRect(button, &client);
            const POINT at = {static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam))};
            skinned.hot = PtInRect(&client, at) != FALSE;
            if (skinned.hot && !wasHot)
                TrackLeave(button);
            LRESULT result = DefSubclassProc(button, message, wParam, lParam);
            if (skinned.hot != wasHot || SendMessageA(button, BM_GETSTATE, 0, 0) != stateBefore)
                RepaintNow(button);
            return result;
        }
        case WM_MOUSELEAVE:
            skinned.hot = false;
            RepaintNow(button);
            break;
    }
    if (ButtonDrawsItselfOn(message)) {
        LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        if (IsWindow(button))
            RepaintNow(button);
        return result;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT EditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_NCPAINT:
        case WM_PAINT:  // too: some edit boxes draw their border in the client area
        case WM_PRINT:
            return PaintOverFrame(edit, message, wParam, lParam, PaintEditFrame);
        case WM_ENABLE:
        case EM_SETREADONLY: {
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            RedrawWhole(edit);
            return result;
        }
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data)
{
    auto& skinned = *reinterpret_cast<Skinned*>(data);
    if (message == WM_NCDESTROY) {
        GiveBack(window);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (!CurrentScheme())
        return DefSubclassProc(window, message, wParam, lParam);
    return skinned.kind == Kind::PushButton
               ? ButtonMessage(window, message, wParam, lParam, skinned)
               : EditMessage(window, message, wParam, lParam);
}

Skinned* SkinnedOf(HWND window)
{
    DWORD_PTR data = 0;
    if (!GetWindowSubclass(window, SkinProc, kSkinSubclassId, &data))
        return nullptr;
    return reinterpret_cast<Skinned*>(data);
}

void TakeIn(HWND window, Kind kind)
{
    if (SkinnedOf(window))
        return;
    auto* skinned = new Skinned{kind};
    if (!SetWindowSubclass(window, SkinProc, kSkinSubclassId, reinterpret_cast<DWORD_PTR>(skinned)))
        delete skinned;
}

void GiveBack(HWND window)
{
    Skinned* skinned = SkinnedOf(window);
    if (!skinned)
        return;
    RemoveWindowSubclass(window, SkinProc, kSkinSubclassId);
    delete skinned;
}

// Every control created on this thread from now on passes here before its
// first message.
LRESULT CALLBACK SkinHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
        if (std::optional<Kind> kind = KindOf(window, static_cast<LONG>(create->style)))
            TakeIn(window, *kind);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- Reaching the controls that exist ---------------------------------------

using ControlVisitor = void (*)(HWND);

BOOL CALLBACK VisitOne(HWND window, LPARAM visitor)
{
    reinterpret_cast<ControlVisitor>(visitor)(window);
    return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM visitor)
{
    VisitOne(window, visitor);
    EnumChildWindows(window, VisitOne, visitor);
    return TRUE;
}

void ForEachWindowOfThread(ControlVisitor visit)
{
    EnumThreadWindows(GetCurrentThreadId(), VisitTopLevel, reinterpret_cast<LPARAM>(visit));
}

void TakeInExisting(HWND window)
{
    if (std::optional<Kind> kind = KindOf(window, GetWindowLongA(window, GWL_STYLE))) {
        TakeIn(window, *kind);
        RedrawWhole(window);
    }
}

void GiveBackExisting(HWND window)
{
    if (SkinnedOf(window)) {
        GiveBack(window);
        RedrawWhole(window);
    }
}

}  // namespace

int SetSkinStyle(int style)
{
    Skin& skin = TheSkin();
    if (style < 1 || style > 3) {
        skin.hook.Reset();
        skin.style = 0;
        ForEachWindowOfThread(GiveBackExisting);
        return 0;
    }
    skin.style = style;
    if (!skin.hook)
        skin.hook.Reset(SetWindowsHookExA(WH_CBT, SkinHook, nullptr, GetCurrentThreadId()));
    ForEachWindowOfThread(TakeInExisting);
    return 1;
}

int SkinStyle() { return TheSkin().style; }
