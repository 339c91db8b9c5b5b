#include "preview/editor_entry.h"

#include "editor/interface.h"
#include "platform/dialogs.h"
#include "preview/page_source.h"
#include "preview/sbtvw.h"

namespace preview {
namespace {

QString jobTitle(editor::uTxm &editor) {
    if (!editor.printTitle().isEmpty())
        return editor.printTitle();
    const QString title = editor.Title();
    return title.isEmpty() ? platform::appTitle() : title;
}

} // namespace

bool EditorEntryPoints::print(editor::uTxm &editor) {
    SurfacePages pages(editor.surface(), editor.view());
    sbTvw::cPrint(pages, false, QString(), jobTitle(editor));
    return false;
}

bool EditorEntryPoints::preview(editor::uTxm &editor) {
    SurfacePages pages(editor.surface(), editor.view());
    // A form's picture (T_Start) is the page background.
    sbTvw::instance().cAct(pages, editor.formIndex().picture, QString(), jobTitle(editor),
                           editor.window());
    return false;
}

bool EditorEntryPoints::printerSettings(editor::uTxm &editor) {
    SurfacePages pages(editor.surface(), editor.view());
    sbTvw::cSetPrn(pages, QString());
    return false;
}

bool EditorEntryPoints::previewSurface(editor::uTxm &editor, platform::TextSurface &surface) {
    SurfacePages pages(surface);
    sbTvw::instance().cAct(pages, QString(), QString(), jobTitle(editor), editor.window());
    return false;
}

std::unique_ptr<editor::EntryPoints> makeEditorEntryPoints() {
    return std::make_unique<EditorEntryPoints>();
}

} // namespace preview
