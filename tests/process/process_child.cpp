// The child program of the process tests. Its arguments are steps done in
// order; texts contain no blanks:
//   out:TEXT  err:TEXT   TEXT to stdout or stderr, in one write
//   zero:LEFT:RIGHT      LEFT, a zero byte and RIGHT to stdout, in one write
//   block:N              the next N bytes of the test pattern to stdout, in one write
//   sleep:MS             a pause
//   report[:PATH]        its start-up flags, show state and the pipe handles it
//                        holds, as one line to stdout or appended to PATH
//   append:PATH:TEXT     TEXT appended to the file PATH
//   exit:N               ends at once with status N
// Output goes through WriteFile, never through the C library's buffers.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/process/output_pattern.h"
#include "tests/support/open_handles_win.h"

namespace {

std::size_t patternOffset = 0;

void Write(HANDLE to, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Append(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    Write(file, bytes);
    CloseHandle(file);
}

// "flags=F show=S pipes=P readends=R": P counts the pipe handles besides the
// standard ones, R the read ends among all (the read end of an anonymous pipe
// is its server end). A console child shares its parent's console and with it
// the standard handles, so those say nothing about inheritance.
std::string Report()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int pipes = 0;
    int readEnds = 0;
    for (HANDLE handle : OpenHandles()) {
        if (GetFileType(handle) != FILE_TYPE_PIPE)
            continue;
        if (handle != GetStdHandle(STD_INPUT_HANDLE) && handle != GetStdHandle(STD_OUTPUT_HANDLE) &&
            handle != GetStdHandle(STD_ERROR_HANDLE))
            ++pipes;
        DWORD flags = 0;
        if (GetNamedPipeInfo(handle, &flags, nullptr, nullptr, nullptr) &&
            (flags & PIPE_SERVER_END))
            ++readEnds;
    }
    char line[128];
    std::snprintf(line, sizeof line, "flags=%lu show=%u pipes=%d readends=%d\n", startup.dwFlags,
                  startup.wShowWindow, pipes, readEnds);
    return line;
}

// The text after "name:" when the step is that one.
bool Step(const char* step, const char* name, std::string& rest)
{
    const std::size_t length = std::strlen(name);
    if (std::strncmp(step, name, length) != 0 || (step[length] != ':' && step[length] != '\0'))
        return false;
    rest = step[length] ? step + length + 1 : "";
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    for (int i = 1; i < argc; ++i) {
        std::string rest;
        if (Step(argv[i], "out", rest)) {
            Write(out, rest);
        } else if (Step(argv[i], "err", rest)) {
            Write(err, rest);
        } else if (Step(argv[i], "zero", rest)) {
            rest[rest.find(':')] = '\0';
            Write(out, rest);
        } else if (Step(argv[i], "block", rest)) {
            const std::size_t count = std::strtoul(rest.c_str(), nullptr, 10);
            Write(out, PatternBytes(patternOffset, count));
            patternOffset += count;
        } else if (Step(argv[i], "sleep", rest)) {
            Sleep(std::strtoul(rest.c_str(), nullptr, 10));
        } else if (Step(argv[i], "report", rest)) {
            if (rest.empty())
                Write(out, Report());
            else
                Append(rest, Report());
        } else if (Step(argv[i], "append", rest)) {
            const std::size_t colon = rest.rfind(':');
            Append(rest.substr(0, colon), rest.substr(colon + 1));
        } else if (Step(argv[i], "exit", rest)) {
            ExitProcess(std::strtoul(rest.c_str(), nullptr, 10));
        } else {
            Write(err, std::string("unknown step ") + argv[i] + "\n");
            return 2;
        }
    }
    return 0;
}
