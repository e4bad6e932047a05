#pragma once

// Points the C runtime's multibyte tables at the ANSI code page. Until this
// has run they describe a single-byte code page and IsAnsiLeadByte is false
// for every byte.
void SetUpMultibyteTables();

// Whether the byte begins a double-byte character of the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
