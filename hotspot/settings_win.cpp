#include "hotspot/settings_win.h"

#include <windows.h>

#include "base/multibyte_win.h"
#include "base/unique_handle_win.h"
#include "hotspot/run_directory.h"

namespace {

// Set once by EnterRunDirectory and fixed for the life of the process.
Text runDirectory;

constexpr DWORD kReadBufferSize = 10240;

}  // namespace

void EnterRunDirectory()
{
    char exePath[MAX_PATH] = {};
    // Older Windows leave a path cut at MAX_PATH without its zero: go by the length.
    DWORD length = GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    runDirectory = DirectoryOfPath(std::string_view(exePath, length), IsAnsiLeadByte);
    // "D:" alone names the drive's remembered directory, which is the one the
    // program was started in when that is on the same drive: the root needs
    // its backslash. If this fails the program works where it was started;
    // there is nothing better to do.
    Text directory = runDirectory;
    if (directory.size() == 2 && directory[1] == ':')
        directory += '\\';
    SetCurrentDirectoryA(directory.c_str());
}

Text RunDirectory() { return runDirectory; }

Text SettingsPath() { return Join({RunDirectory(), "\\path.ini"}); }

bool FileExists(const Text& path)
{
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA(path.c_str(), &found));
    return static_cast<bool>(search);
}

Text ReadSetting(const Text& path, const Text& section, const Text& key)
{
    Text value(kReadBufferSize, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), nullptr, value.data(), kReadBufferSize,
                             path.c_str());
    value.resize(value.find('\0'));
    return value;
}

bool WriteSetting(const Text& path, const Text& section, const Text& key, const Text& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           FALSE;
}
