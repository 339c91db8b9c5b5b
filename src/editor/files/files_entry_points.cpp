// The file part of the editor behind its entry points: open, insert, save, save as, HTML view
// and text import.
#include "editor/entry_points.h"
#include "editor/files/load_file.h"
#include "editor/files/save_file.h"
#include "editor/import/text_import.h"
#include "editor/interface.h"

namespace editor {

bool EntryPoints::openDocument(uTxm &editor, bool workFileProposal) {
    return files::openDialog(editor, !workFileProposal, false, editor.textFrameSelector());
}

bool EntryPoints::openFileByName(uTxm &editor, const QString &path) {
    return files::loadFile(editor, path, false, editor.textFrameSelector());
}

bool EntryPoints::saveFile(uTxm &editor) {
    return files::saveToFile(editor);
}

bool EntryPoints::saveAs(uTxm &editor, const QString &path) {
    QVariant target = path.isEmpty() ? QVariant() : QVariant(path);
    editor.txSaveAs(target, false);
    return false;
}

bool EntryPoints::viewAsWebPage(uTxm &editor) {
    return files::viewAsWebPage(editor);
}

bool EntryPoints::insertDocument(uTxm &editor) {
    return files::openDialog(editor, true, true, editor.textFrameSelector());
}

bool EntryPoints::insertTextFile(uTxm &editor) {
    return textimport::insertTextFile(editor);
}

} // namespace editor
