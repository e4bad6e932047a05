#pragma once

#include "base/text.h"
#include "base/unique_handle_win.h"

// A child run through the command interpreter with a hidden console, its
// stdout and stderr both on one new anonymous pipe. Only the read end stays
// here; the child holds the only write end.
struct PipedChild {
    UniqueHandle readPipe;
    UniqueHandle process;
    UniqueHandle thread;
};

// Starts the command line after the interpreter prefix of this platform
// ("cmd.exe /c " on NT). False, with nothing left open, when the pipe or the
// child could not be made.
bool StartPipedChild(const Text& commandLine, PipedChild& child);
