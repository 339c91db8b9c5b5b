#include "editor/import/text_import.h"

#include "editor/files/file_names.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"

#include <QFileInfo>

namespace editor::textimport {

bool readPlainText(const QString &path, QString *text) {
    text->clear();
    const int format = files::loadFormatFor(files::extensionOf(path));
    if (format == 0)
        return true;
    platform::TextSurface scratch;
    if (!scratch.loadFile(path, format))
        return false;
    QString plain = scratch.text();
    plain.remove(QChar(1));
    plain.replace(QChar(10), QChar(11));
    *text = plain;
    return true;
}

bool insertTextFile(uTxm &editor) {
    editor.txIME(false);
    platform::FileRequest request;
    request.title = QStringLiteral("ﾃｷｽﾄの挿入");
    request.filter = files::filter::Txt + files::filter::Doc + files::filter::Docx +
                     files::filter::Rtf + files::filter::HtmlDocument;
    request.folder = editor.lastFolder();
    request.mustExist = true;
    const platform::FileAnswer answer = platform::dialogs().openFile(request);
    if (!answer.accepted)
        return false;
    QString text;
    if (!readPlainText(answer.path, &text)) {
        platform::dialogs().message(QStringLiteral("ﾌｧｲﾙ: ") + answer.path +
                                    QStringLiteral(" をｲﾝﾎﾟｰﾄできません｡"));
        return false;
    }
    editor.surface().setSelText(text);
    return true;
}

} // namespace editor::textimport
