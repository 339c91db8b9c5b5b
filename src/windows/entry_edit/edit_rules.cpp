#include "windows/entry_edit/edit_rules.h"

#include <QtMath>

namespace entryedit {

QString editCaption(const QString &key) {
    return key.mid(0, 2) + QChar(u'/') + key.mid(2, 2) + QChar(u'/') + key.mid(4, 2) +
           QStringLiteral("   の修正");
}

QRect editPlacement(const QRect &mainWindow, const QRect &editorArea, int dpi) {
    const int gap = qRound(20.0 * dpi / 1440.0);
    return {mainWindow.left() + editorArea.left(),
            mainWindow.top() + qRound(0.3 * mainWindow.height()), editorArea.width(),
            qRound(0.7 * mainWindow.height()) - gap};
}

} // namespace entryedit
