#include "tests/support/win_test_support.h"

#include "tests/support/exe_directory_win.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/support/open_handles_win.h"

TempDir::TempDir(const Text& parent)
{
    Text base = parent;
    if (base.empty()) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        base = temp;
        if (!base.empty() && base.back() == '\\')
            base.pop_back();
    }
    static std::atomic<unsigned> counter{0};
    for (;;) {
        path_ = base + "\\zarvik-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++);
        if (CreateDirectoryA(path_.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path_ << ", error " << GetLastError();
            return;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const Text& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (search) {
        do {
            Text name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search.Get(), &found));
    }
    search.Reset();
    RemoveDirectoryA(path.c_str());
}

Text ReadWholeFile(const Text& path)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        ADD_FAILURE() << "cannot open " << path;
        return Text();
    }
    Text bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void WriteWholeFile(const Text& path, const Text& bytes)
{
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file) << "cannot create " << path;
    ASSERT_TRUE(
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

Text TestExeDirectory() { return ExeDirectory(); }

void CopyHelper(const Text& helperName, const Text& to)
{
    Text from = TestExeDirectory() + "\\" + helperName;
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE))
        << "cannot copy " << from << " to " << to << ", error " << GetLastError();
}

Text CommandLine(const Text& exePath, const Text& arguments)
{
    return Join({"\"", exePath, "\" ", arguments});
}

Child StartChild(const Text& commandLine, const Text& directory)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Text line = commandLine;
    Child child;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << commandLine << ", error " << GetLastError();
        return child;
    }
    child.process.Reset(info.hProcess);
    child.thread.Reset(info.hThread);
    child.id = info.dwProcessId;
    return child;
}

DWORD WaitForExit(const Child& child, DWORD ms)
{
    if (WaitForSingleObject(child.process.Get(), ms) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "child " << child.id << " did not end within " << ms << " ms";
        TerminateProcess(child.process.Get(), 1);
        return STILL_ACTIVE;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.process.Get(), &code);
    return code;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && IsWindowVisible(window) &&
        lstrcmpA(className, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowSearch search{processId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > ms)
            return search.found;
        Sleep(20);
    }
}

Text WindowText(HWND window)
{
    // WM_GETTEXT rather than GetWindowTextA: the latter does not ask a control
    // of another process for its text.
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    Text text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

void** FindImportSlot(const char* dll, const char* name)
{
    // The loader fills each slot with the function's final address, the same
    // that GetProcAddress gives (forwarded exports included), so the slot is
    // found by its content in whichever import entry the linker made for it.
    void* address = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; address && imports.VirtualAddress && entry->Name; ++entry) {
        for (auto* slot = reinterpret_cast<void**>(base + entry->FirstThunk); *slot; ++slot) {
            if (*slot == address)
                return slot;
        }
    }
    ADD_FAILURE() << "the test exe does not import " << name << " from " << dll;
    return nullptr;
}

void* SwapImportSlot(void** slot, void* address)
{
    DWORD oldProtection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection);
    void* old = *slot;
    *slot = address;
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    return old;
}

int HandlesLeftBehind(int runs, const std::function<void()>& run)
{
    run();
    const size_t before = OpenHandles().size();
    for (int i = 0; i < runs; ++i)
        run();
    return static_cast<int>(OpenHandles().size()) - static_cast<int>(before);
}
