#pragma once

#include "platform/text/text_surface.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QTextDocument>

#include <array>

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

// A content that owns its main document and its four header and footer documents.
struct OwnedContent {
    QTextDocument main;
    std::array<QTextDocument, 4> areas;
    platform::TextContent content;

    OwnedContent() {
        content.main = &main;
        for (std::size_t i = 0; i < areas.size(); ++i)
            content.areas[i] = &areas[i];
    }
    OwnedContent(const OwnedContent &) = delete;
    OwnedContent &operator=(const OwnedContent &) = delete;
};

// Puts the caret at the end of the edited text.
inline void toEnd(platform::TextSurface &surface) {
    surface.setSelStart(surface.textLength());
}

} // namespace textsurfacetest
