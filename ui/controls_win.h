#pragma once

#include <windows.h>

#include "base/text.h"

// The controls of the main window that are not the system's own, and what the
// main window adds to the system's edit boxes.

// The whole text of a window of this thread, however long.
Text WindowTextOf(HWND window);

// Registers a window class of this exe, if not yet registered: arrow
// cursor, no background brush, no icon. False when it cannot be registered.
bool RegisterOwnClass(const char* name, UINT style, WNDPROC procedure, int windowExtraBytes = 0);

// For a subclass of a system control: lets the control paint (WM_NCPAINT,
// WM_PAINT, or WM_PRINT into another DC), then paints over it with `paint`,
// given a DC of the whole window (for WM_PRINT only when the frame is asked for).
LRESULT PaintOverFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       void (*paint)(HWND, HDC));

// Window classes of the labels and the picture box; registering twice is
// harmless. False when a class cannot be registered.
bool RegisterLabelClass();
bool RegisterPictureClass();
inline constexpr const char* kLabelClass = "ZarvikLabel";
inline constexpr const char* kPictureClass = "ZarvikPicture";

// Centres the one text line of a single-line edit box vertically: the client
// area becomes one line of the box's font high, in the middle of the box; the
// strips above and below are painted in the box's background and take no
// clicks. The box keeps this for its life, through font changes.
void CenterEditLine(HWND edit);
