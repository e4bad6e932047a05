#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// A text is a byte string in the ANSI code page (936 on the Chinese Windows
// the program is made for). The empty text also stands for a missing one:
// the window and settings functions treat the two alike, so nothing here
// tells them apart.
using Text = std::string;

// The parts in order, as one new text.
Text Join(std::initializer_list<std::string_view> parts);
