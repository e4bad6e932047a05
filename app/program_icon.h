#pragma once

#include <windows.h>

// The program icon ("DEFAULT_ICON" in the exe's resources): big is 32x32,
// small 16x16. Loaded the first time a window asks and kept for the life of
// the process; null when the exe carries no such icon.
HICON ProgramIcon(bool big);

// Destroys the loaded icons; called once, at the very end.
void ReleaseProgramIcons();
