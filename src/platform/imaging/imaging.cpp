#include "platform/imaging/imaging.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QUrl>

#include <cmath>

namespace platform::imaging {

namespace {

// The size to decode at: at most maxWidth wide and at most kMaxDecodedPixels in all.
QSize decodeSize(QSize size, int maxWidth) {
    if (maxWidth > 0 && size.width() > maxWidth)
        size = QSize(maxWidth, qMax(1, int(qint64(size.height()) * maxWidth / size.width())));
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > kMaxDecodedPixels) {
        const double f = std::sqrt(double(kMaxDecodedPixels) / double(pixels));
        size = QSize(qMax(1, int(size.width() * f)), qMax(1, int(size.height() * f)));
    }
    return size;
}

Picture read(QIODevice *device, QByteArray encoded, int maxWidth) {
    Picture picture;
    QImageReader reader(device);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return picture;
    // The reader scales before it turns the picture upright.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? size.transposed() : size;
    const QSize wanted = decodeSize(upright, maxWidth);
    if (wanted != upright)
        reader.setScaledSize(turned ? wanted.transposed() : wanted);
    picture.format = reader.format();
    if (!reader.read(&picture.image)) {
        picture.image = QImage();
        return picture;
    }
    picture.originalSize = upright;
    picture.encoded = std::move(encoded);
    return picture;
}

bool isPictureFile(const QUrl &url) {
    if (!url.isLocalFile())
        return false;
    const QFileInfo info(url.toLocalFile());
    return info.isFile() && !QImageReader::imageFormat(info.filePath()).isEmpty();
}

} // namespace

Picture load(const QByteArray &encoded, int maxWidth) {
    if (encoded.isEmpty() || encoded.size() > kMaxEncodedBytes)
        return {};
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer, encoded, maxWidth);
}

Picture loadFile(const QString &path, int maxWidth) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEncodedBytes)
        return {};
    return load(file.readAll(), maxWidth);
}

int bitsPerPixel(const QImage &image) {
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return 1;
    return image.depth();
}

QImage on24BitWhite(const QImage &image) {
    if (image.isNull())
        return {};
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage out(image.size(), QImage::Format_RGB888);
    out.fill(Qt::white);
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    painter.end();
    return out;
}

QImage normalised(const QImage &image) {
    const int bits = bitsPerPixel(image);
    if (bits == 1 || bits == 8 || image.format() == QImage::Format_RGB888)
        return image;
    return on24BitWhite(image);
}

QImage reduced(const QImage &image, Reduction mode) {
    switch (mode) {
    case Grey8:
        return image.convertToFormat(QImage::Format_Grayscale8);
    case Palette256:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    case NoReduction:
        break;
    }
    return image;
}

void set96Dpi(QImage &image) {
    const int dpm = qRound(96 / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
}

QImage fitWidth(const QImage &image, int width) {
    if (width <= 0 || image.width() <= width)
        return image;
    return image.scaledToWidth(width, Qt::SmoothTransformation);
}

QByteArray encode(const QImage &image, const char *format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return bytes;
}

QByteArray encodeCompact(const QImage &image, QByteArray *format) {
    // Drawings and screenshots stay PNG; a photo is many times smaller as JPEG. The quick PNG
    // (compression level 1) only decides; a PNG that is kept is written at the normal level.
    constexpr qsizetype kSmallEnough = 200 * 1024;
    const QByteArray quick = encode(image, "PNG", 80);
    if (quick.size() > kSmallEnough && !image.hasAlphaChannel() && bitsPerPixel(image) >= 24) {
        QByteArray jpeg = encode(image, "JPEG", 90);
        if (!jpeg.isEmpty() && jpeg.size() * 2 < quick.size()) {
            if (format)
                *format = "jpeg";
            return jpeg;
        }
    }
    if (format)
        *format = "png";
    return encode(image, "PNG");
}

bool writeFile(const QByteArray &bytes, const QString &path) {
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QSize svgSize(const QByteArray &svg) {
    if (svg.isEmpty() || svg.size() > kMaxEncodedBytes)
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = renderer.viewBoxF().size().toSize();
    return size.isEmpty() ? QSize() : size;
}

QImage renderSvg(const QByteArray &svg, QSize size) {
    if (svg.isEmpty() || svg.size() > kMaxEncodedBytes)
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = svgSize(svg);
    if (size.isEmpty())
        return {};
    size = size.boundedTo(QSize(kMaxRenderSide, kMaxRenderSide)).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    set96Dpi(image);
    return image;
}

ClipboardCheck check(const QMimeData *data) {
    ClipboardCheck c;
    if (!data)
        return c;
    c.text = data->hasText() || data->hasHtml() || data->hasFormat(QStringLiteral("text/rtf"));
    c.metafile = data->hasFormat(QStringLiteral("image/svg+xml"));
    c.bitmap = data->hasImage();
    if (!c.bitmap) {
        const QStringList formats = data->formats();
        for (const QString &f : formats)
            if (f.startsWith(QStringLiteral("image/")) && f != QStringLiteral("image/svg+xml"))
                c.bitmap = true;
    }
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        c.link = !urls.isEmpty() && isPictureFile(urls.first());
    }
    return c;
}

Picture importClipboard(const QMimeData *data, int maxWidth) {
    if (!data)
        return {};
    Picture picture;
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        if (!urls.isEmpty() && isPictureFile(urls.first()))
            picture = loadFile(urls.first().toLocalFile(), maxWidth);
    }
    if (picture.isNull()) {
        // Encoded bytes are decoded with the bounds above; Qt's own image object comes last.
        const QStringList formats = data->formats();
        for (const QString &f : formats) {
            if (!f.startsWith(QStringLiteral("image/")) || f == QStringLiteral("image/svg+xml"))
                continue;
            picture = load(data->data(f), maxWidth);
            if (!picture.isNull())
                break;
        }
    }
    if (picture.isNull() && data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull()) {
            picture.originalSize = image.size();
            picture.image = fitWidth(image, maxWidth);
        }
    }
    if (!picture.isNull())
        picture.image = on24BitWhite(picture.image);
    return picture;
}

QByteArray clipboardSvg(const QMimeData *data) {
    if (!data || !data->hasFormat(QStringLiteral("image/svg+xml")))
        return {};
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    return svg.size() > kMaxEncodedBytes ? QByteArray() : svg;
}

} // namespace platform::imaging
