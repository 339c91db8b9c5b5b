#include "html/image_folder.h"

#include <QDir>
#include <QFileInfo>

namespace html {
namespace {

QString stemOf(const QString &fileName) {
    const QFileInfo info(fileName);
    return QDir(info.path()).filePath(info.completeBaseName());
}

} // namespace

QString rewriteImageSources(const QString &body, const QString &fileName) {
    const QString name = QFileInfo(fileName).completeBaseName();
    const QLatin1String src("img src=\"");
    QString folder = QString(name).replace(u' ', QLatin1String("%20")) + QLatin1String("_images");
    qsizetype at = body.indexOf(folder, 0, Qt::CaseInsensitive);
    if (at < 0 && name.contains(u' ')) {
        // An export that leaves spaces in addresses unescaped.
        folder = name + QLatin1String("_images");
        at = body.indexOf(folder, 0, Qt::CaseInsensitive);
    }
    if (at < src.size())
        return body;
    const qsizetype from = body.lastIndexOf(src, at - src.size(), Qt::CaseInsensitive);
    if (from < 0)
        return body;
    const QString prefix = body.mid(from, at + folder.size() - from);
    QString out = body;
    out.replace(prefix, src + name + QLatin1String("_files"), Qt::CaseInsensitive);
    return out;
}

void renameImageFolder(const QString &fileName) {
    const QString stem = stemOf(fileName);
    const QString images = stem + QLatin1String("_images");
    if (!QFileInfo(images).isDir())
        return;
    const QString files = stem + QLatin1String("_files");
    if (QFileInfo(files).isDir())
        QDir(files).removeRecursively();
    QDir().rename(images, files);
}

} // namespace html
