#include "app/program_icon.h"

#include "base/unique_handle_win.h"

namespace {

struct ProgramIcons {
    bool loaded = false;
    UniqueIcon big, small;
};

ProgramIcons& Icons()
{
    static ProgramIcons icons;
    return icons;
}

HICON LoadProgramIcon(int size)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
}

}  // namespace

HICON ProgramIcon(bool big)
{
    ProgramIcons& icons = Icons();
    if (!icons.loaded) {
        icons.big.Reset(LoadProgramIcon(32));
        icons.small.Reset(LoadProgramIcon(16));
        icons.loaded = true;
    }
    return big ? icons.big.Get() : icons.small.Get();
}

void ReleaseProgramIcons()
{
    ProgramIcons& icons = Icons();
    icons.big.Reset();
    icons.small.Reset();
    icons.loaded = false;
}
