#pragma once

#include <QString>

namespace editor {

// What the host's leaving a changed document comes to.
enum class LeaveAction {
    Nothing, // unchanged, negative editor type, mode "無視", or "No" in the Yes/No form
    Save,    // "Yes", or mode "上書"
    Discard, // "No" in the Yes/No/Cancel form: the changed flag is cleared
    Cancel,  // "Cancel": the host stays on the document
};

// The save-on-leave decision. withCancel asks Yes/No/Cancel (ChkUdt), otherwise Yes/No (loading
// another document, new document). The question goes through platform::dialogs().
LeaveAction decideOnLeave(bool changed, int editorType, const QString &updateMode, bool withCancel);

} // namespace editor
