#include "process/piped_child_win.h"

#include <windows.h>

#include <utility>

#include "process/child_process_win.h"

namespace {

const char* InterpreterPrefix()
{
    // The version query's result is not looked at: on failure the record
    // stays zero, which is not NT and picks the older interpreter.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? "cmd.exe /c " : "command.com /c ";
}

}  // namespace

bool StartPipedChild(const Text& commandLine, PipedChild& child)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle readPipe;
    UniqueHandle writePipe;
    if (!CreatePipe(readPipe.Receive(), writePipe.Receive(), &inheritable, 0))
        return false;
    // Only the write end goes to the child. The read end in the child, or in
    // anything the child starts, would keep the pipe alive after we are done.
    SetHandleInformation(readPipe.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startupInfo = {};
    startupInfo.cb = sizeof startupInfo;
    startupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startupInfo.wShowWindow = SW_HIDE;
    startupInfo.hStdOutput = writePipe.Get();
    startupInfo.hStdError = writePipe.Get();

    std::optional<ChildProcess> started =
        StartChildProcess(Join({InterpreterPrefix(), commandLine}), startupInfo, true);
    if (!started)
        return false;
    child.readPipe = std::move(readPipe);
    child.process = std::move(started->process);
    child.thread = std::move(started->thread);
    // Our copy of the write end closes on return: from then on only the child
    // and what it starts hold it, and the pipe breaks when they have ended.
    return true;
}
