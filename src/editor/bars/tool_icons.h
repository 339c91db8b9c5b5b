#pragma once

#include <QIcon>
#include <QString>

namespace editor {

// The editor's small toolbar and formatting icons, drawn here so that no icon set is needed.
QIcon toolIcon(const QString &key);

} // namespace editor
