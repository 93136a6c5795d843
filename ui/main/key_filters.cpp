#include "ui/main/key_filters.h"

namespace fortema::ui {

namespace {

bool isDigitOrEditing(int keyAscii) {
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == kBackspaceKey || keyAscii == kTabKey;
}

}  // namespace

int FilterDigitKey(int keyAscii) { return isDigitOrEditing(keyAscii) ? keyAscii : 0; }

int FilterDecimalKey(int keyAscii) {
    if (keyAscii == '.') return ',';
    return isDigitOrEditing(keyAscii) || keyAscii == ',' ? keyAscii : 0;
}

int FilterSignedKey(int keyAscii) { return isDigitOrEditing(keyAscii) || keyAscii == '-' ? keyAscii : 0; }

}  // namespace fortema::ui
