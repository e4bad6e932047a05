#pragma once

#include <windows.h>

// The one message loop of the program and the pieces of it that the output
// capture reuses while it waits, so that both treat a message alike.

// A registered message by which a window of ours is asked to pre-translate a
// message just taken from the queue: wParam 0, lParam a const MSG*. A nonzero
// result means the window consumed it: it is neither translated nor dispatched.
// Windows that do not know the message answer 0, as DefWindowProc does.
UINT PreTranslateRequestMessage();

// Offers the message to the window it is addressed to, then to each window
// that contains it, innermost first, up to the top-level window. True when
// one of them consumed it.
bool PreTranslateMessage(const MSG& msg);

// Pre-translates the message and, when nobody consumed it, translates and
// dispatches it.
void HandleMessage(MSG& msg);

// Runs until WM_QUIT; returns at once when no window of the program exists.
void RunMessageLoop();

// Called by a window of the program as it is destroyed: when no other is
// left and the loop has been entered, the loop is told to end (WM_QUIT, 0).
void OnProgramWindowDestroyed(HWND goingAway);

// The class of the program's own top-level window; which windows count as
// "of the program" is decided by it.
inline constexpr const char* kMainWindowClass = "ZarvikMainWindow";
