#pragma once

// The window skin: the push buttons and edit boxes of this thread, those that
// exist and those created later, drawn in a Windows XP colour scheme.
// 1 blue, 2 olive green, 3 silver; any other style switches the skin off and
// gives the controls their own look back. Only the drawing changes: clicks,
// keys, focus and notifications are the controls' own. Returns 1 when the
// skin is on afterwards, 0 when it is off.
int SetSkinStyle(int style);

// The style in use, 0 when the skin is off.
int SkinStyle();
