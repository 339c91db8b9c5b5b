#include "editor/bars/tool_icons.h"

#include <QtGlobal>

// The resource sits in a static library: nothing would pull it into the program otherwise.
static void registerToolIcons() {
    Q_INIT_RESOURCE(tool_icons);
}

namespace editor {

QIcon toolIcon(const QString &key) {
    static const bool registered = (registerToolIcons(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/tool_icons/") + key + QStringLiteral(".png"));
}

} // namespace editor
