#include "ui/program_port.h"

#include "app/message_loop.h"
#include "hotspot/message_box_win.h"
#include "hotspot/settings_win.h"
#include "process/capture.h"
#include "process/run_and_wait.h"
#include "ui/main_window.h"

Text ProgramPort::GetBoxText(Box box) { return ::GetBoxText(mainWindow_, box); }

void ProgramPort::SetBoxText(Box box, const Text& text) { ::SetBoxText(mainWindow_, box, text); }

void ProgramPort::SetWindowTitle(const Text& title) { ::SetWindowTitle(mainWindow_, title); }

bool ProgramPort::RunAndWait(const Text& commandLine) { return ::RunAndWait(commandLine); }

Text ProgramPort::RunAndCapture(const Text& commandLine)
{
    // The window stays alive while the capture waits: its messages go through
    // the same pre-translation as in the main loop.
    return ::RunAndCapture(commandLine, HandleMessage);
}

Text ProgramPort::SettingsPath() { return ::SettingsPath(); }

bool ProgramPort::FileExists(const Text& path) { return ::FileExists(path); }

Text ProgramPort::ReadSetting(const Text& path, const Text& section, const Text& key)
{
    return ::ReadSetting(path, section, key);
}

bool ProgramPort::WriteSetting(const Text& path, const Text& section, const Text& key,
                               const Text& value)
{
    return ::WriteSetting(path, section, key, value);
}

void ProgramPort::ShowMessageBox(const Text& text) { ::ShowMessageBox(text); }
