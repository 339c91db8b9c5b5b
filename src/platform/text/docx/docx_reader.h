#pragma once

#include "docx_common.h"
#include "docx_formats.h"
#include "docx_numbering.h"
#include "docx_package.h"
#include "docx_styles.h"
#include "platform/text/text_model.h"

#include <QHash>
#include <QSet>
#include <QTextCursor>
#include <QXmlStreamReader>

#include <functional>

class QTextDocument;
class QTextFrame;
class QTextList;

namespace platform::docx::detail {

// What the parts of one package share while they are read.
struct PackageReader {
    ZipReader zip;
    Records records;
    StyleSheet styles;
    ThemeFonts theme;
    NumberingDefinitions numbering;
    int nextFieldId = 1; // for links the package has no record of
    // Footnotes (index 0) and endnotes (1): the note number of each referenced w:id, numbered
    // in the order the references stand.
    QHash<QString, int> notes[2];
    bool notesSeparated = false; // the separator before the note bodies is in place
    qint64 cells = 0;            // table cells built so far, refused beyond a limit
};

struct Target {
    QString type; // last segment of the relationship type
    QString target;
    bool external = false;
};
QHash<QString, Target> readRelationships(const QByteArray &xml, const QString &partPath);

// The page values and title page flag of the body's last w:sectPr, and the header and footer
// references each last defined along the sections.
struct Section {
    PageSetup page;
    QString areaTargets[4]; // part paths in bit order
    bool titlePage = false;
    bool found = false;
};

// Reads one part (document, header or footer) into one document.
class PartReader {
public:
    PartReader(PackageReader &package, QTextDocument &document, const QString &partPath);
    bool read(const QByteArray &xml, Section *section, QString *error);
    // Once the document holds `characters` characters, at the end of a top-level paragraph or
    // table with no field open, read() closes its edit block, calls `paused` and goes on.
    void pauseAfter(int characters, std::function<void()> paused);
    // Appends the bodies of the referenced notes of a footnotes (kind 1) or endnotes (kind 2)
    // part at the end of the document, after a separator paragraph.
    bool readNotes(const QByteArray &xml, int kind, const QString &partPath, QString *error);

private:
    // Block level.
    void readContainer();
    void pauseIfDue();
    void readParagraph();
    void readSection(Section &section);
    void readTable();
    void readFrameTable(const QTextFrameFormat &format);
    // Inside a paragraph.
    void readParagraphContent();
    void readRun();
    void readRuby();
    void noteMark(int kind, const QString &id);
    void readHyperlink();
    void readFieldChar();
    void readSimpleField();
    void readDrawing();
    void readAlternateContent(bool inRun);
    void bookmarkStart();
    void bookmarkEnd();

    void ensureBlock();
    void insertText(const QString &text);
    void beginContent();
    void flushText();
    void pageBreak();
    QTextCharFormat contentFormat() const;
    QTextBlockFormat emptyBlockFormat() const; // of a block no paragraph gave values yet
    QTextCharFormat linkField(const QString &data, int kind) const;
    QString mediaPath(const QString &relId) const;
    void insertPicture(const QString &relId, qint64 cx, qint64 cy, int drawing, int flow,
                       const QString &altText);
    QTextFrame *insertTextBox(const QTextFrameFormat &format);
    QTextList *listFor(const ListLabel &label);

    PackageReader &m_package;
    QTextDocument &m_document;
    QString m_partPath;
    QHash<QString, Target> m_rels;
    QXmlStreamReader m_xml;
    QTextCursor m_cursor;
    bool m_fresh = true; // the cursor's block is empty and belongs to no paragraph yet
    Section *m_section = nullptr;

    // The paragraph being read.
    ParagraphProps m_para;
    QTextCharFormat m_paraRun; // run format from the paragraph's style
    bool m_blockOpen = false;
    int m_paraBlocks = 0;
    bool m_pendingBreak = false;   // ours: a break after the block
    bool m_breakBefore = false;    // others: the next block starts a page
    bool m_breakParagraph = false; // the break came before any block of its paragraph
    QTextCharFormat m_runFormat;
    QString m_text;
    QString m_ruby; // the ruby text over the runs being read
    bool m_inRuby = false;
    bool m_rubyGroup = false; // the ruby stands right after one with the same text
    bool m_joinNext = false;  // the last paragraph's mark was deleted: it goes on in the next
    int m_noteKind = 0;       // the note body being read and its number
    int m_noteId = 0;

    // Fields: our bookmarked ones, links of other programs, complex fields.
    QTextCharFormat m_field;
    QString m_fieldBookmark;
    struct ComplexField {
        QString instruction;
        bool result = false;
        bool link = false;
        QTextCharFormat saved;
    };
    QList<ComplexField> m_complex;
    // The list each counter and level adds to, and the number Qt shows for its next item.
    struct OpenList {
        QTextList *list = nullptr;
        int next = 1;
    };
    QHash<QPair<int, int>, OpenList> m_lists;
    QSet<QString> m_resources; // picture resources added so far
    int m_depth = 0;           // nesting of containers, bounded against hostile input
    int m_tableDepth = 0;      // nesting of tables, refused beyond a limit
    int m_pauseCharacters = 0;
    std::function<void()> m_paused;

    friend class NestingGuard;
};

// Counts one level of container nesting; past the limit the element is skipped.
class NestingGuard {
public:
    explicit NestingGuard(int &depth) : m_depth(++depth) {}
    ~NestingGuard() { --m_depth; }
    bool tooDeep() const { return m_depth > 48; }

private:
    int &m_depth;
};

} // namespace platform::docx::detail
