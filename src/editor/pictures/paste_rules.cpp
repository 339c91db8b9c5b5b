#include "editor/pictures/paste_rules.h"

#include <QtMath>

namespace editor {

QString autoPasteType(const platform::imaging::ClipboardCheck &check, bool ownCopy,
                      bool plainPaste) {
    if (ownCopy)
        return QStringLiteral("OBJ");
    if (check.metafile || check.bitmap)
        return QStringLiteral("PIC");
    if (!check.text)
        return QStringLiteral("OBJ");
    return plainPaste ? QStringLiteral("TXT") : QStringLiteral("OBJ");
}

QString plainPasteText(const QString &text) {
    QString out = text.trimmed();
    out.replace(QStringLiteral("\r\n"), QString(QChar(11)));
    out.replace(QLatin1Char('\r'), QChar(11));
    out.replace(QLatin1Char('\n'), QChar(11));
    out.replace(QChar(0x2029), QChar(11));
    return out;
}

int textWidthTwips(int pageWidth, int marginLeft, int marginRight) {
    return qMax(15, pageWidth - marginRight - marginLeft);
}

int pictureScale(int dpi) {
    return dpi > 0 ? qRound(9600.0 / dpi) : 100;
}

int textFlowFor(int layout) {
    return layout >= 2 && layout <= 4 ? layout - 1 : 0;
}

} // namespace editor
