#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTextCursor>

#include <array>
#include <functional>
#include <memory>

class QMimeData;
class QTextDocument;
class QTextFrame;
class QTextTable;

namespace platform {

// The editor's document surface: the main QTextDocument, the four header and footer documents and
// the page values, with the operations the editor needs in its own terms. Caret positions are
// 0-based, field start and end 1-based and inclusive, a selection length of -1 reaches the end.
// Every operation works on the active area (main text or one header/footer) and, in the main text,
// inside the selected text frame (0 = the whole main text).
class TextSurface : public QObject {
    Q_OBJECT
public:
    enum Format : int {
        PlainText = 1,
        Internal = 3,
        Html = 4,
        Rtf = 5,
        Word97 = 9,
        Pdf = 12,
        Docx = 13,
    };
    enum ObjectKind : int { PictureObject = 4, TextFrameObject = 32 };
    enum FindOption : int { FindBackwards = 1, FindMatchCase = 4, FindNoMessage = 16 };
    enum ClipboardOperation : int { ClipCut = 1, ClipCopy = 2, ClipPaste = 3, ClipDelete = 4 };
    enum Alignment : int { AlignLeft = 0, AlignRight = 1, AlignCenter = 2, AlignJustify = 3 };
    enum ListState : int { NoList = 1, BulletList = 2, NumberedList = 3 };
    static constexpr int AutomaticLineSpacing = 7936;
    static constexpr const char *InternalMimeType = "application/x-drjvo-text";

    // Writes format 12 (PDF); installed by the page renderer.
    using PdfWriter = std::function<bool(const TextContent &, const QString &path)>;
    static void setPdfWriter(PdfWriter writer);

    explicit TextSurface(QObject *parent = nullptr);
    ~TextSurface() override;

    // Model, shared with the view and the codecs.
    QTextDocument *document() const;
    QTextDocument *areaDocument(int bit) const; // 1, 2, 4, 8
    QTextDocument *activeDocument() const;
    TextContent content() const;
    QTextCursor cursor() const;
    void setCursor(const QTextCursor &cursor);

    // Documents.
    bool loadFile(const QString &path, int format, bool intoSelection = false,
                  QString *error = nullptr);
    bool saveFile(const QString &path, int format, QString *error = nullptr);
    QByteArray saveToMemory(int format, bool selectionOnly = false, bool *ok = nullptr);
    bool loadFromMemory(const QByteArray &bytes, int format, bool intoSelection = false,
                        QString *error = nullptr);
    void resetContents();
    // The whole document (main text, every header and footer, page values), whatever area or
    // text frame is being edited. Loading and clearing leave the main text active; clearing also
    // drops the header and footer bits and the landscape flag.
    QByteArray saveWholeToMemory(int format, bool *ok = nullptr) const;
    bool loadWholeFromMemory(const QByteArray &bytes, int format, QString *error = nullptr);
    void clearWhole();
    // Leaves any header, footer or text frame for the main text.
    void toMainText();
    void setLoadSaveAttribute(int attribute, bool on);
    bool loadSaveAttribute(int attribute) const;

    // Text and selection (codes 10, 11, 12 and 1, see text_model.h).
    QString text() const;
    // Whether the text holds anything but spaces and line ends; stops at the first such block.
    bool hasNonBlankText() const;
    int textLength() const;
    int selStart() const; // the caret
    void setSelStart(int position);
    int selLength() const;
    void setSelLength(int length);
    void select(int start, int length);
    QString selText() const;
    void setSelText(const QString &text);
    QChar charAt(int position) const;
    int paragraphStart(int position) const;
    int paragraphEnd(int position) const; // position of the paragraph's end code
    QString paragraphText(int position) const;

    // Character format of the selection, or the typing format without one.
    QString fontName() const;
    void setFontName(const QString &name);
    double fontSize() const;
    void setFontSize(double points);
    bool bold() const;
    void setBold(bool on);
    bool italic() const;
    void setItalic(bool on);
    bool underline() const;
    void setUnderline(bool on);
    bool strikeout() const;
    void setStrikeout(bool on);
    int textColor() const; // 0x00BBGGRR
    void setTextColor(int color);
    int backColor() const; // 0x00BBGGRR, white without a background
    void setBackColor(int color);

    // Paragraph format of the paragraphs the selection touches. Lengths in twips.
    int alignment() const;
    void setAlignment(int alignment);
    int leftIndent() const;
    void setLeftIndent(int twips);
    int rightIndent() const; // indent B
    void setRightIndent(int twips);
    int firstLineIndent() const; // indent C
    void setFirstLineIndent(int twips);
    int indentD() const;
    void setIndentD(int value);
    int indentE() const;
    void setIndentE(int value);
    int spaceBefore() const; // spacing A
    void setSpaceBefore(int twips);
    int spaceAfter() const; // spacing B
    void setSpaceAfter(int twips);
    int lineSpacing() const; // 7936 automatic, else percent
    void setLineSpacing(int value);
    int lineAmount() const; // minimum line pitch in twips, 0 none
    void setLineAmount(int twips);
    int listState() const;
    void setListState(int state); // 0 or 1 leaves lists, 2 bullets, 3 numbers

    // Fields. Id 0 in the id-taking calls means the current field.
    int insertField(const QString &text);
    int nextField(int afterId) const;
    int fieldAtInput() const;
    int currentField() const;
    bool setCurrentField(int id);
    QList<int> fieldIds() const;
    int fieldStart(int id = 0) const;
    int fieldEnd(int id = 0) const;
    QString fieldText(int id = 0) const;
    bool setFieldText(const QString &text, int id = 0);
    QString fieldData(int id = 0) const;
    bool setFieldData(const QString &data, int id = 0);
    int fieldLinkKind(int id = 0) const;
    bool setFieldLinkKind(int kind, int id = 0);
    int fieldAttribute(int id = 0) const;
    bool setFieldAttribute(int value, int id = 0);
    bool deleteField(bool withText, int id = 0);
    void activateField(int id);

    // Objects: pictures (kind 4) and text frames (kind 32).
    int nextObject(int afterId, int kind) const;
    int objectKind(int id) const;
    int currentObject() const;
    bool setCurrentObject(int id);
    int objectAt(int position) const;
    bool selectTextFrame(int id); // 0 the main text
    int selectedTextFrame() const;
    int insertPicture(const QString &file, int textFlow = 0, int scaleX = 100, int scaleY = 100,
                      int position = -1);
    int insertPictureData(const QByteArray &encoded, int textFlow = 0, int scaleX = 100,
                          int scaleY = 100, int position = -1);
    int insertTextFrame(int widthTwips, int heightTwips, const std::array<int, 4> &distances,
                        int topTwips = -1);
    int pictureExportCode(int id = 0) const;
    bool setPictureExportCode(int code, int id = 0);
    int pictureSaveMode(int id = 0) const;
    bool setPictureSaveMode(int mode, int id = 0);
    bool deleteObject(int id = 0);
    // Any format property of a picture or text frame (TextProp or QTextFormat numbers). Setting
    // one is an undoable edit of the document.
    QVariant objectValue(int id, int property) const;
    bool setObjectValue(int id, int property, const QVariant &value);

    // Tables; rows and columns are 1-based.
    int tableAtCaret() const;
    QList<int> tableIds() const;
    int tableRows(int tableId) const;
    int tableColumns(int tableId) const;
    QString cellText(int tableId, int row, int column) const;
    bool setCellText(int tableId, int row, int column, const QString &text);
    int cellStart(int tableId, int row, int column) const; // caret position, -1 without a cell
    int insertTable(int rows, int columns);
    bool insertColumn(bool right);
    bool insertRow(bool below);
    bool splitTable(bool below);
    bool deleteTable();
    bool deleteColumn();
    bool deleteRow();
    bool selectTable();
    bool selectRow();
    bool selectCell();
    bool gridLines() const;
    void setGridLines(bool on);

    // Page values and header/footer areas.
    PageSetup page() const;
    void setPage(const PageSetup &page);
    int headerFooterBits() const;
    void setHeaderFooterBits(int bits);
    int activeArea() const; // 0 main text, else 1, 2, 4 or 8
    bool setActiveArea(int bit);

    // Editing.
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    bool canCopy() const;
    bool canPaste() const;
    bool clipboard(int operation);
    QMimeData *createMimeData() const;
    bool insertMimeData(const QMimeData *data);
    int find(const QString &text, int start, int options);
    // Edits between beginBatch and endBatch are laid out once and undone as one step. They are
    // the caller's own rewrites, so text next to a field is left as written. Batches nest.
    void beginBatch();
    void endBatch();

signals:
    // A whole load of a long entry has its start in the main text, with its page values, header
    // and footer, and the caret at the start; the rest is read right after the handlers return,
    // so a view that paints now shows the entry's first screen early. Handlers only look.
    void firstScreenRead();
    void contentChanged();
    void paragraphChanged();
    void caretMoved();
    void fieldActivated(int id);
    void activeAreaChanged(int bit);

private:
    struct Scope {
        int first = 0; // document position of caret 0
        int last = 0;  // document position of the last caret position
    };
    struct FieldRun {
        int id = 0;
        int first = 0; // document positions, last exclusive
        int end = 0;
    };
    // Marks edits the surface makes itself, which need no field repair.
    class EditGuard {
    public:
        explicit EditGuard(TextSurface *surface) : m_surface(surface) { ++m_surface->m_guard; }
        ~EditGuard() { --m_surface->m_guard; }
        EditGuard(const EditGuard &) = delete;
        EditGuard &operator=(const EditGuard &) = delete;

    private:
        TextSurface *m_surface;
    };

    static PdfWriter &pdfWriterSlot();
    QTextDocument *doc() const;
    QTextCursor &cur();
    const QTextCursor &cur() const;
    Scope scope() const;
    QTextFrame *scopeFrame() const;
    int toDoc(int position) const;
    int fromDoc(int position) const;
    QString rawToText(int from, int to) const;
    void selectionRange(int *first, int *last) const;
    void cursorChanged();
    void watch(QTextDocument *document);
    void onContentsChange(QTextDocument *document, int from, int removed, int added);
    void adoptLoaded(QTextDocument *document);
    void takeLoaded(const TextContent &loaded);
    int takeFieldId();
    int takeObjectId();

    // Fields (text_surface_fields.cpp).
    QList<FieldRun> fieldRuns() const;
    bool findField(int id, FieldRun *run) const;
    int resolveField(int id) const;
    QTextCharFormat fieldFormat(int id) const;
    void mergeFieldFormat(int id, const QTextCharFormat &format);

    // Objects (text_surface_objects.cpp).
    QList<int> objectIds(int kind) const;
    int resolveObject(int id) const;
    int picturePosition(int id) const;
    QTextFrame *textFrame(int id) const;
    QVariant objectProperty(int id, int property) const;
    bool setObjectProperty(int id, int property, const QVariant &value);

    // Tables (text_surface_tables.cpp).
    QTextTable *table(int id) const;
    QTextTable *caretTable(int *row = nullptr, int *column = nullptr) const;

    // Formatting (text_surface_format.cpp).
    QTextCharFormat readCharFormat() const;
    void mergeChar(const QTextCharFormat &format);
    void mergeBlock(const QTextBlockFormat &format);

    // Input and output (text_surface_io.cpp).
    bool loadBytes(const QByteArray &bytes, int format, bool intoSelection, const QString &path,
                   QString *error);
    bool loadWhole(const QByteArray &bytes, int format, QString *error);
    QByteArray saveBytes(int format, bool selectionOnly, const QString &path, QString *error);
    std::unique_ptr<QTextDocument> scopeCopy(bool selectionOnly) const;
    void replaceScope(QTextDocument &source, bool intoSelection);
    void setPlainTextAtCursor(const QString &text);
    bool saveHtmlFile(const QString &path, QString *error);

    std::unique_ptr<QTextDocument> m_main;
    std::array<std::unique_ptr<QTextDocument>, 4> m_areas;
    std::array<QTextCursor, 5> m_cursors; // main, then areas in bit order
    int m_area = 0;                       // index into m_cursors
    int m_frame = 0;                      // selected text frame id of the main text
    PageSetup m_page;
    int m_currentField = 0;
    int m_currentFieldPos = -1; // where an emptied current field stood
    int m_currentObject = 0;
    int m_nextFieldId = 1;
    int m_nextObjectId = 1;
    int m_guard = 0;                  // the surface itself is editing: no field repair
    QList<QTextDocument *> m_batches; // documents of the open batches, innermost last
    bool m_caretPending = false;      // the caret moved inside a batch
    bool m_gridLines = true;
    bool m_attribute37 = false;
    int m_lastBlock = -1;
};

} // namespace platform
