#include "hotspot/actions.h"

#include <gtest/gtest.h>

#include "tests/hotspot/recording_port.h"

namespace {

using Calls = std::vector<Text>;
const Text kPath = RecordingPort::kPath;

Calls StartCalls(const Text& configureLine, const Text& savedAccount, const Text& savedKey)
{
    return {
        "GetBoxText account",
        "GetBoxText key",
        "RunAndWait [" + configureLine + "]",
        "RunAndWait [netsh wlan start hostednetwork]",
        "SettingsPath",
        "GetBoxText account",
        "WriteSetting [" + kPath + "] [hm] [zh] [" + savedAccount + "]",
        "SettingsPath",
        "GetBoxText key",
        "WriteSetting [" + kPath + "] [hm] [mm] [" + savedKey + "]",
    };
}

}  // namespace

TEST(StartHotspot, BuildsTheConfigureLineFromTheBoxesUnchanged)
{
    struct Case {
        const char* what;
        Text account, key, configureLine;
    };
    const Case cases[] = {
        {"both boxes empty", "", "", "netsh wlan set hostednetwork mode=allow ssid= key="},
        {"plain", "MyNet", "12345678",
         "netsh wlan set hostednetwork mode=allow ssid=MyNet key=12345678"},
        {"account with a blank", "my net", "pw",
         "netsh wlan set hostednetwork mode=allow ssid=my net key=pw"},
        {"double quotes pass through", "\"my\"net", "p\"w",
         "netsh wlan set hostednetwork mode=allow ssid=\"my\"net key=p\"w"},
        {"key= inside both", "a key=b",
         " key= ", "netsh wlan set hostednetwork mode=allow ssid=a key=b key= key= "},
        {"Chinese account", "我的热点", "密钥1",
         "netsh wlan set hostednetwork mode=allow ssid=我的热点 key=密钥1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPort port;
        port.account = c.account;
        port.networkKey = c.key;

        StartHotspot(port);

        EXPECT_EQ(port.calls, StartCalls(c.configureLine, c.account, c.key));
        EXPECT_EQ(port.title, "Zarvik");
    }
}

TEST(StartHotspot, ConfigureLineIsExactBytes)
{
    // One case spelled out in bytes: "我" is CE D2 in code page 936.
    RecordingPort port;
    port.account = "\xCE\xD2";
    port.networkKey = "k";
    StartHotspot(port);
    ASSERT_GE(port.calls.size(), 3u);
    EXPECT_EQ(port.calls[2],
              "RunAndWait [netsh wlan set hostednetwork mode=allow ssid=\xCE\xD2 key=k]");
}

TEST(StartHotspot, SavesWhatTheBoxesHoldAfterBothCommands)
{
    RecordingPort port;
    port.account = "before";
    port.networkKey = "old-key";
    port.whileRunning = [](RecordingPort& p, const Text& line) {
        if (line == "netsh wlan start hostednetwork") {
            p.account = "after";
            p.networkKey = "";
        }
    };

    StartHotspot(port);

    EXPECT_EQ(
        port.calls,
        StartCalls("netsh wlan set hostednetwork mode=allow ssid=before key=old-key", "after", ""));
    EXPECT_EQ(port.storedSettings["hm/zh"], "after");
    EXPECT_EQ(port.storedSettings["hm/mm"], "");
}

TEST(StopHotspot, RunsOnlyTheStopLine)
{
    RecordingPort port;
    port.account = "net";
    port.networkKey = "key";
    StopHotspot(port);
    EXPECT_EQ(port.calls, Calls{"RunAndWait [netsh wlan stop hostednetwork]"});
    EXPECT_TRUE(port.storedSettings.empty());
}

TEST(LoadSavedAccount, WithoutSettingsFileOnlyTheTitleChanges)
{
    RecordingPort port;
    LoadSavedAccount(port);
    EXPECT_EQ(port.calls, (Calls{"SettingsPath", "FileExists [" + kPath + "]",
                                 "SetWindowTitle [配置账号密码]"}));
    EXPECT_EQ(port.title, "配置账号密码");
    EXPECT_EQ(port.account, "");
    EXPECT_EQ(port.networkKey, "");
}

TEST(LoadSavedAccount, FillsTheBoxesFromTheFileAndKeepsTheTitle)
{
    struct Case {
        const char* what;
        std::map<Text, Text> stored;
        Text account, key;
    };
    const Case cases[] = {
        {"both saved", {{"hm/zh", "热点"}, {"hm/mm", "secret"}}, "热点", "secret"},
        {"only zh", {{"hm/zh", "net"}}, "net", ""},
        {"empty file", {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPort port;
        port.settingsFileExists = true;
        port.storedSettings = c.stored;

        LoadSavedAccount(port);

        EXPECT_EQ(port.calls, (Calls{
                                  "SettingsPath",
                                  "FileExists [" + kPath + "]",
                                  "SettingsPath",
                                  "ReadSetting [" + kPath + "] [hm] [zh]",
                                  "SetBoxText account [" + c.account + "]",
                                  "SettingsPath",
                                  "ReadSetting [" + kPath + "] [hm] [mm]",
                                  "SetBoxText key [" + c.key + "]",
                              }));
        EXPECT_EQ(port.title, "Zarvik");
    }
}

TEST(ShowHotspotStatus, ShowsTheCapturedOutputUnchanged)
{
    const Text outputs[] = {
        "",
        "承载网络设置\r\n----------\r\n    模式                 : 已启用\r\n",
        "tab\there\r\nlone\nlf\r\n\xA3\xBA",
    };
    for (const Text& output : outputs) {
        RecordingPort port;
        port.capturedOutput = output;
        ShowHotspotStatus(port);
        EXPECT_EQ(port.calls, (Calls{"RunAndCapture [netsh wlan show hostednetwork]",
                                     "ShowMessageBox [" + output + "]"}));
    }
}
