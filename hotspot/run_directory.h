#pragma once

#include <string_view>

#include "base/text.h"

using IsLeadByteFn = bool (*)(unsigned char byte);

// The directory part of an executable's full path: everything before its last
// backslash, or empty when there is none. A double-byte character of the ANSI
// code page is one unit, so a trail byte of 0x5C is never taken for a
// backslash; isLeadByte says which bytes begin such a character.
Text DirectoryOfPath(std::string_view path, IsLeadByteFn isLeadByte);
