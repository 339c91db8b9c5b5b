#include "editor/pictures/picture_insert.h"

#include "editor/pictures/paste_rules.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"

#include <QDir>

namespace editor {

namespace imaging = platform::imaging;

QString workingFile(const QString &folder, const QByteArray &format) {
    return QDir(folder).filePath(format == "jpeg" ? QStringLiteral("Wrk.jpg")
                                                  : QStringLiteral("Wrk.png"));
}

int insertPictureBytes(const PictureTarget &target, const QByteArray &bytes, const QString &file) {
    const int scale = pictureScale(target.dpi);
    if (target.editorType != 3)
        return target.surface.insertPictureData(bytes, textFlowFor(target.layout), scale, scale);
    const int id = target.surface.insertPictureData(bytes, 0, scale, scale);
    if (id && !file.isEmpty())
        target.surface.setObjectValue(id, platform::TextProp::PictureFileName, file);
    return id;
}

int insertPicture(const PictureTarget &target, imaging::Picture picture, const QString &source) {
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
    return insertPictureBytes(target, bytes, source.isEmpty() ? file : source);
}

int insertPictureFile(const PictureTarget &target, const QString &path) {
    imaging::Picture picture = imaging::loadFile(path, target.textWidth);
    if (picture.isNull())
        return 0;
    const bool ownBytes = picture.format == "jpeg" || picture.format == "png";
    if (ownBytes && picture.image.size() == picture.originalSize && target.reduction == 0)
        return insertPictureBytes(target, picture.encoded, path);
    if (picture.format == "jpeg" && target.reduction == 0) {
        imaging::set96Dpi(picture.image);
        const QByteArray jpeg = imaging::encode(picture.image, "JPEG", 90);
        return jpeg.isEmpty() ? 0 : insertPictureBytes(target, jpeg, path);
    }
    return insertPicture(target, std::move(picture), path);
}

} // namespace editor
