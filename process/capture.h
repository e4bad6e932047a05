#pragma once

#include <windows.h>

#include "base/text.h"

// Handles one message taken from the queue as the main loop would.
using MessageHandler = void (*)(MSG& msg);

// Runs the command line through the command interpreter with a hidden
// console and returns everything it wrote to stdout and stderr, in order.
// While it waits, the messages already in the thread's queue are handed to
// handleMessage; a WM_QUIT is left in the queue.
Text RunAndCapture(const Text& commandLine, MessageHandler handleMessage);

// The capture's records live from start-up to the end of the program.
void AllocateCaptureState();
void ReleaseCaptureState();
