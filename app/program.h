#pragma once

// The life of the process, in the order the entry point calls them.

using ExitRoutine = void (*)();

// Adds the routine to the end of the list EndProgram runs; a routine already
// in the list is not added again.
void RegisterExitRoutine(ExitRoutine routine);

// Works in the exe's directory, sets up the capture records, opens the main
// window and runs the message loop until the window is gone. Returns 0. A
// window that cannot be opened ends the process at once with status -1.
int StartProgram();

// Runs each registered routine once, in the order of registration, empties
// the list (so a second call runs none), then releases the program icon.
void EndProgram(int status);
