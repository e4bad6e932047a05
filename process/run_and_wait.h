#pragma once

#include "base/text.h"

// Starts the command line as it is (program name first, searched for as
// CreateProcessA does) in a console window of its own, shown normally, and
// waits for it to end. False at once when it cannot be started.
bool RunAndWait(const Text& commandLine);
