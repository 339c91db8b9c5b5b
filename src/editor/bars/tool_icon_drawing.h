#pragma once

#include <QImage>
#include <QStringList>

namespace editor {

// The editor's small toolbar and formatting icons, drawn here so that no icon set is needed. The
// build draws them once into the program's resources (make_tool_icons.cpp); toolIcon() reads
// them from there.
QImage drawToolIcon(const QString &key);
// Every key drawToolIcon knows.
const QStringList &toolIconKeys();

} // namespace editor
