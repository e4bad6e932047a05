#pragma once

#include <windows.h>

#include "hotspot/actions.h"

// The actions' port in the running program: the boxes and title of the main
// window, the two process launchers, the settings file beside the exe and the
// status box. The members are virtual so that a test can put its own
// processes, settings file or message box in place of the real ones.
class ProgramPort : public HotspotPort {
public:
    explicit ProgramPort(HWND mainWindow) : mainWindow_(mainWindow) {}
    virtual ~ProgramPort() = default;

    Text GetBoxText(Box box) override;
    void SetBoxText(Box box, const Text& text) override;
    void SetWindowTitle(const Text& title) override;
    bool RunAndWait(const Text& commandLine) override;
    Text RunAndCapture(const Text& commandLine) override;
    Text SettingsPath() override;
    bool FileExists(const Text& path) override;
    Text ReadSetting(const Text& path, const Text& section, const Text& key) override;
    bool WriteSetting(const Text& path, const Text& section, const Text& key,
                      const Text& value) override;
    void ShowMessageBox(const Text& text) override;

protected:
    HWND MainWindow() const { return mainWindow_; }

private:
    HWND mainWindow_;
};
