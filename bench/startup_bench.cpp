// Start-up benchmark: time from CreateProcess to the first visible top-level
// window of the new process, for zarvik.exe and for a minimal Win32 program,
// alternating in one run. Prints the medians and their ratio.
//   startup_bench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/exe_directory_win.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisible(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds until the program shows a window; the program is closed again.
double TimeToWindow(const std::string& exe, const std::string& directory)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = "\"" + exe + "\"";
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &info)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        std::exit(1);
    }
    Search search{info.dwProcessId, nullptr};
    while (!search.found) {
        EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return Seconds(start, shown) * 1000.0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::string directory = ExeDirectory();
    std::vector<double> zarvik, minimal;
    TimeToWindow(directory + "\\zarvik.exe", directory);  // warms the file cache
    for (int i = 0; i < runs; ++i) {
        zarvik.push_back(TimeToWindow(directory + "\\zarvik.exe", directory));
        minimal.push_back(TimeToWindow(directory + "\\minimal_window.exe", directory));
    }
    double z = Median(zarvik), m = Median(minimal);
    std::printf("start-up to visible window, median of %d runs:\n", runs);
    std::printf("  zarvik.exe          %8.1f ms\n", z);
    std::printf("  minimal Win32 window %7.1f ms\n", m);
    std::printf("  ratio               %8.2f\n", z / m);
    return 0;
}
