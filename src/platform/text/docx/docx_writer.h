#pragma once

#include "docx_common.h"
#include "docx_formats.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTextListFormat>
#include <QXmlStreamWriter>

#include <functional>

class QTextBlock;
class QTextDocument;
class QTextFrame;
class QTextList;
class QTextTable;

namespace platform::docx::detail {

struct Relationship {
    QString id;
    QString type; // last segment of the relationship type
    QString target;
    bool external = false;
};

// What the parts of one package share while they are written.
struct PackageState {
    struct Media {
        QString path; // inside word/
        QByteArray bytes;
    };
    QList<Media> media;
    QHash<QPair<const QTextDocument *, QString>, int> mediaByName;
    QList<QPair<int, FieldRecord>> fields;
    QList<QPair<int, ObjectRecord>> objects;
    QSet<QString> tagBookmarks;
    QHash<const QTextList *, int> numIds;
    QList<QTextListFormat> lists; // by numId - 1
    // Notes whose reference is written, by (kind, NoteId): their w:id, and the keys per kind
    // (footnotes, endnotes) in the order the references stand.
    QHash<QPair<int, int>, int> noteIds;
    QList<QPair<int, int>> noteOrder[2];
    int nextBookmark = 1;
    int nextDrawing = 1;
    int textWidthTwips = 9000; // body width, for relative table and frame widths
};

// Writes one document (main text, header or footer) as one part.
class PartWriter {
public:
    PartWriter(PackageState &package, const QTextDocument &document);

    // root: "document", "hdr" or "ftr"; sectPr is written at the end of the body when given.
    QByteArray write(QLatin1StringView root, const std::function<void(QXmlStreamWriter &)> &sectPr);
    // The footnotes (kind 1) or endnotes (2) part: the note bodies whose references the main
    // text's part has written, in that order.
    QByteArray writeNotes(int kind);
    const QList<Relationship> &relationships() const { return m_rels; }

private:
    void beginPart(QLatin1StringView root);
    QByteArray endPart();
    void writeFrameContent(const QTextFrame *frame);
    template <typename Iterator> void writeItems(Iterator it);
    void writeParagraph(const QTextBlock &block, const QTextFrame *anchored);
    void writeText(const QString &text);
    void flushRun();
    void flushRuby();
    void flushAll();
    bool writeNoteMark(const QTextCharFormat &run, const QString &text);
    bool isDivertedNote(const QTextBlock &block) const;
    void openField(const QTextCharFormat &format);
    void closeField();
    void writePicture(const QTextImageFormat &format, const QTextCharFormat &run);
    void writeTextBox(const QTextFrame *frame);
    int frameRecord(const QTextFrame *frame);
    void writeBoxTable(const QTextFrame *frame);
    void writeTable(const QTextTable *table);
    void writeCellProperties(const QTextTable *table, int row, int column, int span, int vMerge);
    QString relationship(const QString &type, const QString &target, bool external);
    int mediaFor(const QString &name);

    PackageState &m_package;
    const QTextDocument &m_document;
    QString m_out; // a string target spares the writer a device write per token
    QXmlStreamWriter m_xml;
    QList<Relationship> m_rels;
    QHash<QString, QString> m_relByTarget;

    // The run being collected and the field it belongs to.
    QTextCharFormat m_runFormat;
    QString m_runText;
    int m_fieldId = 0;
    int m_fieldBookmark = 0;
    bool m_fieldTag = false;
    bool m_fieldLink = false;
    int m_boxDepth = 0; // text boxes being written around the current content
    // Runs under one ruby text, written together as one w:ruby.
    QString m_rubyText;
    int m_rubyGroup = 0;
    QList<QPair<QTextCharFormat, QString>> m_rubyBase;
    int m_noteKind = 0; // the notes part being written, and the note
    int m_noteNumber = 0;
};

} // namespace platform::docx::detail
