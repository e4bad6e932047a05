#include "app/message_loop.h"

namespace {

// Set when the loop begins: before it, a window that goes away (a failed
// start-up) must not leave a WM_QUIT behind for nobody.
bool loopEntered = false;

struct ProgramWindowSearch {
    HWND except;
    bool found;
};

BOOL CALLBACK MatchProgramWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ProgramWindowSearch*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (window != search->except && lstrcmpA(className, kMainWindowClass) == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool ProgramWindowExists(HWND except)
{
    ProgramWindowSearch search{except, false};
    EnumThreadWindows(GetCurrentThreadId(), MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

UINT PreTranslateRequestMessage()
{
    static const UINT message = RegisterWindowMessageA("Zarvik.PreTranslateMessage");
    return message;
}

bool PreTranslateMessage(const MSG& msg)
{
    const UINT request = PreTranslateRequestMessage();
    for (HWND window = msg.hwnd; window; window = GetAncestor(window, GA_PARENT)) {
        if (SendMessageA(window, request, 0, reinterpret_cast<LPARAM>(&msg)))
            return true;
        if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
            break;  // a top-level window ends the chain; its parent is the desktop
    }
    return false;
}

void HandleMessage(MSG& msg)
{
    if (PreTranslateMessage(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void RunMessageLoop()
{
    loopEntered = true;
    if (!ProgramWindowExists(nullptr))
        return;
    MSG msg;
    // GetMessage gives -1 only for an invalid window filter, and there is none.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        HandleMessage(msg);
}

void OnProgramWindowDestroyed(HWND goingAway)
{
    if (loopEntered && !ProgramWindowExists(goingAway))
        PostQuitMessage(0);
}
