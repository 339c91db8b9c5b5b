#include "editor/pictures/embedded_object.h"

#include "platform/imaging/imaging.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

namespace editor {

namespace {

// Trailer: file bytes, name in UTF-8, name length (4 bytes), file length (8 bytes), magic.
constexpr char kMagic[] = "drJvoOBJ";
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kTrailerSize = 4 + 8 + kMagicSize;
constexpr qsizetype kMaxNameBytes = 1024;

// The name as it may stand in a file name: no folders, no leading dots.
QString safeName(const QString &name) {
    QString base = QFileInfo(name).fileName();
    base.replace(QLatin1Char('\\'), QLatin1Char('_'));
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    return base.isEmpty() ? QStringLiteral("object") : base;
}

} // namespace

QImage objectIcon(const QString &fileName) {
    const QString name = safeName(fileName);
    QIcon icon = QIcon::fromTheme(
        QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).iconName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(QFileIconProvider::File);
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(name, Qt::ElideMiddle, 160);
    const int width = qMax(64, metrics.horizontalAdvance(shown) + 8);
    QImage image(width, 48 + 8 + metrics.height() + 4, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    icon.paint(&painter, QRect((width - 48) / 2, 4, 48, 48));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 56, width, metrics.height() + 2), Qt::AlignHCenter, shown);
    painter.end();
    platform::imaging::set96Dpi(image);
    return image;
}

QByteArray packEmbedded(const EmbeddedFile &file) {
    if (file.bytes.size() > kMaxEmbeddedBytes)
        return {};
    QByteArray out = platform::imaging::encode(objectIcon(file.name), "PNG");
    if (out.isEmpty())
        return {};
    const QByteArray name = safeName(file.name).toUtf8().left(kMaxNameBytes);
    out += file.bytes;
    out += name;
    char lengths[12];
    qToBigEndian<quint32>(quint32(name.size()), lengths);
    qToBigEndian<quint64>(quint64(file.bytes.size()), lengths + 4);
    out.append(lengths, sizeof lengths);
    out.append(kMagic, kMagicSize);
    return out;
}

std::optional<EmbeddedFile> unpackEmbedded(const QByteArray &picture) {
    const qsizetype total = picture.size();
    if (total < kTrailerSize || !picture.endsWith(QByteArray(kMagic, kMagicSize)))
        return std::nullopt;
    const char *trailer = picture.constData() + total - kTrailerSize;
    const quint32 nameSize = qFromBigEndian<quint32>(trailer);
    const quint64 fileSize = qFromBigEndian<quint64>(trailer + 4);
    if (nameSize > kMaxNameBytes || fileSize > quint64(kMaxEmbeddedBytes) ||
        qint64(nameSize + fileSize) > total - kTrailerSize)
        return std::nullopt;
    const qsizetype nameStart = total - kTrailerSize - nameSize;
    const qsizetype fileStart = nameStart - qsizetype(fileSize);
    EmbeddedFile file;
    file.name = safeName(QString::fromUtf8(picture.mid(nameStart, nameSize)));
    file.bytes = picture.mid(fileStart, qsizetype(fileSize));
    return file;
}

QString extractEmbedded(const EmbeddedFile &file, const QString &folder) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return {};
    const QFileInfo info(safeName(file.name));
    QString path = dir.filePath(info.fileName());
    for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n)
        path = dir.filePath(
            QStringLiteral("%1 (%2)%3")
                .arg(info.completeBaseName())
                .arg(n)
                .arg(info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix()));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() ||
        !out.commit())
        return {};
    return path;
}

} // namespace editor
