#include "editor/files/save_file.h"

#include "editor/files/file_names.h"
#include "editor/files/write_file.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"

#include <QDir>
#include <QFileInfo>

namespace editor::files {

QString proposedName(const QString &text) {
    const qsizetype lineFeed = text.indexOf(QChar(10));
    if (lineFeed < 0)
        return {};
    const QString line = text.left(lineFeed);
    const qsizetype lineBreak = line.indexOf(QChar(11));
    return lineBreak >= 0 ? line.left(lineBreak) : line;
}

bool saveToFile(uTxm &editor, const QString &given) {
    fillLastFolder(editor);
    QString path = given.isEmpty() ? editor.currentFile() : given;
    if (!path.isEmpty()) {
        editor.setLastFolder(QFileInfo(path).absolutePath());
        if (extensionOf(path) == QLatin1String("htm")) {
            bool ok = false;
            editor.SaveHtm(0, ok, path);
            return ok;
        }
    } else {
        if (editor.editorType() == 4) {
            bool ok = false;
            editor.SaveHtm(0, ok);
            return ok;
        }
        editor.txIME(false);
        platform::FileRequest request;
        request.title = QStringLiteral("名前を付けて保存");
        request.filter = filter::Doc.chopped(1);
        request.fileName = proposedName(editor.surface().text()) + QStringLiteral(".doc");
        request.folder = editor.lastFolder();
        request.mustExist = false;
        const platform::FileAnswer answer = platform::dialogs().saveFile(request);
        if (!answer.accepted)
            return false;
        editor.setDialogFileName(answer.path);
        path = withDefaultExtension(answer.path);
    }
    if (writeByExtension(editor, path) != Written::Ok)
        return false;
    editor.setBDcEdt(false);
    return true;
}

bool viewAsWebPage(uTxm &editor) {
    const QString folder = settings::appValues().wrkDir;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("$Wrk.htm"));
    const bool changed = editor.bDcEdt();
    bool ok = false;
    editor.SaveHtm(0, ok, path);
    editor.setBDcEdt(changed);
    if (ok)
        platform::shell().open(path);
    return false;
}

} // namespace editor::files
