#include "test_images.h"

#include <QBuffer>
#include <QImage>

namespace testsupport {

QByteArray pngBytes(int width, int height, const QColor &color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace testsupport
