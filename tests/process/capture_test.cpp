#include "process/capture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/process/output_pattern.h"
#include "tests/process/process_child.h"
#include "tests/support/win_test_support.h"

namespace {

// What the tests' stand-in for the main loop's handler saw.
std::vector<UINT> handled;

void HandleForTest(MSG& msg)
{
    handled.push_back(msg.message);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Equal, or where the two part: a long output printed whole helps nobody.
testing::AssertionResult SameBytes(const Text& actual, const Text& expected)
{
    if (actual == expected)
        return testing::AssertionSuccess();
    const auto parted =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const size_t at = parted.first - actual.begin();
    return testing::AssertionFailure()
           << actual.size() << " bytes instead of " << expected.size() << ", first different at "
           << at << ": " << testing::PrintToString(actual.substr(at, 40)) << " instead of "
           << testing::PrintToString(expected.substr(at, 40));
}

Text Capture(const Text& steps) { return RunAndCapture(ProcessChild(steps), HandleForTest); }

class CaptureTest : public testing::Test {
protected:
    void SetUp() override
    {
        AllocateCaptureState();
        handled.clear();
    }
    void TearDown() override
    {
        ReleaseCaptureState();
        // Nothing a test posted may reach the next one.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(CaptureTest, ReturnsWhatTheChildWroteInOrder)
{
    struct Case {
        const char* what;
        Text steps;
        Text expected;
    };
    const Case cases[] = {
        {"stdout and stderr interleaved", "out:one err:two out:three err:four", "onetwothreefour"},
        {"more than one read, in pieces", "block:5000 block:1 block:70000 err:- block:3000",
         PatternBytes(0, 75001) + "-" + PatternBytes(75001, 3000)},
        {"a zero byte ends its piece; later pieces count", "zero:abc:def sleep:500 out:ghi",
         "abcghi"},
        {"code page 936 bytes unchanged", "out:无线网络状态", "无线网络状态"},
        {"a silent child", "sleep:200", ""},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(SameBytes(Capture(c.steps), c.expected)) << c.what;
    }
}

TEST_F(CaptureTest, EachCaptureReturnsOnlyItsOwnOutputAndKeepsItsRecord)
{
    EXPECT_EQ(Capture("out:first exit:3"), "first");
    EXPECT_EQ(Capture("out:second exit:7"), "second");
    ASSERT_NE(LastCapture(), nullptr);
    EXPECT_EQ(LastCapture()->outputText, "second");
    EXPECT_EQ(LastCapture()->exitCode, 7u);
}

TEST_F(CaptureTest, OutputWrittenJustBeforeTheEndArrivesWhole)
{
    // After the pause the capture looks at the pipe seldom. The block, four
    // pieces long, fits the pipe's buffer, so the child writes it at once
    // and ends: it lands in the pipe after the capture has last looked.
    const Text expected = PatternBytes(0, 4000);
    for (int run = 0; run < 25; ++run)
        ASSERT_TRUE(SameBytes(Capture("sleep:150 block:4000"), expected)) << "run " << run;
}

// What the capture handed to CreateProcessA.
struct StartRecord {
    Text commandLine;
    BOOL inheritHandles = FALSE;
    DWORD creationFlags = 0;
    STARTUPINFOA startup = {};
};
StartRecord started;
decltype(&CreateProcessA) realCreateProcess = nullptr;

BOOL WINAPI RecordingCreateProcess(LPCSTR application, LPSTR commandLine,
                                   LPSECURITY_ATTRIBUTES processAttributes,
                                   LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                                   DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                                   LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info)
{
    started = {commandLine ? commandLine : "", inheritHandles, creationFlags, *startup};
    if (!realCreateProcess) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return realCreateProcess(application, commandLine, processAttributes, threadAttributes,
                             inheritHandles, creationFlags, environment, currentDirectory, startup,
                             info);
}

TEST_F(CaptureTest, ChildRunsHiddenThroughCmdWithOnlyTheWriteEnd)
{
    ImportPatch<decltype(CreateProcessA)> patch("kernel32.dll", "CreateProcessA",
                                                RecordingCreateProcess);
    realCreateProcess = patch.Original();
    const Text command = ProcessChild("report");
    const Text report = RunAndCapture(command, HandleForTest);
    realCreateProcess = nullptr;

    EXPECT_EQ(started.commandLine, "cmd.exe /c " + command);
    EXPECT_TRUE(started.inheritHandles);
    EXPECT_EQ(started.creationFlags, 0u);
    EXPECT_EQ(started.startup.cb, 68u);
    EXPECT_EQ(started.startup.dwFlags, 257u);
    EXPECT_EQ(started.startup.wShowWindow, SW_HIDE);
    EXPECT_EQ(started.startup.hStdInput, nullptr);
    EXPECT_NE(started.startup.hStdOutput, nullptr);
    EXPECT_EQ(started.startup.hStdError, started.startup.hStdOutput);
    // The command itself, two processes down, holds no read end. (Its own
    // start-up flags are whatever cmd.exe gives it.)
    EXPECT_NE(report.find("readends=0\n"), Text::npos) << report;
}

DWORD platformId = 0;

BOOL WINAPI FakeVersion(LPOSVERSIONINFOA version)
{
    version->dwPlatformId = platformId;
    return TRUE;
}

TEST_F(CaptureTest, InterpreterFollowsThePlatform)
{
    ImportPatch<decltype(GetVersionExA)> version("kernel32.dll", "GetVersionExA", FakeVersion);
    ImportPatch<decltype(CreateProcessA)> start("kernel32.dll", "CreateProcessA",
                                                RecordingCreateProcess);
    const struct {
        DWORD platformId;
        const char* prefix;
    } cases[] = {
        {VER_PLATFORM_WIN32s, "command.com /c "},
        {VER_PLATFORM_WIN32_WINDOWS, "command.com /c "},
        {VER_PLATFORM_WIN32_NT, "cmd.exe /c "},
        {3, "command.com /c "},
    };
    for (const auto& c : cases) {
        platformId = c.platformId;
        // The recorder starts nothing here: the capture sees a failed start.
        EXPECT_EQ(RunAndCapture("netsh wlan show hostednetwork", HandleForTest), "");
        EXPECT_EQ(started.commandLine, Join({c.prefix, "netsh wlan show hostednetwork"}))
            << "platform " << c.platformId;
    }
}

BOOL WINAPI FailingCreatePipe(PHANDLE, PHANDLE, LPSECURITY_ATTRIBUTES, DWORD)
{
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return FALSE;
}

TEST_F(CaptureTest, NoPipeMeansNoChildAndMissingText)
{
    TempDir dir;
    const Text marker = dir / "ran.txt";
    {
        ImportPatch<decltype(CreatePipe)> patch("kernel32.dll", "CreatePipe", FailingCreatePipe);
        EXPECT_EQ(Capture("out:lost append:" + marker + ":ran"), "");
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "a child was started without a pipe";
    EXPECT_EQ(LastCapture()->outputText, "");
}

// A message-only window whose procedure the tests fill in.
class TestWindow {
public:
    using Procedure = void (*)(HWND, UINT, WPARAM);

    explicit TestWindow(Procedure procedure)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZarvikCaptureTestWindow";
        RegisterClassA(&windowClass);
        procedure_ = procedure;
        window_ = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }

    HWND Get() const { return window_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message >= WM_APP || message == WM_TIMER) {
            procedure_(window, message, wParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static inline Procedure procedure_ = nullptr;
    HWND window_ = nullptr;
};

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kPong = WM_APP + 2;

TEST_F(CaptureTest, WaitingMessagesAreHandledAndQuitStaysQueued)
{
    // The first message posts the second while the capture runs; the quit
    // asked for before the capture must neither stop it nor be taken.
    TestWindow window([](HWND self, UINT message, WPARAM) {
        if (message == kPing)
            PostMessageA(self, kPong, 0, 0);
    });
    PostMessageA(window.Get(), kPing, 0, 0);
    PostQuitMessage(5);

    EXPECT_EQ(Capture("out:before sleep:300 out:after"), "beforeafter");
    EXPECT_EQ(handled, (std::vector<UINT>{kPing, kPong}));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
}

Text innerOutput;

TEST_F(CaptureTest, CaptureStartedInsideAnotherReturnsItsOwnOutput)
{
    // The timer goes off while the outer child pauses between its two writes.
    innerOutput = "not run";
    TestWindow window([](HWND self, UINT message, WPARAM id) {
        if (message == WM_TIMER) {
            KillTimer(self, id);
            innerOutput = Capture("out:inner err:-and-more exit:4");
        }
    });
    SetTimer(window.Get(), 1, 400, nullptr);

    EXPECT_EQ(Capture("out:outer-1 sleep:1500 out:outer-2 exit:9"), "outer-1outer-2");
    EXPECT_EQ(innerOutput, "inner-and-more");
    EXPECT_EQ(LastCapture()->outputText, "outer-1outer-2");
    EXPECT_EQ(LastCapture()->exitCode, 9u);
}

TEST_F(CaptureTest, NoHandleOutlivesACapture)
{
    const int left =
        HandlesLeftBehind(100, [] { EXPECT_EQ(RunAndCapture("echo x", HandleForTest), "x\r\n"); });
    EXPECT_LE(left, 0);
}

}  // namespace
