#pragma once

#include <QTextDocument>

namespace platform {

// Pictures larger than this are refused wherever they enter a document: decoding one would take
// gigabytes, and no photo a diary holds comes near it.
constexpr qint64 MaxPicturePixels = 64'000'000;
constexpr qint64 MaxPictureBytes = 64 * 1024 * 1024;

// True when bytes are a picture Qt can decode, within the limits above (read from the header,
// nothing is decoded).
bool acceptablePicture(const QByteArray &bytes);
// False only for bytes whose header names more pixels than the limit. Pictures Qt cannot decode
// (metafiles of other programs) pass: they are kept for writing back and never decoded.
bool picturePixelsWithinLimit(const QByteArray &bytes);

// A document that never reads the disk by itself. QTextDocument would load any file a picture or
// style sheet in markup names (file:///etc/passwd included) and keep its bytes. Here pictures come
// only from "data:" addresses, or from the folder of a file the user opened (and below it); style
// sheets never; and only bytes that decode as a picture within the limits are taken.
class GuardedDocument : public QTextDocument {
public:
    explicit GuardedDocument(QObject *parent = nullptr) : QTextDocument(parent) {}

    // The folder pictures named by relative or file addresses may come from; empty: none.
    void allowPicturesFrom(const QString &folder);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QByteArray localPicture(const QUrl &name) const;

    QString m_folder;
};

} // namespace platform
