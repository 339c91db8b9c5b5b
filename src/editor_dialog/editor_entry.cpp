#include "editor_dialog/editor_entry.h"

#include "editor/interface.h"
#include "editor_dialog/sbtxm.h"

namespace editor_dialog {

EditorEntryPoints::~EditorEntryPoints() {
    delete m_dialog.data();
}

bool EditorEntryPoints::settingsPage(editor::uTxm &editor, const QString &code, QString &answer) {
    if (!sbTxm::hasPage(code))
        return preview::EditorEntryPoints::settingsPage(editor, code, answer);
    if (!m_dialog) {
        m_dialog = new sbTxm(editor.window());
        m_dialog->cOn(editor.surface(), editor.view());
        m_dialog->setUserStyles(&editor.userStyles());
    }
    return m_dialog->Act(code, answer);
}

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints() {
    return std::make_unique<EditorEntryPoints>();
}

} // namespace editor_dialog
