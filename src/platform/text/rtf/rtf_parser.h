#pragma once

#include "rtf_reader.h"

#include <QByteArrayView>
#include <QSize>

// The parser behind detail::parse, split over three files: groups, destinations and text
// (rtf_parser.cpp), what they build (rtf_parser_content.cpp), control words of formatting,
// tables and page (rtf_parser_words.cpp).
namespace platform::rtf::detail {

enum class Dest {
    Body,
    Skip,
    FontTable,
    ColorTable,
    ListTable,
    ListOverrides,
    Picture,
    FieldInstruction,
    Rest,
    DefaultFont,
};

struct ParagraphState {
    QTextBlockFormat block;
    bool hasLineSpacing = false;
    int sl = 0;
    int slmult = 0;
    bool inTable = false;
    int list = 0;
    int level = 0;
};

struct State {
    Dest dest = Dest::Body;
    QTextCharFormat chr;
    int codePage = 0; // 0: the document's
    int uc = 1;
    bool hidden = false; // \v text is not shown
    ParagraphState para;
    int story = 0;
    int field = -1;      // the field this group belongs to
    bool result = false; // inside the field's result
    QByteArrayView rest; // the private destination's name
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

struct Field {
    QString instruction;
    bool parsed = false;
    QString data; // empty: not a link
    int id = 0;
};

struct RowDef {
    QList<CellDef> cells;
    CellDef current;
    int left = 0;
    bool hasRest = false;
    QTextFormat tableRest;
};

// What is being built in one story.
struct StoryBuild {
    Paragraph open;
    bool touched = false; // the open paragraph has text or was started with \pard
    bool pageBreakNext = false;
    bool tableOpen = false;
    Table table;
    QList<Cell> rowCells;
    QList<Paragraph> cellParagraphs;
    RowDef rowDef;
};

struct Picture {
    int kind = 0; // 1 PNG, 2 JPEG, 0 other
    int goalWidth = 0;
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
    QByteArray bytes;
    int nibble = -1;
};

class Parser {
public:
    Parser(const QByteArray &bytes, Model &model) : m_tokens(bytes), m_model(model) {}
    bool run(QString *error);

private:
    bool fail(const QString &reason);
    State &top() { return m_stack.last(); }

    // rtf_parser.cpp
    bool openGroup();
    bool closeGroup();
    void word(const Token &t);
    bool destination(QByteArrayView name, bool starred);
    void symbol(char c);
    void text(QByteArrayView bytes);
    void hexByte(char byte);
    void flush();

    // rtf_parser_content.cpp
    void appendText(const QString &text);
    void appendRun(const QString &text, const QTextCharFormat &format);
    void endParagraph(bool cell);
    void endCell();
    void endRow();
    void closeTable(StoryBuild &build);
    void finishStory(const State &state);
    void finishPicture(const State &state);
    void finishRest(const State &closed);
    void frameMark(FrameMark mark);
    void fieldResultFormat(QTextCharFormat &format);

    // rtf_parser_words.cpp
    bool charWord(QByteArrayView name, const Token &t);
    bool paragraphWord(QByteArrayView name, const Token &t);
    bool tableWord(QByteArrayView name, const Token &t);
    bool documentWord(QByteArrayView name, const Token &t);
    void tableEntryWord(QByteArrayView name, const Token &t);
    QColor color(int index) const;
    QTextBlockFormat finishedBlock(const ParagraphState &para) const;

    Tokenizer m_tokens;
    Model &m_model;
    QList<State> m_stack;
    std::array<StoryBuild, 5> m_builds;
    QString m_error;
    bool m_failed = false;
    bool m_rootClosed = false;
    int m_skip = 0;       // characters of a \uN fallback still to skip
    QByteArray m_pending; // undecoded text bytes
    int m_pendingCodePage = 0;
    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    QHash<int, ListDef> m_listDefs; // by \listid
    ListDef m_listCurrent;
    bool m_listNfcSeen = false;
    int m_overrideListId = 0;
    QList<Field> m_fields;
    int m_nextFieldId = 1;
    Picture m_picture;
    QByteArray m_rest;
    int m_restNibble = -1;
    QString m_destText; // text of a font name or a field instruction
    qint64 m_cells = 0;
    qint64 m_pixels = 0; // of all pictures decoded
    QHash<QString, QSize> m_pictureSizes;
};

} // namespace platform::rtf::detail
