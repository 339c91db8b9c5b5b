#pragma once

#include <QIcon>
#include <QString>

namespace editor {

// The icon of key (see toolIconKeys()), from the pictures the build drew; read when first shown.
QIcon toolIcon(const QString &key);

} // namespace editor
