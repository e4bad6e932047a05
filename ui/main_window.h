#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/text.h"
#include "hotspot/actions.h"

// The program's one window: two labelled boxes for the network name and key,
// "开启" and "关闭", and a picture that shows the hosted network's status
// when pressed. Its events run the hotspot actions.

// Builds the window and its controls while invisible, switches the skin on,
// fills the boxes from the settings file (LoadSavedAccount), then shows the
// window. False when the window or one of its controls cannot be created;
// nothing is shown to the user then.
bool OpenMainWindow();

// The same, with the actions working through the port that makePort gives
// for the new window (ProgramPort for the program itself). Returns the
// window, or null when it could not be built.
using PortMaker = std::function<std::shared_ptr<HotspotPort>(HWND mainWindow)>;
HWND OpenMainWindow(const PortMaker& makePort);

// The child-window IDs of the controls, in the order they are created.
enum ControlId : int {
    kAccountBoxId = 100,       // 编辑框1
    kNetworkKeyBoxId = 110,    // 编辑框2, a password box
    kStopButtonId = 120,       // 按钮1 "关闭"
    kStartButtonId = 130,      // 按钮2 "开启"
    kAccountLabelId = 140,     // 标签1 "账户:"
    kNetworkKeyLabelId = 150,  // 标签2 "密码"
    kPictureId = 160,          // 图片框1
};

// What the actions read and change in the window. GetBoxText gives the real
// characters of the password box; an empty box gives the empty text.
Text GetBoxText(HWND mainWindow, Box box);
void SetBoxText(HWND mainWindow, Box box, const Text& text);
void SetWindowTitle(HWND mainWindow, const Text& title);
