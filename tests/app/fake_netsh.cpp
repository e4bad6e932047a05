// Stands in for netsh beside zarvik.exe in the end-to-end tests. Each run
// appends one record to netsh-log.txt in its own directory as it ends:
//   <start ms>|<end ms>|<STARTUPINFO dwFlags>|<wShowWindow>|<current dir>|<command line>
// and prints netsh-status.txt (from its own directory) to stdout and, when
// present, netsh-stderr.txt to stderr. When netsh-hold.txt names a file, a
// "show" run waits until that file exists beside it: a status query that
// lasts exactly as long as the test wants.
#include <windows.h>

#include <string>

#include "tests/support/exe_directory_win.h"

namespace {

std::string ReadBeside(const std::string& name, bool* found = nullptr)
{
    std::string bytes;
    HANDLE file = CreateFileA((ExeDirectory() + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (found)
        *found = file != INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteAll(HANDLE to, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

unsigned long long NowMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) /
           10000;
}

}  // namespace

int main()
{
    unsigned long long start = NowMs();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);

    bool held = false;
    std::string release = ReadBeside("netsh-hold.txt", &held);
    if (held && std::string(GetCommandLineA()).find(" show ") != std::string::npos) {
        // A minute at most, so that a broken test cannot leave it behind for good.
        const std::string releasePath = ExeDirectory() + "\\" + release;
        for (int waited = 0; waited < 60000; waited += 20) {
            if (GetFileAttributesA(releasePath.c_str()) != INVALID_FILE_ATTRIBUTES)
                break;
            Sleep(20);
        }
    }

    WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), ReadBeside("netsh-status.txt"));
    WriteAll(GetStdHandle(STD_ERROR_HANDLE), ReadBeside("netsh-stderr.txt"));

    std::string record = std::to_string(start) + "|" + std::to_string(NowMs()) + "|" +
                         std::to_string(startup.dwFlags) + "|" +
                         std::to_string(startup.wShowWindow) + "|" + current + "|" +
                         GetCommandLineA() + "\r\n";
    // Appending under a share-nothing open: runs that overlap take turns.
    HANDLE log = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 200 && log == INVALID_HANDLE_VALUE; ++attempt) {
        log = CreateFileA((ExeDirectory() + "\\netsh-log.txt").c_str(), FILE_APPEND_DATA, 0,
                          nullptr, OPEN_ALWAYS, 0, nullptr);
        if (log == INVALID_HANDLE_VALUE)
            Sleep(10);
    }
    WriteAll(log, record);
    CloseHandle(log);
    return 0;
}
