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

// A link, a numbered list and a table at the end of the text.
inline void appendStructures(platform::TextSurface &s) {
    toEnd(s);
    const int link = s.insertField(QStringLiteral("link"));
    s.setFieldData(QStringLiteral("https://example.org/"), link);
    s.setFieldLinkKind(1, link);
    s.setSelText(QStringLiteral(" text\nitem one\nitem two\n"));
    s.select(s.textLength() - 18, 17);
    s.setListState(platform::TextSurface::NumberedList);
    toEnd(s);
    const int table = s.insertTable(2, 2);
    s.setCellText(table, 1, 1, QStringLiteral("cell"));
    toEnd(s);
}

// A long entry as our Word writer writes it: page values of its own, a header and a footer, and
// lists, tables and links both near its start and far down.
inline QByteArray longEntry() {
    platform::TextSurface s;
    platform::PageSetup page;
    page.width = 11906;
    page.height = 16838;
    page.marginLeft = 1400;
    page.marginTop = 1200;
    page.headerFooterBits = platform::HeaderEveryPage | platform::FooterEveryPage;
    s.setPage(page);
    s.setSelText(QStringLiteral("長い日記\n"));
    appendStructures(s);
    QString lines;
    for (int i = 0; i < 1000; ++i)
        lines +=
            QStringLiteral("%1 行目、今日も長い日記を書いた。A long entry, line by line.\n").arg(i);
    s.setSelText(lines);
    appendStructures(s);
    s.setActiveArea(platform::HeaderEveryPage);
    s.setSelText(QStringLiteral("ヘッダー"));
    s.setActiveArea(platform::FooterEveryPage);
    s.setSelText(QStringLiteral("フッター"));
    s.setActiveArea(0);
    return s.saveToMemory(platform::TextSurface::Docx);
}

} // namespace textsurfacetest
