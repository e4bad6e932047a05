#pragma once

// A HotspotPort that plays the window, the processes and the settings file
// from plain data and writes down every call it gets, in order.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hotspot/actions.h"

class RecordingPort final : public HotspotPort {
public:
    // What the port answers with.
    Text account, networkKey;
    Text title = "Zarvik";
    bool settingsFileExists = false;
    std::map<Text, Text> storedSettings;  // "section/key" -> value
    Text capturedOutput;
    // Runs after each RunAndWait, for scenarios in which the boxes change meanwhile.
    std::function<void(RecordingPort&, const Text& commandLine)> whileRunning;

    // What happened, one line per call.
    std::vector<Text> calls;

    Text GetBoxText(Box box) override
    {
        calls.push_back("GetBoxText " + Name(box));
        return Slot(box);
    }
    void SetBoxText(Box box, const Text& text) override
    {
        calls.push_back("SetBoxText " + Name(box) + " [" + text + "]");
        Slot(box) = text;
    }
    void SetWindowTitle(const Text& text) override
    {
        calls.push_back("SetWindowTitle [" + text + "]");
        title = text;
    }
    bool RunAndWait(const Text& commandLine) override
    {
        calls.push_back("RunAndWait [" + commandLine + "]");
        if (whileRunning)
            whileRunning(*this, commandLine);
        return true;
    }
    Text RunAndCapture(const Text& commandLine) override
    {
        calls.push_back("RunAndCapture [" + commandLine + "]");
        return capturedOutput;
    }
    Text SettingsPath() override
    {
        calls.push_back("SettingsPath");
        return kPath;
    }
    bool FileExists(const Text& path) override
    {
        calls.push_back("FileExists [" + path + "]");
        return settingsFileExists;
    }
    Text ReadSetting(const Text& path, const Text& section, const Text& key) override
    {
        calls.push_back("ReadSetting [" + path + "] [" + section + "] [" + key + "]");
        auto found = storedSettings.find(section + "/" + key);
        return found == storedSettings.end() ? Text() : found->second;
    }
    bool WriteSetting(const Text& path, const Text& section, const Text& key,
                      const Text& value) override
    {
        calls.push_back("WriteSetting [" + path + "] [" + section + "] [" + key + "] [" + value +
                        "]");
        storedSettings[section + "/" + key] = value;
        return true;
    }
    void ShowMessageBox(const Text& text) override
    {
        calls.push_back("ShowMessageBox [" + text + "]");
    }

    static inline const Text kPath = "C:\\tools\\path.ini";

private:
    static Text Name(Box box) { return box == Box::Account ? "account" : "key"; }
    Text& Slot(Box box) { return box == Box::Account ? account : networkKey; }
};
