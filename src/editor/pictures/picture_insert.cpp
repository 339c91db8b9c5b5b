#include "editor/pictures/picture_insert.h"

#include "editor/pictures/paste_rules.h"
#include "platform/text/text_surface.h"

#include <QDir>

namespace editor {

namespace imaging = platform::imaging;

QString workingFile(const QString &folder, const QByteArray &format) {
    return QDir(folder).filePath(format == "jpeg" ? QStringLiteral("Wrk.jpg")
                                                  : QStringLiteral("Wrk.png"));
}

int insertPictureBytes(const PictureTarget &target, const QByteArray &bytes) {
    const int scale = pictureScale(target.dpi);
    if (target.editorType == 3)
        return target.surface.insertPictureData(bytes, 0, scale, scale);
    return target.surface.insertPictureData(bytes, textFlowFor(target.layout), scale, scale);
}

int insertPicture(const PictureTarget &target, imaging::Picture picture) {
    if (picture.isNull())
        return 0;
    QImage image = imaging::fitWidth(picture.image, target.textWidth);
    image = imaging::normalised(image);
    imaging::set96Dpi(image);
    if (target.reduction == 1)
        image = imaging::reduced(image, imaging::Grey8);
    else if (target.reduction == 2)
        image = imaging::reduced(image, imaging::Palette256);
    QByteArray format;
    const QByteArray bytes = imaging::encodeCompact(image, &format);
    // The working file is what the document takes in; a failed write inserts nothing.
    const QString file = workingFile(target.workFolder, format);
    if (!imaging::writeFile(bytes, file))
        return 0;
    return insertPictureBytes(target, bytes);
}

int insertPictureFile(const PictureTarget &target, const QString &path) {
    imaging::Picture picture = imaging::loadFile(path, target.textWidth);
    if (picture.isNull())
        return 0;
    const bool ownBytes = picture.format == "jpeg" || picture.format == "png";
    if (ownBytes && picture.image.size() == picture.originalSize && target.reduction == 0)
        return insertPictureBytes(target, picture.encoded);
    if (picture.format == "jpeg" && target.reduction == 0) {
        imaging::set96Dpi(picture.image);
        const QByteArray jpeg = imaging::encode(picture.image, "JPEG", 90);
        return jpeg.isEmpty() ? 0 : insertPictureBytes(target, jpeg);
    }
    return insertPicture(target, std::move(picture));
}

} // namespace editor
