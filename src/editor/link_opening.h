#pragma once

#include <QString>

namespace editor {

// Opens the target of a clicked link, as far as it is safe: web and mail addresses at once,
// other schemes and local files only after the user has seen the target and said yes, script
// addresses and programs never. True when the target was handed to the desktop.
bool openLinkTarget(const QString &target);

} // namespace editor
