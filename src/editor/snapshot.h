#pragma once

#include <QByteArray>

namespace platform {
class TextSurface;
}

namespace editor {

// One extra undo level: the whole document in the internal format, taken before a command that
// changes it in one step. Typing disarms it so the surface's own undo takes over again; loading
// another document disarms it so one entry's text never comes back into another.
class SnapshotUndo {
public:
    void take(platform::TextSurface &surface);
    void disarm() { m_armed = false; }
    bool armed() const { return m_armed; }
    bool canUndo(const platform::TextSurface &surface) const;
    // The surface's undo while the snapshot is not armed, else the snapshot; false when neither
    // could act.
    bool undo(platform::TextSurface &surface);

private:
    QByteArray m_bytes;
    bool m_armed = false;
};

} // namespace editor
