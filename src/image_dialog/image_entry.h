#pragma once

#include "editor_dialog/editor_entry.h"

#include <memory>

namespace image_dialog {

// The editor's entry points with the image dialog; the settings pages are the settings dialog's
// and the print entries the preview's.
class EditorEntryPoints final : public editor_dialog::EditorEntryPoints {
public:
    bool imageDialog(editor::uTxm &editor, const QByteArray &svg, const QString &workFile,
                     int maxWidthTwips) override;
};

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints();

} // namespace image_dialog
