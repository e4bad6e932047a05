#pragma once

#include "base/text.h"

// The status box: the text as given, caption "信息：", one OK button, task-modal
// with no owner, so every window of the thread is disabled until it is closed.
void ShowMessageBox(const Text& text);
