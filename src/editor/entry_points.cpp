#include "editor/entry_points.h"

#include "editor/interface.h"
#include "platform/text/text_surface.h"

namespace editor {

namespace {
EntryPointsFactory g_factory = nullptr;
}

void setEntryPointsFactory(EntryPointsFactory factory) {
    g_factory = factory;
}

std::unique_ptr<EntryPoints> makeEntryPoints() {
    return g_factory ? g_factory() : std::make_unique<EntryPoints>();
}

bool EntryPoints::paste(uTxm &editor, const QString &) {
    platform::TextSurface &surface = editor.surface();
    if (!surface.canPaste())
        return false;
    return surface.clipboard(platform::TextSurface::ClipPaste);
}

} // namespace editor
