#include "base/fatal_win.h"

#include <windows.h>

void EndWithError(const char* text)
{
    // Task-modal with no owner: whatever window is left cannot be used meanwhile.
    MessageBoxA(nullptr, text, "Zarvik", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}
