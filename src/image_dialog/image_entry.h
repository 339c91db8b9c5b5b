#pragma once

#include "preview/editor_entry.h"

#include <memory>

namespace image_dialog {

// The editor's entry points with the image dialog. The settings dialog's entry points (whose
// class is final) do the settings pages; the print entries stay those of the preview.
class EditorEntryPoints final : public preview::EditorEntryPoints {
public:
    EditorEntryPoints();
    ~EditorEntryPoints() override;
    bool settingsPage(editor::uTxm &editor, const QString &code, QString &answer) override;
    bool imageDialog(editor::uTxm &editor, const QByteArray &svg, const QString &workFile,
                     int maxWidthTwips) override;

private:
    std::unique_ptr<editor::EntryPoints> m_settings;
};

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints();

} // namespace image_dialog
