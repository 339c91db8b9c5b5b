#pragma once

#include <QRect>
#include <QString>

namespace entryedit {

// "yy/MM/dd   の修正" for the key "yyMMdd".
QString editCaption(const QString &key);

// The window's first place: over the lower 70 % of the host's editor area, 20 twips short.
QRect editPlacement(const QRect &mainWindow, const QRect &editorArea, int dpi = 96);

} // namespace entryedit
