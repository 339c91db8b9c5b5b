#include "platform/text/text_lists.h"

#include "platform/text/text_model.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

namespace platform {

namespace {

bool isNumbered(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDecimal:
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman:
        return true;
    default:
        return false;
    }
}

// Numbers as Qt writes them: letters and roman numbers fall back to decimal where they have none.
QString numberText(int n, QTextListFormat::Style style) {
    if (n <= 0)
        return QString::number(n);
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        const char16_t base = style == QTextListFormat::ListLowerAlpha ? u'a' : u'A';
        QString text;
        for (int c = n; c > 0; c /= 26) {
            --c;
            text.prepend(QChar(char16_t(base + c % 26)));
        }
        return text;
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        if (n >= 5000)
            return QString::number(n);
        static const std::pair<int, const char *> numerals[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
            {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
        QString text;
        for (const auto &[value, letters] : numerals) {
            for (; n >= value; n -= value)
                text += QLatin1StringView(letters);
        }
        return style == QTextListFormat::ListUpperRoman ? text.toUpper() : text;
    }
    default:
        return QString::number(n);
    }
}

} // namespace

int listStart(const QTextListFormat &format) {
    return format.hasProperty(TextProp::ListStart) ? format.intProperty(TextProp::ListStart) : 1;
}

bool hasOwnLabels(const QTextListFormat &format) {
    return isNumbered(format.style()) && listStart(format) != 1;
}

bool drawsOwnLabel(const QTextBlock &block) {
    const QTextList *list = block.textList();
    const QTextBlockFormat f = block.blockFormat();
    return list && isNumbered(list->format().style()) && f.hasProperty(QTextFormat::ListStyle) &&
           f.intProperty(QTextFormat::ListStyle) == QTextListFormat::ListStyleUndefined;
}

QString listItemLabel(const QTextBlock &block) {
    const QTextList *list = block.textList();
    if (!list)
        return {};
    const QTextListFormat f = list->format();
    if (!isNumbered(f.style()))
        return {};
    if (!hasOwnLabels(f))
        return list->itemText(block);
    const QString prefix = f.numberPrefix();
    const QString suffix =
        f.hasProperty(QTextFormat::ListNumberSuffix) ? f.numberSuffix() : QStringLiteral(".");
    const qint64 n = qint64(listStart(f)) + list->itemNumber(block);
    const QString number =
        numberText(int(qBound(qint64(-999999), n, qint64(999999999))), f.style());
    if (block.textDirection() == Qt::RightToLeft)
        return suffix + number + prefix;
    return prefix + number + suffix;
}

void switchOffQtMarker(QTextBlockFormat &format) {
    format.setProperty(QTextFormat::ListStyle, int(QTextListFormat::ListStyleUndefined));
}

void updateOwnLabels(QTextList *list) {
    const bool own = hasOwnLabels(list->format());
    for (int i = 0; i < list->count(); ++i) {
        const QTextBlock block = list->item(i);
        QTextBlockFormat f = block.blockFormat();
        if (f.hasProperty(QTextFormat::ListStyle) == own)
            continue;
        if (own)
            switchOffQtMarker(f);
        else
            f.clearProperty(QTextFormat::ListStyle);
        QTextCursor(block).setBlockFormat(f);
    }
}

} // namespace platform
