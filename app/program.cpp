#include "app/program.h"

#include <algorithm>
#include <vector>

#include "app/message_loop.h"
#include "app/program_icon.h"
#include "base/fatal_win.h"
#include "hotspot/settings_win.h"
#include "process/capture.h"
#include "ui/main_window.h"

namespace {

std::vector<ExitRoutine>& ExitList()
{
    static std::vector<ExitRoutine> routines;
    return routines;
}

}  // namespace

void RegisterExitRoutine(ExitRoutine routine)
{
    std::vector<ExitRoutine>& routines = ExitList();
    if (std::find(routines.begin(), routines.end(), routine) == routines.end())
        routines.push_back(routine);
}

int StartProgram()
{
    EnterRunDirectory();
    AllocateCaptureState();
    RegisterExitRoutine(ReleaseCaptureState);
    if (!OpenMainWindow())
        EndWithError("Zarvik 的窗口无法打开，程序将退出。");
    RunMessageLoop();
    return 0;
}

void EndProgram(int)
{
    // Taken out of the list before they run: whatever runs EndProgram again
    // during the final teardown finds nothing left to call.
    std::vector<ExitRoutine> routines;
    routines.swap(ExitList());
    for (ExitRoutine routine : routines)
        routine();
    ReleaseProgramIcons();
}
