#include "image_dialog/image_entry.h"

#include "editor/interface.h"
#include "image_dialog/sb_wmf.h"

namespace image_dialog {

bool EditorEntryPoints::imageDialog(editor::uTxm &editor, const QByteArray &svg,
                                    const QString &workFile, int maxWidthTwips) {
    sbWmf dialog(editor.window());
    return dialog.run(svg, workFile, maxWidthTwips);
}

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints() {
    return std::make_unique<EditorEntryPoints>();
}

} // namespace image_dialog
