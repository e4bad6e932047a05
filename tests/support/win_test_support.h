#pragma once

// What the Windows tests share: scratch directories, files, child programs
// and the windows they open.

#include <windows.h>

#include <functional>
#include <string>

#include "base/text.h"
#include "base/unique_handle_win.h"

// A new empty directory under the temp directory (or under `parent`), removed
// with all it holds when the object goes.
class TempDir {
public:
    explicit TempDir(const Text& parent = Text());
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const Text& Path() const { return path_; }
    Text operator/(const Text& name) const { return path_ + "\\" + name; }

private:
    Text path_;
};

void RemoveTree(const Text& path);

Text ReadWholeFile(const Text& path);
void WriteWholeFile(const Text& path, const Text& bytes);

// The directory of the running test exe, where its helper programs are.
Text TestExeDirectory();
// Copies a program that sits beside the test exe to `to`.
void CopyHelper(const Text& helperName, const Text& to);

// The exe's path quoted, then the arguments.
Text CommandLine(const Text& exePath, const Text& arguments = Text());

// A child process started with CreateProcessA; both handles are owned.
struct Child {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD id = 0;
};
// Starts the command line in `directory` (the current one when empty);
// fails the test when it cannot.
Child StartChild(const Text& commandLine, const Text& directory = Text());
// Waits up to `ms` for the child to end and returns its exit code; fails the
// test and returns STILL_ACTIVE when it does not end in time.
DWORD WaitForExit(const Child& child, DWORD ms = 20000);

// The first visible top-level window of the process with the given class
// ("#32770" for a message box), waiting up to `ms` for it; null when none came.
HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD ms = 20000);
Text WindowText(HWND window);

// How many more handles the process holds after `runs` calls of `run` than
// before them; a first call beforehand may open what the process keeps.
int HandlesLeftBehind(int runs, const std::function<void()>& run);

// The slot of the exe's import table through which it calls `name` of `dll`;
// fails the test and gives null when the exe does not import it.
void** FindImportSlot(const char* dll, const char* name);
// Writes the address into the slot and returns the one it held.
void* SwapImportSlot(void** slot, void* address);

// Points the test exe's calls of one function imported from a DLL at another
// function while the object lives. The code under test is linked into the
// exe, so its calls go through the exe's import table too: a test can make an
// operating-system call fail, or watch it and pass it on to Original().
template <typename Function>
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* name, Function* replacement)
        : slot_(FindImportSlot(dll, name))
    {
        if (slot_)
            original_ = reinterpret_cast<Function*>(
                SwapImportSlot(slot_, reinterpret_cast<void*>(replacement)));
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ~ImportPatch()
    {
        if (slot_)
            SwapImportSlot(slot_, reinterpret_cast<void*>(original_));
    }

    Function* Original() const { return original_; }

private:
    void** slot_;
    Function* original_ = nullptr;
};
