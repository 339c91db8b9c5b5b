#pragma once

#include <QString>

class QMenu;

namespace editor {

// Which entries of the insert menu apply at the caret.
struct InsertMenuState {
    bool objectsEnabled = true; // documents, text, pictures, frames, objects, page break
    bool markersEnabled = true; // new hyperlink, tag and tooltip
    bool linkEditsShown = false;
    bool tagEditsShown = false;
    bool tooltipEditsShown = false;
};

// markerKind is the kind of the marker at the caret ("" none); inHeading counts only in editors
// of type 1 and more, which the caller decides.
InsertMenuState insertMenuState(const QString &markerKind, bool inHeading, bool inTextFrame);

// Applies the state to the insert menu's entries.
void applyInsertMenuState(QMenu *insertMenu, const InsertMenuState &state);

} // namespace editor
