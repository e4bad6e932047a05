#include "hotspot/message_box_win.h"

#include <windows.h>

void ShowMessageBox(const Text& text)
{
    MessageBoxA(nullptr, text.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}
