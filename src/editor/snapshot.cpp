#include "editor/snapshot.h"

#include "platform/text/text_surface.h"

namespace editor {

void SnapshotUndo::take(platform::TextSurface &surface) {
    bool ok = false;
    m_bytes = surface.saveWholeToMemory(platform::TextSurface::Internal, &ok);
    m_armed = ok;
}

bool SnapshotUndo::canUndo(const platform::TextSurface &surface) const {
    return m_armed || surface.canUndo();
}

bool SnapshotUndo::undo(platform::TextSurface &surface) {
    if (!m_armed) {
        if (!surface.canUndo())
            return false;
        surface.undo();
        return true;
    }
    m_armed = false;
    return surface.loadWholeFromMemory(m_bytes, platform::TextSurface::Internal);
}

} // namespace editor
