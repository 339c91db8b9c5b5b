#include "editor/entry_points.h"

#include "editor/interface.h"
#include "platform/text/text_surface.h"

namespace editor {

bool EntryPoints::paste(uTxm &editor, const QString &) {
    platform::TextSurface &surface = editor.surface();
    if (!surface.canPaste())
        return false;
    return surface.clipboard(platform::TextSurface::ClipPaste);
}

} // namespace editor
