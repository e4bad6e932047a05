#include "process/run_and_wait.h"

#include <windows.h>

#include "process/child_process_win.h"

bool RunAndWait(const Text& commandLine)
{
    STARTUPINFOA startupInfo = {};
    startupInfo.cb = sizeof startupInfo;
    startupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startupInfo.wShowWindow = SW_SHOWNORMAL;

    // No handle of ours goes to the child: it must not keep a capture's pipe alive.
    std::optional<ChildProcess> child = StartChildProcess(commandLine, startupInfo, false);
    if (!child)
        return false;
    // The only way out of the wait is the child's end; the caller asked to
    // block until then, so the result of the wait tells nothing new.
    WaitForSingleObject(child->process.Get(), INFINITE);
    return true;
}
