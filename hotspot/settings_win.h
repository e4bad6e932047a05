#pragma once

#include "base/text.h"

// Finds the directory of the running exe and makes it the current directory,
// so that the settings file and every child process live there whatever
// directory the program was started from. Runs once, at start-up, after the
// multibyte tables are set up; before it RunDirectory is empty.
void EnterRunDirectory();

// The directory of the running exe, without a trailing backslash ("D:" for a
// drive root), as found by EnterRunDirectory.
Text RunDirectory();

// RunDirectory with "\path.ini".
Text SettingsPath();

// Whether anything, a directory or a hidden file included, exists under the path.
bool FileExists(const Text& path);

// The value under section and key of the private-profile file at path, with
// one pair of enclosing quotes dropped and cut to 10239 bytes; empty when
// the file, the section or the key is missing.
Text ReadSetting(const Text& path, const Text& section, const Text& key);

// Stores the value, creating the file and the section as needed and keeping
// everything else in the file. Returns Windows' success flag.
bool WriteSetting(const Text& path, const Text& section, const Text& key, const Text& value);
