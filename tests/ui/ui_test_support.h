#pragma once

// What the window and skin tests share: the main window opened with a port
// that records the actions' processes and status box instead of running them,
// message pumping as the program's loop does it, and pixels read back.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/win_test_support.h"
#include "ui/main_window.h"
#include "ui/program_port.h"

// The real window operations and settings file (in a scratch directory); the
// network shell and the status box are only written down.
struct PortLog {
    Text settingsPath;
    std::vector<Text> calls;
    // How the window was when LoadSavedAccount changed it.
    struct Moment {
        bool windowVisible, controlsVisible;
        int skinStyle;
    };
    std::vector<Moment> changes;
    // Runs while the status box would be open.
    std::function<void()> whileStatusBoxOpen;
};

class RecordingProgramPort final : public ProgramPort {
public:
    RecordingProgramPort(HWND mainWindow, PortLog& log) : ProgramPort(mainWindow), log_(log) {}

    void SetBoxText(Box box, const Text& text) override;
    void SetWindowTitle(const Text& title) override;
    bool RunAndWait(const Text& commandLine) override;
    Text RunAndCapture(const Text& commandLine) override;
    Text SettingsPath() override { return log_.settingsPath; }
    void ShowMessageBox(const Text& text) override;

private:
    void NoteMoment();
    PortLog& log_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window; with a settings file holding these values when given.
    void Open();
    void OpenWithSettings(const Text& account, const Text& networkKey);

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    // The calls of the given kind ("RunAndWait", "RunAndCapture", ...).
    std::vector<Text> Calls(const Text& kind) const;

    TempDir directory_;
    PortLog log_;
    HWND window_ = nullptr;
};

// Handles every message already waiting, as the program's loop would.
void PumpPending();
// Pumps until a message satisfying `seen` has been handled; fails the test if
// none comes (a guard against hanging, not a measure of speed).
void PumpUntil(const std::function<bool(const MSG&)>& seen);

// Mouse and keyboard through the system's input queue, the way a user's
// presses arrive. `heldKeys` are virtual keys held down during the click.
void ClickAt(POINT screen, std::vector<WORD> heldKeys = {});
void PressAt(POINT screen);
void ReleaseAt(POINT screen);
void TypeKey(WORD key);
POINT ScreenPoint(HWND window, int x, int y);

// The window as drawn, frame included, read back from its window DC.
class Pixels {
public:
    explicit Pixels(HWND window);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> bits_;
};

// For messages: "RGB(1,2,3)".
std::string Describe(COLORREF colour);
