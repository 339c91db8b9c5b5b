// The editor's public save-as and HTML operations.
#include "editor/files/file_names.h"
#include "editor/files/write_file.h"
#include "editor/interface.h"
#include "editor/markers/tooltip_list.h"
#include "html/surface_export.h"
#include "html/yhtm.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/text/text_surface.h"

#include <QDir>
#include <QFileInfo>

namespace editor {

namespace {

// The dialog's name from its last use, without its extension.
QString previousName(const QString &dialogFileName) {
    const QString name = QFileInfo(dialogFileName).fileName();
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

} // namespace

int uTxm::textFrameSelector() const {
    return m_allTextFrames ? -1 : m_surface->selectedTextFrame();
}

html::yHtm &uTxm::htmlConverter() {
    if (!m_htm)
        m_htm = std::make_unique<html::yHtm>(m_styles);
    return *m_htm;
}

void uTxm::txSaveAs(QVariant &vFL, bool bNoAct) {
    QString path = vFL.isNull() ? QString() : vFL.toString().trimmed();
    if (path.isEmpty()) {
        files::fillLastFolder(*this);
        txIME(false);
        platform::FileRequest request;
        request.title = QStringLiteral("文書の保存");
        request.filter = files::filter::Doc + files::filter::Docx + files::filter::Rtf +
                         QStringLiteral("HTML (*.htm;*.html)|*.htm;*.html|") +
                         QStringLiteral("ｱｸﾛﾊﾞｯﾄPDF(*.pdf)|*.pdf|") + files::filter::Txt.chopped(1);
        request.filterIndex = m_type == 4 ? 4 : 1;
        request.folder = m_lastFolder;
        request.fileName = previousName(m_dialogFileName);
        request.mustExist = false;
        const platform::FileAnswer answer = platform::dialogs().saveFile(request);
        if (!answer.accepted)
            return;
        m_dialogFileName = answer.path;
        path = answer.path;
    }
    m_lastFolder = QFileInfo(path).absolutePath();
    QDir().mkpath(m_lastFolder);
    path = files::withDefaultExtension(path);

    const bool html = files::extensionOf(path) == QLatin1String("htm");
    // A format nobody writes, or a write that failed, leaves the document as unsaved as it was.
    if (files::writeByExtension(*this, path) != files::Written::Ok)
        return;
    vFL = path;
    emit FileSaved(path);
    setBDcEdt(false);
    if (!bNoAct && html &&
        platform::dialogs().message(path + QStringLiteral(" に出力しました　起動しますか"),
                                    platform::Buttons::YesNo,
                                    platform::Icon::Question) == platform::Answer::Yes)
        platform::shell().open(path);
}

void uTxm::SaveHtm(int, bool &bOk, const QVariant &vFL) {
    bOk = false;
    QString path = vFL.isNull() ? m_currentFile : vFL.toString();
    if (path.isEmpty()) {
        files::fillLastFolder(*this);
        txIME(false);
        platform::FileRequest request;
        request.title = QStringLiteral("名前を付けて保存");
        request.filter = files::filter::HtmlDocument;
        request.folder = m_lastFolder;
        request.mustExist = false;
        const platform::FileAnswer answer = platform::dialogs().saveFile(request);
        if (!answer.accepted)
            return;
        m_dialogFileName = answer.path;
        path = answer.path;
    }
    const html::HtmStatus status = htmlConverter().cSaveHtm(html::surfaceExport(*m_surface), false,
                                                            path, tooltipList(*m_surface), Title());
    if (!status.ok()) {
        platform::dialogs().message(status.message.isEmpty() ? files::saveFailedMessage(path)
                                                             : status.message,
                                    platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    setBDcEdt(false);
    bOk = true;
}

} // namespace editor
