#pragma once

#include <QString>

namespace keybar {

// A menu entry named by its menu number (1 to 16) and its index in that menu.
struct MenuRef {
    int menu = 0;
    int index = 0;
    bool operator==(const MenuRef &) const = default;
};

// Two characters, menu number then entry index, each one digit: 0-9, then "A" for 10 and on.
QString encodeMenuCode(int menu, int index);
QString encodeMenuCode(MenuRef ref);

// The reverse of encodeMenuCode; a code shorter than two characters gives {0, 0}, which names no
// menu.
MenuRef decodeMenuCode(const QString &code);

} // namespace keybar
