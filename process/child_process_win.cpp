#include "process/child_process_win.h"

std::optional<ChildProcess> StartChildProcess(const Text& commandLine, STARTUPINFOA& startupInfo,
                                              bool inheritHandles)
{
    // CreateProcessA may write into the line, so it gets a copy; an empty
    // text goes as "" and fails there like any other bad line.
    Text line = commandLine;
    PROCESS_INFORMATION processInfo = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0,
                        nullptr, nullptr, &startupInfo, &processInfo))
        return std::nullopt;
    ChildProcess child;
    child.process.Reset(processInfo.hProcess);
    child.thread.Reset(processInfo.hThread);
    return child;
}
