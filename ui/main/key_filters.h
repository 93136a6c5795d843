#pragma once

// Key filters of the input boxes: each takes the code of the typed character and returns the
// code to keep, or 0 to drop the key.

namespace fortema::ui {

inline constexpr int kBackspaceKey = 8;
inline constexpr int kTabKey = 9;

// Digits, backspace and tab.
int FilterDigitKey(int keyAscii);
// Digits, backspace, tab and the comma; a full stop becomes a comma.
int FilterDecimalKey(int keyAscii);
// Digits, backspace, tab and the minus sign.
int FilterSignedKey(int keyAscii);

}  // namespace fortema::ui
