#include "windows/main/date_rules.h"

#include "diary/keys.h"

namespace mainwin {

QString ShiftYear(const QString &key, int n) {
    const int year = key.left(2).toInt() + n;
    return QStringLiteral("%1").arg(year, 2, 10, QLatin1Char('0')) + key.mid(2);
}

QString shiftedKey(const QString &key, int n) {
    const QString byText = ShiftYear(key, n);
    if (diary::keyToDate(byText).isValid())
        return byText;
    const QDate date = diary::keyToDate(key);
    if (!date.isValid())
        return byText;
    return diary::entryKey(date.addYears(n));
}

QString listTitle(const QString &caption) {
    const qsizetype p = caption.indexOf(QLatin1Char('('));
    return p < 0 ? caption : caption.left(p);
}

const std::array<FunctionKey, 12> &functionKeys() {
    static const std::array<FunctionKey, 12> keys = {{
        {u"F1", 10, 0, u"最初", u"登録されている最初の日付"},
        {u"F2", 10, 1, u"最後", u"登録されている最後の日付"},
        {u"F3", 10, 4, u"去年", u"去年の同日付に移動"},
        {u"F4", 10, 3, u"本日", u"本日の日付に移動"},
        {u"F5", 9, 0, u"検索", u"指定文字で全文検索を行います"},
        {u"F6", 9, 2, u"最近", u"最近の日記を一括表示します"},
        {u"F7", 9, 3, u"去年", u"去年の今頃の日記を一括表示します"},
        {u"F8", 9, 4, u"おととし", u"おととしの今頃の日記を一括表示します"},
        {u"F9", 2, 5, u"更新", u"現在の日付の日誌を更新します"},
        {u"F10", 2, 0, u"ﾌﾟﾚﾋﾞｭｰ", u"印刷ﾌﾟﾚﾋﾞｭｰを表示します"},
        {u"F11", 2, 1, u"印刷", u"現在の日誌を印刷します"},
        {u"F12", 2, 2, u"保存", u"現在の日誌を別形式で保存します"},
    }};
    return keys;
}

} // namespace mainwin
