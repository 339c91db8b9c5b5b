#pragma once

#include <QString>
#include <array>

namespace mainwin {

// The key moved n years by its text: the first two characters as a number plus n, two digits
// with a leading zero, then the rest of the key ("240115", -1 gives "230115"). The result need
// not be a date ("240229" gives "230229"; "000115" gives "-10115").
QString ShiftYear(const QString &key, int n);

// The same day n years away as a diary key. Where the text rule gives no date, the real date n
// years away is taken: 29 February becomes 28 February, and a year 00 moved back gives 99.
// A key that is no date at all comes back from the text rule.
QString shiftedKey(const QString &key, int n);

// A menu caption as a list title: the text before its first "(" ("最近の日記(&D)" gives
// "最近の日記").
QString listTitle(const QString &caption);

// One function key bound at load: key name, menu code, item index, caption, tooltip.
struct FunctionKey {
    const char16_t *key;
    int menuCode;
    int index;
    const char16_t *caption;
    const char16_t *tooltip;
};

const std::array<FunctionKey, 12> &functionKeys();

} // namespace mainwin
