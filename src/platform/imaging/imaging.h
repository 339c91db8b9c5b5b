#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QMimeData;

namespace platform::imaging {

// Pictures from outside are bounded before they are decoded: a file or clipboard payload larger
// than kMaxEncodedBytes is refused, and a picture of more than kMaxDecodedPixels is decoded
// already scaled down by the reader, so a huge picture never sits in memory whole.
constexpr qint64 kMaxEncodedBytes = 256 * 1024 * 1024;
constexpr qint64 kMaxDecodedPixels = 24'000'000;
// Side of the largest square a metafile (SVG) is ever rendered at.
constexpr int kMaxRenderSide = 8000;

// The image component's colour reduction modes.
enum Reduction { NoReduction = 0, Grey8 = 8, Palette256 = 80 };

// A decoded picture and, when it came from a file or from encoded bytes, those bytes and their
// format ("jpeg", "png", ...) so that the caller can keep them instead of re-encoding.
struct Picture {
    QImage image;
    QByteArray encoded;
    QByteArray format;
    QSize originalSize; // before any scaling on decode
    bool isNull() const { return image.isNull(); }
};

// Decodes encoded bytes or a file; when maxWidth > 0 a wider picture is decoded straight to that
// width. Null on failure.
Picture load(const QByteArray &encoded, int maxWidth = 0);
Picture loadFile(const QString &path, int maxWidth = 0);

// Bits per pixel as the component counts them: 1, 8 (indexed or grey), 24 or 32.
int bitsPerPixel(const QImage &image);
// 1, 4, 8 and 24 bit pictures are kept; anything else becomes 24 bits drawn on white.
QImage normalised(const QImage &image);
QImage on24BitWhite(const QImage &image);
QImage reduced(const QImage &image, Reduction mode);
// Resolution metadata of 96 pixels per inch.
void set96Dpi(QImage &image);
// Scaled to width (smooth), keeping the aspect ratio; unchanged when not wider.
QImage fitWidth(const QImage &image, int width);

// Encodes as "PNG" or "JPEG"; empty on failure.
QByteArray encode(const QImage &image, const char *format, int quality = -1);
// The compact stored form of a picture: PNG, or JPEG when the picture is opaque and JPEG is much
// smaller (photos).
QByteArray encodeCompact(const QImage &image, QByteArray *format = nullptr);
bool writeFile(const QByteArray &bytes, const QString &path);

// Renders an SVG drawing at size (its own size when size is empty). Null on failure.
QImage renderSvg(const QByteArray &svg, QSize size = {});
QSize svgSize(const QByteArray &svg);

// What the clipboard offers, in the order the paste checks it.
struct ClipboardCheck {
    bool text = false;     // plain text, rich text or HTML
    bool bitmap = false;   // an image
    bool metafile = false; // image/svg+xml
    bool link = false;     // text/uri-list naming a local picture file
};
ClipboardCheck check(const QMimeData *data);
// The clipboard import: a linked picture file, else an image, converted to 24 bits on white.
// maxWidth as for load.
Picture importClipboard(const QMimeData *data, int maxWidth = 0);
QByteArray clipboardSvg(const QMimeData *data);

} // namespace platform::imaging
