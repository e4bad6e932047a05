#pragma once

#include <windows.h>

#include "base/text.h"

// Handles one message taken from the queue as the main loop would.
using MessageHandler = void (*)(MSG& msg);

// Runs the command line through the command interpreter with a hidden
// console and returns everything it wrote to stdout and stderr, in order.
// While it waits, the messages already in the thread's queue are handed to
// handleMessage; a WM_QUIT is left in the queue. A message handled meanwhile
// may start a capture of its own: each call returns its own command's output.
// The output is taken in pieces of up to 1023 bytes as it arrives; a zero
// byte drops the rest of its piece, and the pieces after it still count.
Text RunAndCapture(const Text& commandLine, MessageHandler handleMessage);

// What the capture that finished last leaves behind, kept until the next one
// finishes: the output it returned and its child's exit code (unchanged when
// no child could be started).
struct CaptureState {
    Text outputText;
    DWORD exitCode = 0;
};

// The capture's records live from start-up to the end of the program.
void AllocateCaptureState();
void ReleaseCaptureState();
// Null outside that life.
const CaptureState* LastCapture();
