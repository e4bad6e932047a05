#pragma once

#include "base/text.h"

// The two boxes of the main window the actions read and fill.
enum class Box {
    Account,     // the network name (SSID)
    NetworkKey,  // the network key, a password box
};

// Everything the actions reach outside themselves: the window, the two ways
// of running a command line, the settings file and the message box. The
// program binds it to the real window and Windows; tests put a recorder here.
class HotspotPort {
public:
    virtual Text GetBoxText(Box box) = 0;
    virtual void SetBoxText(Box box, const Text& text) = 0;
    virtual void SetWindowTitle(const Text& title) = 0;

    // Runs the command line in a console window of its own until it ends.
    virtual bool RunAndWait(const Text& commandLine) = 0;
    // Runs the command line hidden and returns what it wrote to stdout and stderr.
    virtual Text RunAndCapture(const Text& commandLine) = 0;

    virtual Text SettingsPath() = 0;
    virtual bool FileExists(const Text& path) = 0;
    virtual Text ReadSetting(const Text& path, const Text& section, const Text& key) = 0;
    virtual bool WriteSetting(const Text& path, const Text& section, const Text& key,
                              const Text& value) = 0;

    virtual void ShowMessageBox(const Text& text) = 0;

protected:
    ~HotspotPort() = default;
};

// The main window has just been built: fill the boxes from the settings file,
// or ask for an account through the title when there is none.
void LoadSavedAccount(HotspotPort& port);
// "开启": configure the hosted network from the boxes, start it, remember the boxes.
void StartHotspot(HotspotPort& port);
// "关闭": stop the hosted network.
void StopHotspot(HotspotPort& port);
// The picture was pressed: show what the network shell says of the hosted network.
void ShowHotspotStatus(HotspotPort& port);
