#include "tests/ui/ui_test_support.h"

#include <cstdio>

#include "app/message_loop.h"
#include "ui/skin.h"

void RecordingProgramPort::NoteMoment()
{
    // Not IsWindowVisible: it says false for every child of an invisible window.
    auto shown = [this](int id) {
        return (GetWindowLongA(GetDlgItem(MainWindow(), id), GWL_STYLE) & WS_VISIBLE) != 0;
    };
    bool controls = shown(kAccountBoxId) && shown(kPictureId);
    log_.changes.push_back({IsWindowVisible(MainWindow()) != FALSE, controls, SkinStyle()});
}

void RecordingProgramPort::SetBoxText(Box box, const Text& text)
{
    NoteMoment();
    ProgramPort::SetBoxText(box, text);
}

void RecordingProgramPort::SetWindowTitle(const Text& title)
{
    NoteMoment();
    ProgramPort::SetWindowTitle(title);
}

bool RecordingProgramPort::RunAndWait(const Text& commandLine)
{
    log_.calls.push_back("RunAndWait " + commandLine);
    return true;
}

Text RecordingProgramPort::RunAndCapture(const Text& commandLine)
{
    log_.calls.push_back("RunAndCapture " + commandLine);
    return "status";
}

void RecordingProgramPort::ShowMessageBox(const Text& text)
{
    log_.calls.push_back("ShowMessageBox " + text);
    if (log_.whileStatusBoxOpen)
        log_.whileStatusBoxOpen();
}

void MainWindowTest::SetUp() { log_.settingsPath = directory_ / "path.ini"; }

void MainWindowTest::TearDown()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    SetSkinStyle(0);
    PumpPending();
    // Keys held by a test must not leak into the next.
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

void MainWindowTest::Open()
{
    PortLog* log = &log_;
    window_ = OpenMainWindow([log](HWND mainWindow) -> std::shared_ptr<HotspotPort> {
        return std::make_shared<RecordingProgramPort>(mainWindow, *log);
    });
    ASSERT_TRUE(window_);
    SetForegroundWindow(window_);
    PumpPending();
    UpdateWindow(window_);
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindowTest::OpenWithSettings(const Text& account, const Text& networkKey)
{
    WriteWholeFile(log_.settingsPath,
                   Join({"[hm]\r\nzh=", account, "\r\nmm=", networkKey, "\r\n"}));
    Open();
}

std::vector<Text> MainWindowTest::Calls(const Text& kind) const
{
    std::vector<Text> found;
    for (const Text& call : log_.calls) {
        if (call.compare(0, kind.size() + 1, kind + " ") == 0)
            found.push_back(call.substr(kind.size() + 1));
    }
    return found;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        HandleMessage(msg);
}

void PumpUntil(const std::function<bool(const MSG&)>& seen)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const MSG copy = msg;
            HandleMessage(msg);
            if (seen(copy)) {
                PumpPending();
                return;
            }
        }
    }
    ADD_FAILURE() << "the awaited message never came";
}

namespace {

void SendOne(INPUT input) { ASSERT_EQ(SendInput(1, &input, sizeof input), 1u); }

INPUT MouseButton(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    SendOne(MouseButton(MOUSEEVENTF_LEFTDOWN));
}

void ReleaseAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    SendOne(MouseButton(MOUSEEVENTF_LEFTUP));
}

void ClickAt(POINT screen, std::vector<WORD> heldKeys)
{
    for (WORD key : heldKeys)
        SendOne(Key(key, false));
    PressAt(screen);
    ReleaseAt(screen);
    for (WORD key : heldKeys)
        SendOne(Key(key, true));
}

void TypeKey(WORD key)
{
    SendOne(Key(key, false));
    SendOne(Key(key, true));
}

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

Pixels::Pixels(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    width_ = outer.right - outer.left;
    height_ = outer.bottom - outer.top;
    bits_.assign(static_cast<size_t>(width_) * height_, 0);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDc source(window, WindowDc::Whole);
    UniqueGdi<HBITMAP> bitmap(
        CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(CreateCompatibleDC(source.Get()));
    {
        SelectGuard select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
        GdiFlush();
        memcpy(bits_.data(), bits, bits_.size() * sizeof(DWORD));
    }
}

COLORREF Pixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    DWORD bgr = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

std::string Describe(COLORREF colour)
{
    char text[40];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}
