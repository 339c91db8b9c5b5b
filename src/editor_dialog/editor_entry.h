#pragma once

#include "preview/editor_entry.h"

#include <QPointer>

namespace editor_dialog {

class sbTxm;

// The editor's entry points with the settings dialog: one hidden dialog per editor, made when
// first needed; the print entries stay those of the preview.
class EditorEntryPoints : public preview::EditorEntryPoints {
public:
    ~EditorEntryPoints() override;
    bool settingsPage(editor::uTxm &editor, const QString &code, QString &answer) override;

private:
    QPointer<sbTxm> m_dialog;
};

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints();

} // namespace editor_dialog
