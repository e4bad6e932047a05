#include <windows.h>

#include "app/program.h"
#include "base/multibyte_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything looks at a path: which bytes begin a double-byte character.
    SetUpMultibyteTables();
    int status = StartProgram();
    EndProgram(status);
    return status;
}
