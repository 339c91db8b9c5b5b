#include "editor/files/write_file.h"

#include "editor/files/file_names.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

namespace editor::files {
namespace {

// PDF pages are the page view's: switch to it for the write and back afterwards.
bool writePdf(uTxm &editor, const QString &path) {
    platform::TextView *view = editor.view();
    const int before = view->viewMode();
    if (before != platform::TextView::PageView)
        view->setViewMode(platform::TextView::PageView);
    const bool ok = editor.surface().saveFile(path, platform::TextSurface::Pdf);
    if (view->viewMode() != before)
        view->setViewMode(before);
    view->refresh();
    return ok;
}

} // namespace

QString unsupportedMessage(const QString &path) {
    return QStringLiteral("ﾌｧｲﾙ: ") + path + QStringLiteral(" の形式 (.") + extensionOf(path) +
           QStringLiteral(") には保存できません｡");
}

QString saveFailedMessage(const QString &path) {
    QString text = QStringLiteral("ﾌｧｲﾙ: ") + path + QStringLiteral(" に保存できません｡");
    if (extensionOf(path) == QLatin1String("doc") &&
        platform::legacydoc::converterProgram().isEmpty())
        text += QStringLiteral("\nﾜｰﾄﾞ文書 97-2003(*.doc) の保存には LibreOffice が必要です｡");
    return text;
}

Written writeByExtension(uTxm &editor, const QString &path) {
    const QString extension = extensionOf(path);
    if (extension == QLatin1String("htm")) {
        const bool changed = editor.bDcEdt();
        bool ok = false;
        editor.SaveHtm(0, ok, path);
        // SaveHtm marks the document saved; whether it is stays the caller's decision.
        editor.setBDcEdt(changed);
        return ok ? Written::Ok : Written::Failed;
    }
    const int format = saveFormatFor(extension);
    if (format == 0) {
        platform::dialogs().message(unsupportedMessage(path), platform::Buttons::Ok,
                                    platform::Icon::Exclamation);
        return Written::Unsupported;
    }
    const bool ok = format == platform::TextSurface::Pdf ? writePdf(editor, path)
                                                         : editor.surface().saveFile(path, format);
    if (!ok) {
        platform::dialogs().message(saveFailedMessage(path), platform::Buttons::Ok,
                                    platform::Icon::Exclamation);
        return Written::Failed;
    }
    return Written::Ok;
}

} // namespace editor::files
