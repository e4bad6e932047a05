#include "process/run_and_wait.h"

bool RunAndWait(const Text&)
{
    return false;  // placeholder until the process launcher lands
}
