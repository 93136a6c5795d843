#pragma once

// Key filters of the input boxes: each takes the code of the typed character and returns the
// code to keep, or 0 to drop the key.

class QLineEdit;

namespace fortema::ui {

inline constexpr int kBackspaceKey = 8;
inline constexpr int kTabKey = 9;

// Digits, backspace and tab.
int FilterDigitKey(int keyAscii);
// Digits, backspace, tab and the comma; a full stop becomes a comma.
int FilterDecimalKey(int keyAscii);
// Digits, backspace, tab and the minus sign.
int FilterSignedKey(int keyAscii);

using KeyFilter = int (*)(int keyAscii);

// Every character typed into `box` passes `filter` first: a dropped key types nothing, a
// changed one types its replacement. Keys that type no character (arrows, Delete) and the
// editing shortcuts with Ctrl pass untouched; what they paste meets the box's change check.
void installKeyFilter(QLineEdit* box, KeyFilter filter);

}  // namespace fortema::ui
