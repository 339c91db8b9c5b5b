#pragma once

#include "editor/entry_points.h"

namespace preview {

// The editor's print commands: preview (7), print (6), printer settings (69), and the preview of
// a second surface of the editor.
class EditorEntryPoints : public editor::EntryPoints {
public:
    bool print(editor::uTxm &editor) override;
    bool preview(editor::uTxm &editor) override;
    bool printerSettings(editor::uTxm &editor) override;
    bool previewSurface(editor::uTxm &editor, platform::TextSurface &surface) override;
};

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints();

} // namespace preview
