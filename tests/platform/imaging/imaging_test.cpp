#include "platform/imaging/imaging.h"
#include "test_images.h"

#include <QBuffer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace platform::imaging;

namespace {

QByteArray jpegBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes;
}

// A PNG whose header claims a size far beyond any real picture, with no pixel data.
QByteArray claimedPng(quint32 width, quint32 height) {
    QByteArray ihdr("IHDR");
    char dims[8];
    qToBigEndian(width, dims);
    qToBigEndian(height, dims + 4);
    ihdr.append(dims, 8);
    ihdr.append("\x08\x02\x00\x00\x00", 5);
    char length[4];
    qToBigEndian<quint32>(13, length);
    char crc[4];
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(ihdr.constData()), uInt(ihdr.size()))),
        crc);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(length, 4) + ihdr + QByteArray(crc, 4);
}

} // namespace

TEST(Imaging, LoadsBoundedAndNarrowedWithoutDecodingWhole) {
    const QByteArray photo = jpegBytes(4000, 3000);
    const Picture narrowed = load(photo, 721);
    ASSERT_FALSE(narrowed.isNull());
    EXPECT_EQ(narrowed.image.width(), 721);
    EXPECT_EQ(narrowed.image.height(), 540);
    EXPECT_EQ(narrowed.originalSize, QSize(4000, 3000));
    EXPECT_EQ(narrowed.format, "jpeg");
    EXPECT_EQ(narrowed.encoded, photo);

    // A header claiming 100000 x 100000 pixels neither allocates that nor passes as a picture.
    EXPECT_TRUE(load(claimedPng(100000, 100000)).isNull());
    EXPECT_TRUE(load(QByteArray("not a picture")).isNull());
    EXPECT_TRUE(loadFile(QStringLiteral("/no/such/file.png")).isNull());
}

TEST(Imaging, NormalisesReducesAndSetsResolution) {
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(Qt::transparent);
    const QImage flat = normalised(argb);
    EXPECT_EQ(bitsPerPixel(flat), 24);
    EXPECT_EQ(flat.pixelColor(0, 0), QColor(Qt::white));

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0)});
    indexed.fill(1);
    EXPECT_EQ(normalised(indexed).format(), QImage::Format_Indexed8);
    QImage mono(4, 4, QImage::Format_Mono);
    EXPECT_EQ(bitsPerPixel(normalised(mono)), 1);

    QImage colours(64, 64, QImage::Format_RGB888);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            colours.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    EXPECT_EQ(reduced(colours, Grey8).format(), QImage::Format_Grayscale8);
    const QImage palette = reduced(colours, Palette256);
    EXPECT_EQ(palette.format(), QImage::Format_Indexed8);
    EXPECT_LE(palette.colorCount(), 256);
    EXPECT_EQ(reduced(colours, NoReduction), colours);

    set96Dpi(colours);
    EXPECT_NEAR(colours.dotsPerMeterX() * 0.0254, 96, 0.1);
    EXPECT_EQ(fitWidth(colours, 32).size(), QSize(32, 32));
    EXPECT_EQ(fitWidth(colours, 100).size(), QSize(64, 64));
}

TEST(Imaging, StoresPhotosAsJpegAndDrawingsAsPng) {
    QImage photo(800, 600, QImage::Format_RGB888);
    quint32 state = 7;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int(state >> 27);
            photo.setPixel(x, y, qRgb((x / 4 + noise) & 255, (y / 3 + noise) & 255, 128 + noise));
        }
    QByteArray format;
    const QByteArray stored = encodeCompact(photo, &format);
    EXPECT_EQ(format, "jpeg");
    EXPECT_LT(stored.size(), 200 * 1024);

    QImage drawing(800, 600, QImage::Format_RGB888);
    drawing.fill(Qt::white);
    encodeCompact(drawing, &format);
    EXPECT_EQ(format, "png");
}

TEST(Imaging, ChecksAndImportsClipboardContents) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("a.png"));
    {
        QFile f(picture);
        f.open(QIODevice::WriteOnly);
        f.write(testsupport::pngBytes(50, 20, Qt::red));
    }
    const QString text = dir.filePath(QStringLiteral("a.txt"));
    QFile(text).open(QIODevice::WriteOnly);

    QMimeData plain;
    plain.setText(QStringLiteral("x"));
    const ClipboardCheck t = check(&plain);
    EXPECT_TRUE(t.text);
    EXPECT_FALSE(t.bitmap || t.metafile || t.link);

    QMimeData png;
    png.setData(QStringLiteral("image/png"), testsupport::pngBytes(30, 10, Qt::blue));
    EXPECT_TRUE(check(&png).bitmap);
    const Picture fromPng = importClipboard(&png);
    EXPECT_EQ(fromPng.image.size(), QSize(30, 10));
    EXPECT_EQ(bitsPerPixel(fromPng.image), 24);

    QMimeData svg;
    svg.setData(QStringLiteral("image/svg+xml"),
                "<svg xmlns='http://www.w3.org/2000/svg' width='120' height='60'>"
                "<rect width='120' height='60' fill='red'/></svg>");
    const ClipboardCheck s = check(&svg);
    EXPECT_TRUE(s.metafile);
    EXPECT_FALSE(s.bitmap);
    EXPECT_EQ(svgSize(clipboardSvg(&svg)), QSize(120, 60));
    EXPECT_EQ(renderSvg(clipboardSvg(&svg), QSize(60, 30)).pixelColor(30, 15), QColor(Qt::red));

    QMimeData link;
    link.setUrls({QUrl::fromLocalFile(picture)});
    EXPECT_TRUE(check(&link).link);
    EXPECT_EQ(importClipboard(&link, 25).image.size(), QSize(25, 10));
    QMimeData notPicture;
    notPicture.setUrls({QUrl::fromLocalFile(text)});
    EXPECT_FALSE(check(&notPicture).link);
    EXPECT_TRUE(importClipboard(&notPicture).isNull());
}
