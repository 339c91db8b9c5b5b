#pragma once

#include "platform/text/text_surface.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

namespace textsurfacetest {

inline QByteArray pngBytes(int width = 20, int height = 10, QColor color = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray jpegBytes() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// Puts the caret at the end of the edited text.
inline void toEnd(platform::TextSurface &surface) {
    surface.setSelStart(surface.textLength());
}

} // namespace textsurfacetest
