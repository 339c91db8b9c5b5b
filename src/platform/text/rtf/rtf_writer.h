#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextListFormat>

class QTextDocument;
class QTextFrame;
class QTextList;
class QTextTable;

// The writer behind rtf::write, split over two files: document structure (rtf_writer.cpp),
// formats and text (rtf_write_formats.cpp).
namespace platform::rtf::detail {

// A paragraph, a table, or the start or end of a text frame, in document order.
struct Entry {
    enum Kind { Block, Table, FrameBegin, FrameEnd };
    Kind kind;
    QTextBlock block;
    QTextFrame *frame;
};

class Writer {
public:
    QByteArray write(const TextContent &content);

private:
    // rtf_writer.cpp
    void story(const QTextDocument &document);
    void paragraph(const QTextBlock &block, const QTextDocument &document, bool inTable,
                   const char *end);
    void table(QTextTable *table, const QTextDocument &document);
    void picture(const QTextImageFormat &format, const QTextDocument &document);
    void openField(const QTextCharFormat &format);
    QByteArray header(const TextContent &content) const;
    int listNumber(QTextList *list);

    // rtf_write_formats.cpp
    void charWords(const QTextCharFormat &format, QTextFormat *rest);
    void blockWords(const QTextBlockFormat &format, QTextFormat *rest);
    void restGroup(const char *name, const QTextFormat &rest);
    void text(QStringView text);
    void number(const char *word, int value);
    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    void delimit(); // ends a control word before text
    void openGroup();
    void closeGroup();
    static QByteArray fallback(char16_t unit);

    QByteArray m_out;
    QStringList m_fonts;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QHash<QTextList *, int> m_lists;
    QList<QTextListFormat> m_listFormats;
    int m_uc = 1;
    QList<int> m_ucStack;
    int m_textWidth = 9000; // twips between the margins
};

} // namespace platform::rtf::detail
