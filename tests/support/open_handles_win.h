#pragma once

// Header-only, so that the small child programs of the tests can use it
// without GoogleTest.

#include <windows.h>

#include <vector>

// The handles the process holds, found by asking about every possible handle
// value: Wine's GetProcessHandleCount always says 0.
inline std::vector<HANDLE> OpenHandles()
{
    std::vector<HANDLE> open;
    for (ULONG_PTR value = 4; value <= 0xFFFC; value += 4) {
        HANDLE handle = reinterpret_cast<HANDLE>(value);
        DWORD flags = 0;
        if (GetHandleInformation(handle, &flags))
            open.push_back(handle);
    }
    return open;
}
