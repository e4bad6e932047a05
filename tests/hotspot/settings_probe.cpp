// Started by the settings tests from a chosen place: does the start-up step
// and writes what it found, one line each, to the file named by argument 1:
// the run directory, the settings path and the current directory.
#include <windows.h>

#include "base/multibyte_win.h"
#include "hotspot/settings_win.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    SetUpMultibyteTables();
    EnterRunDirectory();

    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    Text report = Join({RunDirectory(), "\n", SettingsPath(), "\n", current, "\n"});

    HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
