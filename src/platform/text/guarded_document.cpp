#include "platform/text/guarded_document.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace platform {
namespace {

QByteArray dataAddressBytes(const QUrl &name) {
    // data:[<type>][;base64],<payload>
    const QByteArray address = name.toEncoded();
    const qsizetype comma = address.indexOf(',');
    if (comma < 0 || address.size() > MaxPictureBytes * 2)
        return {};
    const QByteArray head = address.left(comma);
    const QByteArray payload = address.mid(comma + 1);
    return head.endsWith(";base64")
               ? QByteArray::fromBase64(QByteArray::fromPercentEncoding(payload))
               : QByteArray::fromPercentEncoding(payload);
}

} // namespace

bool acceptablePicture(const QByteArray &bytes) {
    if (bytes.isEmpty() || bytes.size() > MaxPictureBytes)
        return false;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return false;
    const QSize size = reader.size();
    return size.isValid() && qint64(size.width()) * size.height() <= MaxPicturePixels;
}

bool picturePixelsWithinLimit(const QByteArray &bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    return !size.isValid() || qint64(size.width()) * size.height() <= MaxPicturePixels;
}

void GuardedDocument::allowPicturesFrom(const QString &folder) {
    m_folder = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
}

QByteArray GuardedDocument::localPicture(const QUrl &name) const {
    if (m_folder.isEmpty())
        return {};
    const QUrl address = name.isRelative() ? baseUrl().resolved(name) : name;
    if (!address.isLocalFile())
        return {};
    const QString path = QFileInfo(address.toLocalFile()).canonicalFilePath();
    if (path.isEmpty() || !path.startsWith(m_folder + u'/'))
        return {};
    QFile file(path);
    if (file.size() > MaxPictureBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(MaxPictureBytes);
}

QVariant GuardedDocument::loadResource(int type, const QUrl &name) {
    if (type != QTextDocument::ImageResource)
        return {};
    const QByteArray bytes = name.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0
                                 ? dataAddressBytes(name)
                                 : localPicture(name);
    if (!acceptablePicture(bytes))
        return {};
    addResource(type, name, bytes);
    return bytes;
}

} // namespace platform
