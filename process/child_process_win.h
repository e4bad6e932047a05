#pragma once

#include <windows.h>

#include <optional>

#include "base/text.h"
#include "base/unique_handle_win.h"

// A child process that was started: its two handles, owned.
struct ChildProcess {
    UniqueHandle process;
    UniqueHandle thread;
};

// CreateProcessA with no application name (the line's first token names the
// program, searched for as CreateProcessA does), no creation flags, this
// process's environment and current directory. Nothing when it could not
// be started.
std::optional<ChildProcess> StartChildProcess(const Text& commandLine, STARTUPINFOA& startupInfo,
                                              bool inheritHandles);
