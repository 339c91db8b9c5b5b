#include "editor/files/load_file.h"

#include "editor/files/file_names.h"
#include "editor/interface.h"
#include "editor/settings.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace editor::files {
namespace {

constexpr int LoadSaveAttribute = 37;

// Restores the busy flag the editor had, whatever way the load ends.
class BusyScope {
public:
    explicit BusyScope(uTxm &editor) : m_editor(editor), m_previous(editor.busy()) {
        editor.setBusy(true);
    }
    ~BusyScope() { m_editor.setBusy(m_previous); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    uTxm &m_editor;
    bool m_previous;
};

int filterIndexFor(const QString &name) {
    const QString extension = extensionOf(name);
    if (extension == QLatin1String("doc"))
        return 1;
    if (extension == QLatin1String("docx"))
        return 2;
    if (extension == QLatin1String("rtf"))
        return 3;
    if (extension == QLatin1String("txt"))
        return 4;
    return 1;
}

bool loadIntoEveryFrame(platform::TextSurface &s, const QString &path, int format, QString *error) {
    using S = platform::TextSurface;
    s.selectTextFrame(0);
    QByteArray first;
    bool loaded = false;
    for (int id = s.nextObject(0, S::TextFrameObject); id > 0;
         id = s.nextObject(id, S::TextFrameObject)) {
        if (!s.selectTextFrame(id))
            continue;
        if (!loaded) {
            s.setLoadSaveAttribute(LoadSaveAttribute, true);
            if (!s.loadFile(path, format, false, error))
                return false;
            bool ok = false;
            first = s.saveToMemory(S::Internal, false, &ok);
            if (!ok)
                return false;
            loaded = true;
        } else if (!s.loadFromMemory(first, S::Internal, false, error)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool loadFile(uTxm &editor, const QString &path, bool insert, int selector) {
    if (!fileExists(path))
        return false;
    const int format = loadFormatFor(extensionOf(path));
    if (format == 0)
        return false;
    BusyScope busy(editor);
    platform::TextSurface &s = editor.surface();
    QString error;
    bool ok = false;
    bool wholeDocument = false;
    const QString previousFile = editor.currentFile();
    if (selector < 0) {
        ok = loadIntoEveryFrame(s, path, format, &error);
    } else if (selector > 0) {
        ok = s.selectTextFrame(selector);
        if (ok) {
            s.setLoadSaveAttribute(LoadSaveAttribute, true);
            ok = s.loadFile(path, format, false, &error);
        }
    } else if (insert) {
        const int caret = s.selStart();
        s.setSelLength(0);
        s.setSelText(QStringLiteral("\n\n"));
        s.setSelStart(caret + 1);
        s.setLoadSaveAttribute(LoadSaveAttribute, true);
        ok = s.loadFile(path, format, true, &error);
        if (ok)
            s.setSelText(QStringLiteral("\n"));
    } else {
        editor.startNewDocument(FileOpenedLoad);
        s.setLoadSaveAttribute(LoadSaveAttribute, true);
        ok = s.loadFile(path, format, false, &error);
        wholeDocument = true;
    }
    editor.disarmSnapshot();
    editor.view()->refresh();
    if (!ok) {
        editor.setCurrentFile(previousFile);
        platform::dialogs().message(QStringLiteral("ﾌｧｲﾙ: ") + path +
                                    QStringLiteral(" を読み込めません｡"));
        return false;
    }
    // Only a file that became the whole document is the one a later save writes back to: a file
    // inserted or put into text frames must never be overwritten with the whole document.
    if (wholeDocument)
        editor.setCurrentFile(path);
    editor.setBDcEdt(false);
    return true;
}

QString proposedWorkFile(const QString &workFolder) {
    if (workFolder.isEmpty())
        return {};
    const QFileInfoList entries = QDir(workFolder).entryInfoList(QDir::Files);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().compare(QLatin1String("temp.doc"), Qt::CaseInsensitive) != 0)
            continue;
        const QString format = QStringLiteral("yyyy/MM");
        if (entry.lastModified().toString(format) == QDate::currentDate().toString(format))
            return entry.absoluteFilePath();
    }
    return {};
}

bool openDialog(uTxm &editor, bool skipProposal, bool insert, int selector) {
    editor.txIME(false);
    platform::FileRequest request;
    request.title = QStringLiteral("文書の読み込み");
    request.filter = filter::Doc + filter::Docx + filter::Rtf + filter::Txt + filter::HtmlDocument;
    request.fileName = editor.dialogFileName();
    request.folder = editor.lastFolder();
    request.mustExist = true;
    if (!skipProposal) {
        const QString workFolder = settings::appValues().wrkDir;
        const QString proposal = proposedWorkFile(workFolder);
        if (!proposal.isEmpty()) {
            request.fileName = proposal;
            request.folder = workFolder;
        }
        request.filterIndex = request.fileName.isEmpty() ? 1 : filterIndexFor(request.fileName);
    }
    const platform::FileAnswer answer = platform::dialogs().openFile(request);
    if (!answer.accepted)
        return false;
    editor.setDialogFileName(answer.path);
    const bool loaded = loadFile(editor, answer.path, insert, selector);
    editor.setBDcEdt(false);
    return loaded;
}

} // namespace editor::files
