#include "process/run_and_wait.h"

#include <windows.h>

#include "base/unique_handle_win.h"

bool RunAndWait(const Text& commandLine)
{
    STARTUPINFOA startupInfo = {};
    startupInfo.cb = sizeof startupInfo;
    startupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startupInfo.wShowWindow = SW_SHOWNORMAL;

    // CreateProcessA may write into the command line, so it gets a copy; an
    // empty text is passed as "" and fails there like any other bad line.
    Text line = commandLine;
    PROCESS_INFORMATION processInfo = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startupInfo, &processInfo))
        return false;

    UniqueHandle process(processInfo.hProcess);
    UniqueHandle thread(processInfo.hThread);
    // The only way out of the wait is the child's end; the caller asked to
    // block until then, so the result of the wait tells nothing new.
    WaitForSingleObject(process.Get(), INFINITE);
    return true;
}
