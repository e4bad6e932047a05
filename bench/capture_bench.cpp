// Prints what the output capture costs under the conditions it was built for:
//   throughput: a child that writes 16 MiB, captured, against the same child
//               read with a plain blocking ReadFile loop (median of several
//               runs each, taken in turn in this one process);
//   idle cost:  this process's CPU time while it captures a child that stays
//               silent for 2 s, as a share of the wall time, with an empty
//               queue and with a WM_QUIT waiting in it.
// Both sides start the child alike, through "cmd.exe /c ", so the ratio
// tells what the capture's way of reading costs.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "process/capture.h"
#include "process/piped_child_win.h"

namespace {

constexpr DWORD kOutputSize = 16u << 20;
constexpr int kRuns = 7;

Text ChildCommand(const char* steps)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    Text directory = path;
    directory.resize(directory.rfind('\\'));
    return Join({"\"", directory, "\\process_child.exe\" ", steps});
}

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

void Dispatch(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The reference: the same child, started the same way, its output read with
// blocking reads of `readSize` into a buffer made big enough beforehand.
// Returns the bytes read.
size_t ReadWithBlockingLoop(const Text& command, DWORD readSize, std::vector<char>& buffer)
{
    PipedChild child;
    if (!StartPipedChild(command, child))
        return 0;
    size_t total = 0;
    DWORD got = 0;
    while (total + readSize <= buffer.size() &&
           ReadFile(child.readPipe.Get(), buffer.data() + total, readSize, &got, nullptr) &&
           got > 0)
        total += got;
    WaitForSingleObject(child.process.Get(), INFINITE);
    return total;
}

void Throughput()
{
    const Text command = ChildCommand("block:16777216");
    std::vector<char> buffer(kOutputSize + 65536);
    std::vector<double> captured, blocking, blockingLarge;
    for (int run = 0; run < kRuns; ++run) {
        double start = Seconds();
        const size_t capturedSize = RunAndCapture(command, Dispatch).size();
        captured.push_back(Seconds() - start);

        start = Seconds();
        const size_t readSize = ReadWithBlockingLoop(command, 1023, buffer);
        blocking.push_back(Seconds() - start);

        start = Seconds();
        const size_t readLargeSize = ReadWithBlockingLoop(command, 65536, buffer);
        blockingLarge.push_back(Seconds() - start);

        if (capturedSize != kOutputSize || readSize != kOutputSize || readLargeSize != kOutputSize)
            std::printf("run %d: sizes %u %u %u, expected %lu\n", run,
                        static_cast<unsigned>(capturedSize), static_cast<unsigned>(readSize),
                        static_cast<unsigned>(readLargeSize), kOutputSize);
    }
    const double capture = Median(captured);
    const double reference = Median(blockingLarge);
    std::printf("throughput, 16 MiB, median of %d runs:\n", kRuns);
    std::printf("  RunAndCapture                        %7.3f s\n", capture);
    std::printf("  blocking ReadFile, 64 KiB reads      %7.3f s\n", reference);
    std::printf("  blocking ReadFile, 1023-byte reads   %7.3f s (for comparison)\n",
                Median(blocking));
    std::printf("  ratio capture / blocking (64 KiB)    %7.2f   (target <= 1.5)\n",
                capture / reference);
}

void IdleCost(bool quitWaiting)
{
    const Text command = ChildCommand("sleep:2000");
    if (quitWaiting)
        PostQuitMessage(0);
    const double wallStart = Seconds();
    const double cpuStart = CpuSeconds();
    RunAndCapture(command, Dispatch);
    // The clock behind GetProcessTimes ticks coarsely: never below zero.
    const double cpu = std::max(0.0, CpuSeconds() - cpuStart);
    const double wall = Seconds() - wallStart;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    std::printf(
        "idle, child silent for 2 s%s: CPU %.3f s of %.3f s wall = %.1f %% "
        "(target <= 5 %%)\n",
        quitWaiting ? ", WM_QUIT waiting" : "", cpu, wall, 100.0 * cpu / wall);
}

}  // namespace

int main()
{
    AllocateCaptureState();
    Throughput();
    IdleCost(false);
    IdleCost(true);
    ReleaseCaptureState();
    return 0;
}
