#include "editor_dialog/dialog_values.h"

#include <QRegularExpression>

#include <cmath>

namespace editor_dialog {

QString sTwpsDlg(double gSz) {
    return QString::number((gSz + 0.0005) / 567.0, 'f', 2);
}

double readNumber(const QString &sText) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+))"));
    QString text = sText;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0;
    const double value = match.captured(1).toDouble();
    // Typed text may be any length: keep the result finite and far inside an int.
    return std::isfinite(value) && std::fabs(value) < 1.0e6 ? value : 0;
}

int nDlgTwps(const QString &sDlg) {
    return static_cast<int>(std::nearbyint(readNumber(sDlg) * 567.0));
}

ImeChoice readImeAnswer(const QString &sAns) {
    const qsizetype tab = sAns.indexOf(QLatin1Char('\t'));
    const QString ime = tab < 0 ? sAns : sAns.left(tab);
    const QString mode = tab < 0 ? QString() : sAns.mid(tab + 1);
    ImeChoice choice;
    choice.ime = ime == QStringLiteral("ON");
    if (mode == QStringLiteral("上書"))
        choice.saveOption = 1;
    else if (mode == QStringLiteral("無視"))
        choice.saveOption = 2;
    return choice;
}

QString imeAnswer(const ImeChoice &choice) {
    static const char16_t *const modes[] = {u"確認", u"上書", u"無視"};
    const int option = choice.saveOption >= 0 && choice.saveOption <= 2 ? choice.saveOption : 0;
    return (choice.ime ? QStringLiteral("ON") : QStringLiteral("OFF")) + QLatin1Char('\t') +
           QString::fromUtf16(modes[option]);
}

PictureLayout readLayoutAnswer(const QString &sAns) {
    PictureLayout choice;
    if (sAns.isEmpty())
        return choice;
    // Anything outside the offered options shows the first one (0 counts as inline too).
    const int layout = sAns.left(1).toInt();
    choice.layout = layout >= 1 && layout <= 4 ? layout : 1;
    if (sAns.size() >= 2) {
        const int reduction = sAns.right(1).toInt();
        choice.reduction = reduction >= 0 && reduction <= 2 ? reduction : 0;
    }
    return choice;
}

QString layoutAnswer(const PictureLayout &choice) {
    return QString::number(choice.layout) + QString::number(choice.reduction);
}

} // namespace editor_dialog
