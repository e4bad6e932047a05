#include "hotspot/actions.h"

namespace {

constexpr const char* kConfigureCommand = "netsh wlan set hostednetwork mode=allow ssid=";
constexpr const char* kKeyArgument = " key=";
constexpr const char* kStartCommand = "netsh wlan start hostednetwork";
constexpr const char* kStopCommand = "netsh wlan stop hostednetwork";
constexpr const char* kStatusCommand = "netsh wlan show hostednetwork";

constexpr const char* kSection = "hm";
constexpr const char* kAccountSetting = "zh";
constexpr const char* kNetworkKeySetting = "mm";

constexpr const char* kUnconfiguredTitle = "配置账号密码";

constexpr const char* SettingFor(Box box)
{
    return box == Box::Account ? kAccountSetting : kNetworkKeySetting;
}

void LoadBox(HotspotPort& port, Box box)
{
    Text value = port.ReadSetting(port.SettingsPath(), kSection, SettingFor(box));
    port.SetBoxText(box, value);
}

void SaveBox(HotspotPort& port, Box box)
{
    // The path is worked out for each write and the box read afresh: what
    // counts is the text the box holds after the commands have run.
    Text path = port.SettingsPath();
    Text value = port.GetBoxText(box);
    port.WriteSetting(path, kSection, SettingFor(box), value);
}

}  // namespace

void LoadSavedAccount(HotspotPort& port)
{
    if (!port.FileExists(port.SettingsPath())) {
        port.SetWindowTitle(kUnconfiguredTitle);
        return;
    }
    LoadBox(port, Box::Account);
    LoadBox(port, Box::NetworkKey);
}

void StartHotspot(HotspotPort& port)
{
    {
        // Nothing is quoted or checked: the network shell gets the boxes as typed.
        Text account = port.GetBoxText(Box::Account);
        Text key = port.GetBoxText(Box::NetworkKey);
        port.RunAndWait(Join({kConfigureCommand, account, kKeyArgument, key}));
    }
    // Results are not looked at: the network shell speaks for itself in its console.
    port.RunAndWait(kStartCommand);
    SaveBox(port, Box::Account);
    SaveBox(port, Box::NetworkKey);
}

void StopHotspot(HotspotPort& port) { port.RunAndWait(kStopCommand); }

void ShowHotspotStatus(HotspotPort& port)
{
    port.ShowMessageBox(port.RunAndCapture(kStatusCommand));
}
