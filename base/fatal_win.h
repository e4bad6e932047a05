#pragma once

// Tells the user that the program cannot go on and ends the process at once
// with exit status -1. Nothing registered to run at the end is run.
[[noreturn]] void EndWithError(const char* text);
