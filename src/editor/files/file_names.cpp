#include "editor/files/file_names.h"

#include "editor/interface.h"
#include "platform/shell.h"
#include "platform/text/text_surface.h"

#include <QDir>
#include <QFileInfo>

namespace editor::files {

QString extensionOf(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = name.mid(dot + 1).toLower();
    return extension == QLatin1String("html") ? QStringLiteral("htm") : extension;
}

int loadFormatFor(const QString &extension) {
    using S = platform::TextSurface;
    if (extension == QLatin1String("txt"))
        return S::PlainText;
    if (extension == QLatin1String("htm"))
        return S::Html;
    if (extension == QLatin1String("rtf"))
        return S::Rtf;
    if (extension == QLatin1String("doc"))
        return S::Word97;
    if (extension == QLatin1String("docx"))
        return S::Docx;
    return 0;
}

int saveFormatFor(const QString &extension) {
    if (extension == QLatin1String("pdf"))
        return platform::TextSurface::Pdf;
    return loadFormatFor(extension);
}

QString withDefaultExtension(const QString &path) {
    if (QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + QStringLiteral(".doc");
}

bool fileExists(const QString &path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString fillLastFolder(uTxm &editor) {
    if (!editor.lastFolder().isEmpty())
        return editor.lastFolder();
    QString folder;
    emit editor.QueryFolder(folder);
    if (folder.isEmpty())
        folder = platform::shell().specialFolder(5);
    editor.setLastFolder(folder);
    return folder;
}

} // namespace editor::files
