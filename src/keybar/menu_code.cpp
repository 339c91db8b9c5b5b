#include "keybar/menu_code.h"

namespace keybar {

namespace {

QChar encodeDigit(int value) {
    return QChar(value < 10 ? '0' + value : value + 55);
}

int decodeDigit(QChar c) {
    int value = c.unicode() - 48;
    if (value > 9)
        value -= 7;
    return value;
}

} // namespace

QString encodeMenuCode(int menu, int index) {
    return QString(encodeDigit(menu)) + encodeDigit(index);
}

QString encodeMenuCode(MenuRef ref) {
    return encodeMenuCode(ref.menu, ref.index);
}

MenuRef decodeMenuCode(const QString &code) {
    if (code.size() < 2)
        return {};
    return {decodeDigit(code.at(0)), decodeDigit(code.at(1))};
}

} // namespace keybar
