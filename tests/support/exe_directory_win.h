#pragma once

// Header-only, for the small helper programs that link nothing of the tests.

#include <windows.h>

#include <string>

// The directory of the running exe: where a test's helper programs, and a
// helper's own settings files, sit.
inline std::string ExeDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.rfind('\\'));
}
