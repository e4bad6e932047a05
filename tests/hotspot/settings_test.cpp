#include "hotspot/settings_win.h"

#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

namespace {

struct Found {
    Text runDirectory, settingsPath, currentDirectory;
};

// Copies the probe to exePath, starts it in startIn (a scratch directory when
// empty) and reads back what its start-up step found.
Found ProbeFrom(const Text& exePath, const Text& startIn = Text())
{
    TempDir elsewhere;
    Text report = elsewhere / "report.txt";
    CopyHelper("settings_probe.exe", exePath);
    Child child = StartChild(CommandLine(exePath, Join({"\"", report, "\""})),
                             startIn.empty() ? elsewhere.Path() : startIn);
    EXPECT_EQ(WaitForExit(child), 0u);

    Text lines = ReadWholeFile(report);
    Found found;
    Text* fields[] = {&found.runDirectory, &found.settingsPath, &found.currentDirectory};
    size_t start = 0;
    for (Text* field : fields) {
        size_t end = lines.find('\n', start);
        if (end == Text::npos)
            break;
        *field = lines.substr(start, end - start);
        start = end + 1;
    }
    return found;
}

bool HaveScratchDriveD() { return GetDriveTypeA("D:\\") != DRIVE_NO_ROOT_DIR; }

}  // namespace

TEST(RunDirectory, IsTheExeDirectoryAndBecomesCurrent)
{
    if (!HaveScratchDriveD())
        GTEST_SKIP() << "needs the bench's scratch drive D:";
    RemoveTree("D:\\tools");
    ASSERT_TRUE(CreateDirectoryA("D:\\tools", nullptr));

    struct Case {
        Text exe, startIn, runDirectory, settingsPath, currentDirectory;
    };
    const Case cases[] = {
        {"D:\\tools\\app.exe", "", "D:\\tools", "D:\\tools\\path.ini", "D:\\tools"},
        // A drive root: no backslash doubled, none missing.
        {"D:\\app.exe", "", "D:", "D:\\path.ini", "D:\\"},
        // Started from elsewhere on the same drive, "D:" alone would mean that
        // directory; the program still works in the root.
        {"D:\\app.exe", "D:\\tools", "D:", "D:\\path.ini", "D:\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe + " started in " + c.startIn);
        Found found = ProbeFrom(c.exe, c.startIn);
        EXPECT_EQ(found.runDirectory, c.runDirectory);
        EXPECT_EQ(found.settingsPath, c.settingsPath);
        EXPECT_EQ(found.currentDirectory, c.currentDirectory);
        DeleteFileA(c.exe.c_str());
    }
    RemoveTree("D:\\tools");
}

TEST(RunDirectory, KeepsADoubleByteCharacterWhoseTrailByteIs5C)
{
    TempDir root;
    // The last character of the directory name is 81 5C.
    Text directory = root / "热点\x81\x5C";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr))
        << "needs the zh_CN.UTF-8 C-library locale for Wine";

    Found found = ProbeFrom(directory + "\\app.exe");

    EXPECT_EQ(found.runDirectory, directory);
    EXPECT_EQ(found.settingsPath, directory + "\\path.ini");
    EXPECT_EQ(found.currentDirectory, directory);
}

TEST(FileExists, IsTrueForAnyEntryUnderThePath)
{
    TempDir dir;
    WriteWholeFile(dir / "plain.ini", "");
    WriteWholeFile(dir / "hidden.ini", "x");
    SetFileAttributesA((dir / "hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((dir / "path.ini").c_str(), nullptr);

    EXPECT_TRUE(FileExists(dir / "plain.ini"));
    EXPECT_TRUE(FileExists(dir / "hidden.ini"));
    EXPECT_TRUE(FileExists(dir / "path.ini"));
    EXPECT_FALSE(FileExists(dir / "missing.ini"));
    EXPECT_FALSE(FileExists(dir / "missing\\path.ini"));
    EXPECT_FALSE(FileExists(""));
}

TEST(Settings, TheProgramCreatesTheFileWithOneSectionAndCrLf)
{
    TempDir dir;
    Text path = dir / "path.ini";
    EXPECT_TRUE(WriteSetting(path, "hm", "zh", "我的网"));
    EXPECT_TRUE(WriteSetting(path, "hm", "mm", "12345678"));
    EXPECT_EQ(ReadWholeFile(path), "[hm]\r\nzh=我的网\r\nmm=12345678\r\n");

    // Rewritten in place, nothing added.
    EXPECT_TRUE(WriteSetting(path, "hm", "zh", "other"));
    EXPECT_TRUE(WriteSetting(path, "hm", "mm", ""));
    EXPECT_EQ(ReadWholeFile(path), "[hm]\r\nzh=other\r\nmm=\r\n");
}

TEST(Settings, ValuesReadBackAsThePrivateProfileFunctionsGiveThem)
{
    TempDir dir;
    Text path = dir / "path.ini";
    const Text longValue = Text(6000, 'a') + Text(6000, 'b');
    struct Case {
        const char* what;
        Text written, readBack;
    };
    const Case cases[] = {
        {"empty stays an empty entry", "", ""},
        {"Chinese text", "热点 网络", "热点 网络"},
        {"enclosing double quotes are dropped", "\"quoted\"", "quoted"},
        {"enclosing single quotes are dropped", "'single'", "single"},
        {"a lone quote stays", "\"open", "\"open"},
        {"longer than the buffer is cut", longValue, longValue.substr(0, 10239)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(WriteSetting(path, "hm", "zh", c.written));
        EXPECT_EQ(ReadSetting(path, "hm", "zh"), c.readBack);
        // Written as given: the file keeps the quotes and the whole value.
        EXPECT_NE(ReadWholeFile(path).find("zh=" + c.written + "\r\n"), Text::npos);
    }
}

TEST(Settings, MissingFileSectionOrKeyReadsEmpty)
{
    TempDir dir;
    Text path = dir / "path.ini";
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "");
    WriteWholeFile(path, "");
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "");
    WriteWholeFile(path, "[other]\r\nzh=no\r\n[hm]\r\nmm=yes\r\n");
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "");
    EXPECT_EQ(ReadSetting(path, "hm", "mm"), "yes");
}

TEST(Settings, WritesKeepOtherSectionsAndKeys)
{
    TempDir dir;
    Text path = dir / "path.ini";
    WriteWholeFile(path, "[mine]\r\nnote=keep me\r\n[hm]\r\nzh=old\r\nextra=1\r\n");

    EXPECT_TRUE(WriteSetting(path, "hm", "zh", "new"));
    EXPECT_TRUE(WriteSetting(path, "hm", "mm", "key"));

    EXPECT_EQ(ReadSetting(path, "mine", "note"), "keep me");
    EXPECT_EQ(ReadSetting(path, "hm", "extra"), "1");
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "new");
    EXPECT_EQ(ReadSetting(path, "hm", "mm"), "key");
}

TEST(Settings, ADirectoryNamedPathIniExistsReadsEmptyAndRefusesWrites)
{
    TempDir dir;
    Text path = dir / "path.ini";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "");
    EXPECT_FALSE(WriteSetting(path, "hm", "zh", "net"));
}

TEST(Settings, WorkInADirectoryWithChineseName)
{
    TempDir root;
    Text directory = root / "无线热点";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    Text path = directory + "\\path.ini";
    EXPECT_TRUE(WriteSetting(path, "hm", "zh", "网络"));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadSetting(path, "hm", "zh"), "网络");
}
