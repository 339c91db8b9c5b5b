#include "settings/user_styles.h"

#include "settings/value_text.h"
#include "settings/yini.h"

#include <limits>

namespace settings {
namespace {

const QString kGroup = QStringLiteral("TX_FORMAT");
const QString kRecordKey = QStringLiteral("USR_FORMAT_");
constexpr float kDefaultFactor = 1.2f;
// The stored line-spacing code 32 stands for this value of the text surface.
constexpr qint16 kLineSpacing32 = 7936;

UserStyle defaultStyle(const QString &font, qint16 size, qint32 color, qint16 bold,
                       qint16 alignment, qint16 left, qint16 b, qint16 c) {
    UserStyle s;
    s.fontName = font;
    s.size = size;
    s.textColor = color;
    s.backColor = 16777215;
    s.bold = bold;
    s.alignment = alignment;
    s.leftIndent = left;
    s.indentB = b;
    s.indentC = c;
    return s;
}

template <typename T> bool numberField(const QString &part, T &field) {
    const qint64 lowest = std::numeric_limits<T>::min();
    const qint64 highest = std::numeric_limits<T>::max();
    const double value = numericPrefix(part);
    if (value < double(lowest) - 0.5 || value > double(highest) + 0.5)
        return false;
    field = T(roundHalfEven(value, lowest, highest));
    return true;
}

} // namespace

UserStyleTable UserStyleTable::defaults() {
    const QString font = QStringLiteral("ＭＳ Ｐゴシック");
    UserStyleTable t;
    t.styles[Heading1] = defaultStyle(font, 14, 5266053, 1, 0, 160, 180, 160);
    t.styles[Heading2] = defaultStyle(font, 12, 5072980, 1, 0, 160, 140, 120);
    t.styles[Heading3] = defaultStyle(font, 11, 5652282, 1, 0, 160, 100, 80);
    t.styles[Body] = defaultStyle(font, 10, 0, 0, 0, 60, 0, 0);
    t.styles[Emphasis] = defaultStyle(font, 10, 128, 0, 0, 60, 0, 0);
    t.styles[Supplement] = defaultStyle(font, 9, 8421504, 0, 0, 60, 0, 0);
    t.styles[Header] = defaultStyle(font, 9, 5652282, 0, 1, 0, 0, 0);
    t.styles[Footer] = defaultStyle(font, 9, 5652282, 0, 1, 0, 0, 0);
    t.lineSpacingFactor = kDefaultFactor;
    t.titleIsFirstHeading = true;
    t.enterIsLineBreak = true;
    return t;
}

QString styleRecordText(const UserStyle &s) {
    const QList<qint64> numbers = {
        s.size,        s.textColor,  s.backColor, s.bold,    s.alignment, s.spacingA, s.spacingB,
        s.lineSpacing, s.leftIndent, s.indentB,   s.indentC, s.indentD,   s.indentE};
    QString text = s.fontName;
    for (qint64 n : numbers)
        text += u'|' + QString::number(n);
    return text;
}

std::optional<UserStyle> parseStyleRecord(const QString &text) {
    if (text.isEmpty())
        return std::nullopt;
    const QStringList parts = text.split(u'|');
    if (parts.size() != 14)
        return std::nullopt;
    UserStyle s;
    s.fontName = parts.at(0);
    bool ok = numberField(parts.at(1), s.size) && numberField(parts.at(2), s.textColor) &&
              numberField(parts.at(3), s.backColor) && numberField(parts.at(4), s.bold) &&
              numberField(parts.at(5), s.alignment) && numberField(parts.at(6), s.spacingA) &&
              numberField(parts.at(7), s.spacingB) && numberField(parts.at(9), s.leftIndent) &&
              numberField(parts.at(10), s.indentB) && numberField(parts.at(11), s.indentC) &&
              numberField(parts.at(12), s.indentD) && numberField(parts.at(13), s.indentE);
    if (parts.at(8) == QLatin1String("32"))
        s.lineSpacing = kLineSpacing32;
    else
        ok = ok && numberField(parts.at(8), s.lineSpacing);
    if (!ok)
        return std::nullopt;
    return s;
}

bool UsrStyleLoad(yIni &ini, UserStyleTable &table) {
    const UserStyleTable defaults = UserStyleTable::defaults();
    ini.GetGtx(kGroup);
    const double factor = ini.vGtVal(QStringLiteral("USR_LSP"), double(kDefaultFactor));
    table.lineSpacingFactor = (factor < 1 || factor > 2) ? kDefaultFactor : float(factor);
    bool allRead = true;
    for (int i = 0; i < 8; ++i) {
        const QString text = ini.vGtVal(kRecordKey + QString::number(i), QString());
        std::optional<UserStyle> style = parseStyleRecord(text);
        if (!style && text.split(u'|').size() == 14)
            allRead = false;
        table.styles[i] = style.value_or(defaults.styles[i]);
    }
    table.titleIsFirstHeading = ini.vGtVal(QStringLiteral("USR_DTP"), true);
    table.enterIsLineBreak = ini.vGtVal(QStringLiteral("USR_NWL"), true);
    return allRead;
}

void UsrStyleSave(yIni &ini, const UserStyleTable &table) {
    ini.GetGtx(kGroup);
    ini.SetVal(QStringLiteral("USR_LSP"), table.lineSpacingFactor);
    for (int i = 0; i < 8; ++i)
        ini.SetVal(kRecordKey + QString::number(i), styleRecordText(table.styles[i]));
    ini.SetVal(QStringLiteral("USR_DTP"), table.titleIsFirstHeading);
    ini.SetVal(QStringLiteral("USR_NWL"), table.enterIsLineBreak);
    ini.SetGtx();
}

} // namespace settings
