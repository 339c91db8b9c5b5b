#pragma once

#include <QPoint>

namespace platform {
class TextSurface;
class TextView;
} // namespace platform

namespace editor {

// The picture under a point of the view's viewport in the surface's active document; 0 when
// the point is on no picture. With frames, the innermost text frame counts too when the point is
// on its blank space or border (not on its text).
int objectAtViewport(platform::TextView &view, const platform::TextSurface &surface,
                     const QPoint &viewportPos, bool frames);

// Puts the surface's caret at the text position nearest to a point of the viewport; false when
// the point is not over the active document.
bool caretToViewport(platform::TextView &view, platform::TextSurface &surface,
                     const QPoint &viewportPos);

} // namespace editor
