// Drives the real zarvik.exe from outside, as a user would, in a fresh
// directory per scenario with a fake netsh.exe beside it (fake_netsh.cpp).
//
// Input: typing and the Tab key go through SendInput to the foreground
// window, which Wine delivers reliably once the window is in front. Button
// presses, picture clicks and closing use posted or sent messages: a console
// started by the program takes the activation away under Wine, so real
// input after the first command would land in the console.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "app/message_loop.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr int kAccountBox = 100, kKeyBox = 110, kStopButton = 120, kStartButton = 130,
              kPicture = 160;

struct NetshRun {
    unsigned long long start = 0, end = 0;
    DWORD flags = 0, show = 0;
    Text directory, commandLine;
};

bool WaitUntil(const std::function<bool()>& done, DWORD ms = 20000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(20);
    }
    return true;
}

class Installation {
public:
    Installation()
    {
        CopyHelper("zarvik.exe", Exe());
        CopyHelper("fake_netsh.exe", dir_ / "netsh.exe");
    }

    Text Exe() const { return dir_ / "zarvik.exe"; }
    Text File(const Text& name) const { return dir_ / name; }
    const Text& Directory() const { return dir_.Path(); }

    void SetStatus(const Text& stdoutText, const Text& stderrText = Text()) const
    {
        WriteWholeFile(File("netsh-status.txt"), stdoutText);
        if (!stderrText.empty())
            WriteWholeFile(File("netsh-stderr.txt"), stderrText);
    }
    // Status queries wait until Release() from now on.
    void HoldStatusQueries() const { WriteWholeFile(File("netsh-hold.txt"), "release.flag"); }
    void Release() const { WriteWholeFile(File("release.flag"), ""); }

    std::vector<NetshRun> Runs() const
    {
        std::vector<NetshRun> runs;
        if (GetFileAttributesA(File("netsh-log.txt").c_str()) == INVALID_FILE_ATTRIBUTES)
            return runs;
        std::istringstream lines(ReadWholeFile(File("netsh-log.txt")));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            NetshRun run;
            std::istringstream fields(line);
            std::string field;
            std::getline(fields, field, '|');
            run.start = std::stoull(field);
            std::getline(fields, field, '|');
            run.end = std::stoull(field);
            std::getline(fields, field, '|');
            run.flags = std::stoul(field);
            std::getline(fields, field, '|');
            run.show = std::stoul(field);
            std::getline(fields, run.directory, '|');
            std::getline(fields, run.commandLine);
            runs.push_back(run);
        }
        return runs;
    }

    bool WaitForRuns(size_t count) const
    {
        return WaitUntil([&] { return Runs().size() >= count; });
    }

private:
    TempDir dir_;
};

// One running zarvik.exe and its main window.
class Program {
public:
    explicit Program(const Installation& installation, const Text& startIn = Text())
        : child_(StartChild(CommandLine(installation.Exe()),
                            startIn.empty() ? installation.Directory() : startIn))
    {
        window_ = WaitForProcessWindow(child_.id, kMainWindowClass);
    }
    ~Program()
    {
        if (WaitForSingleObject(child_.process.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(child_.process.Get(), 99);
    }

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    Text Title() const { return WindowText(window_); }
    Text BoxText(int id) const { return WindowText(Control(id)); }
    const Child& Process() const { return child_; }

    void Press(int buttonId) const { PostMessageA(Control(buttonId), BM_CLICK, 0, 0); }
    void ClickPicture() const
    {
        PostMessageA(Control(kPicture), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(Control(kPicture), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    DWORD WaitForExit(DWORD ms = 20000) const { return ::WaitForExit(child_, ms); }

private:
    Child child_;
    HWND window_ = nullptr;
};

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof input[0]);
    }
}

Text Ansi(const std::wstring& text)
{
    Text bytes(text.size() * 2, '\0');
    int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<size_t>(length));
    return bytes;
}

// Real key strokes: the account, Tab, the key; returns once the key box
// holds all of the key.
void TypeInto(const Program& program, const std::wstring& account, const std::wstring& key)
{
    SetForegroundWindow(program.Window());
    WaitUntil([&] { return GetForegroundWindow() == program.Window(); }, 5000);
    TypeText(account);
    SendKey(VK_TAB, false);
    SendKey(VK_TAB, true);
    TypeText(key);
    WaitUntil([&] { return program.BoxText(kKeyBox) == Ansi(key); }, 5000);
}

}  // namespace

TEST(EndToEnd, FirstStartAsksForAnAccountThenStartSavesItAndTheNextStartLoadsIt)
{
    Installation installation;
    {
        Program program(installation);
        ASSERT_NE(program.Window(), nullptr);
        EXPECT_EQ(program.Title(), "配置账号密码");
        EXPECT_EQ(program.BoxText(kAccountBox), "");
        EXPECT_EQ(program.BoxText(kKeyBox), "");

        TypeInto(program, L"My 热点", L"pass\"1234");
        EXPECT_EQ(program.BoxText(kAccountBox), "My 热点");

        program.Press(kStartButton);
        ASSERT_TRUE(installation.WaitForRuns(2));
        // The key is written last.
        ASSERT_TRUE(WaitUntil([&] {
            return GetFileAttributesA(installation.File("path.ini").c_str()) !=
                       INVALID_FILE_ATTRIBUTES &&
                   ReadWholeFile(installation.File("path.ini")).find("\r\nmm=") != Text::npos;
        }));

        std::vector<NetshRun> runs = installation.Runs();
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].commandLine,
                  "netsh wlan set hostednetwork mode=allow ssid=My 热点 key=pass\"1234");
        EXPECT_EQ(runs[1].commandLine, "netsh wlan start hostednetwork");
        for (const NetshRun& run : runs) {
            EXPECT_EQ(run.flags, static_cast<DWORD>(STARTF_USESHOWWINDOW)) << "a shown console";
            EXPECT_EQ(run.show, static_cast<DWORD>(SW_SHOWNORMAL));
            EXPECT_EQ(run.directory, installation.Directory());
        }
        EXPECT_LE(runs[0].end, runs[1].start) << "the start line ran before configure ended";

        EXPECT_EQ(ReadWholeFile(installation.File("path.ini")),
                  "[hm]\r\nzh=My 热点\r\nmm=pass\"1234\r\n");
        EXPECT_EQ(program.Title(), "配置账号密码") << "the title stays until the next start";

        PostMessageA(program.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    {
        Program program(installation);
        ASSERT_NE(program.Window(), nullptr);
        EXPECT_EQ(program.Title(), "Zarvik");
        EXPECT_EQ(program.BoxText(kAccountBox), "My 热点");
        EXPECT_EQ(program.BoxText(kKeyBox), "pass\"1234");
        PostMessageA(program.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(EndToEnd, StopRunsExactlyTheStopLineAndChangesNothingElse)
{
    Installation installation;
    WriteWholeFile(installation.File("path.ini"), "[hm]\r\nzh=net\r\nmm=12345678\r\n");
    Program program(installation);
    ASSERT_NE(program.Window(), nullptr);

    program.Press(kStopButton);
    ASSERT_TRUE(installation.WaitForRuns(1));
    EXPECT_EQ(program.BoxText(kAccountBox), "net");
    EXPECT_EQ(program.BoxText(kKeyBox), "12345678");
    EXPECT_EQ(program.Title(), "Zarvik");
    // Once the program has ended, nothing else can have run or been written.
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);

    std::vector<NetshRun> runs = installation.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, "netsh wlan stop hostednetwork");
    EXPECT_EQ(ReadWholeFile(installation.File("path.ini")), "[hm]\r\nzh=net\r\nmm=12345678\r\n");
}

TEST(EndToEnd, PictureShowsWhatNetshPrintedWhileTheWindowIsDisabled)
{
    Installation installation;
    Text status = "\r\n承载网络设置\r\n----------------------\r\n";
    for (int i = 0; status.size() < 4000; ++i)
        status += "    第 " + std::to_string(i) + " 行        : 状态 已启用\r\n";
    const Text errorPart = "错误: 无线自动配置服务没有运行。\r\n";
    installation.SetStatus(status, errorPart);
    Program program(installation);
    ASSERT_NE(program.Window(), nullptr);

    program.ClickPicture();
    HWND box = WaitForProcessWindow(program.Process().id, "#32770");
    ASSERT_NE(box, nullptr) << "no status box";
    EXPECT_EQ(WindowText(box), "信息：");
    // Written to stdout, then to stderr: one text, in that order, bytes unchanged.
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), status + errorPart);
    EXPECT_FALSE(IsWindowEnabled(program.Window()));

    std::vector<NetshRun> runs = installation.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, "netsh wlan show hostednetwork");

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.Window()) != FALSE; }));
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(EndToEnd, StopRunsAtOnceDuringASlowStatusQuery)
{
    Installation installation;
    installation.SetStatus("slow status\r\n");
    installation.HoldStatusQueries();
    Program program(installation);
    ASSERT_NE(program.Window(), nullptr);

    // Posted in this order, the press starts the query first; the click on
    // 关闭 is then handled inside the query's wait.
    program.ClickPicture();
    program.Press(kStopButton);
    ASSERT_TRUE(installation.WaitForRuns(1));
    std::vector<NetshRun> runs = installation.Runs();
    ASSERT_EQ(runs.size(), 1u) << "the held status query cannot have ended";
    EXPECT_EQ(runs[0].commandLine, "netsh wlan stop hostednetwork");

    installation.Release();
    HWND box = WaitForProcessWindow(program.Process().id, "#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "slow status\r\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(EndToEnd, WorksInTheExeDirectoryWhateverItWasStartedFrom)
{
    Installation installation;
    TempDir elsewhere;
    Program program(installation, elsewhere.Path());
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(program.Title(), "配置账号密码");

    SendMessageA(program.Control(kAccountBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("net"));
    program.Press(kStartButton);
    ASSERT_TRUE(installation.WaitForRuns(2));
    ASSERT_TRUE(WaitUntil([&] {
        return GetFileAttributesA(installation.File("path.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    for (const NetshRun& run : installation.Runs())
        EXPECT_EQ(run.directory, installation.Directory());
    EXPECT_EQ(GetFileAttributesA((elsewhere / "path.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(EndToEnd, EveryWayOfClosingEndsWithStatusZero)
{
    struct Case {
        const char* what;
        void (*close)(const Program&);
    };
    const Case cases[] = {
        {"Esc (posted key)",
         [](const Program& p) {
             PostMessageA(p.Control(kAccountBox), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"Alt+F4 (real keys)",
         [](const Program& p) {
             SetForegroundWindow(p.Window());
             WaitUntil([&] { return GetForegroundWindow() == p.Window(); }, 5000);
             SendKey(VK_MENU, false);
             SendKey(VK_F4, false);
             SendKey(VK_F4, true);
             SendKey(VK_MENU, true);
         }},
        {"close button (system command)",
         [](const Program& p) { PostMessageA(p.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation installation;
        Program program(installation);
        ASSERT_NE(program.Window(), nullptr);
        c.close(program);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(EndToEnd, ClosingDuringAStatusQueryEndsAfterTheQuery)
{
    Installation installation;
    installation.SetStatus("x");
    installation.HoldStatusQueries();
    Program program(installation);
    ASSERT_NE(program.Window(), nullptr);

    program.ClickPicture();
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    // The query is held, so the process must still be there a while later.
    Sleep(500);
    EXPECT_EQ(WaitForSingleObject(program.Process().process.Get(), 0),
              static_cast<DWORD>(WAIT_TIMEOUT))
        << "the program ended before its status query";

    // On Windows the window is gone at once. Under Wine, DestroyWindow waits
    // while the hidden console child of the query runs, so here it goes
    // only once the query is released.
    installation.Release();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(program.Window()); }));
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(installation.Runs().size(), 1u) << "the query ran to its end";
}
