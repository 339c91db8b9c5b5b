#pragma once

#include <QVariant>

namespace platform {
class TextSurface;
}

namespace editor {

class uTxm;

// Modes of the link, tag and tooltip commands; a command that changed nothing reports
// MarkerCancelled.
enum MarkerMode : int { MarkerCancelled = -1, MarkerNew = 0, MarkerEdit = 1, MarkerDelete = 2 };

// What EntryPoints::marker takes for the link, tag and tooltip commands: a plain number is the
// mode (the menus); the object context menu passes mode, object flag and the id of the marker
// to copy onto the picture, made by markerArgument.
struct MarkerRequest {
    int mode = MarkerNew;
    bool onObject = false;
    int fieldId = 0;
};
QVariant markerArgument(int mode, bool onObject, int fieldId = 0);
MarkerRequest markerRequest(const QVariant &argument);

// Link command: caption and target come from the settings dialog's page "LK" ("LK_OBJ" on a
// picture) in the form caption, tab, target. Returns the mode carried out.
int linkCommand(uTxm &editor, const MarkerRequest &request);
// Tag command (editors of type -2 only): text and value come from the host through the
// editor's TagRequested signal.
int tagCommand(uTxm &editor, const MarkerRequest &request);
// Tooltip command: the selected text gets the tooltip text the user types.
int tooltipCommand(uTxm &editor, const MarkerRequest &request);
// insert: a data field "[FD]" at the caret; otherwise the data field at the caret becomes a
// plain "@" again. True when the document changed.
bool dataFieldCommand(platform::TextSurface &surface, bool insert);

// Puts the view's caret where the surface's is, when the main text is edited.
void showCaret(uTxm &editor);

// The number at the start of a text, 0 when it does not start with one.
double leadingNumber(const QString &text);

} // namespace editor
