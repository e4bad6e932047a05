#include "base/multibyte_win.h"

#include <mbctype.h>

void SetUpMultibyteTables() { _setmbcp(_MB_CP_ANSI); }

bool IsAnsiLeadByte(unsigned char byte) { return _ismbblead(byte) != 0; }
