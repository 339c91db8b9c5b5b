#include "platform/text/text_surface.h"

#include "platform/text/guarded_document.h"
#include "platform/text/text_fonts.h"

#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>

namespace platform {

namespace {

int areaIndex(int bit) {
    switch (bit) {
    case HeaderEveryPage:
        return 1;
    case HeaderFirstPage:
        return 2;
    case FooterEveryPage:
        return 3;
    case FooterFirstPage:
        return 4;
    default:
        return 0;
    }
}

} // namespace

TextSurface::PdfWriter &TextSurface::pdfWriterSlot() {
    static PdfWriter writer;
    return writer;
}

void TextSurface::setPdfWriter(PdfWriter writer) {
    pdfWriterSlot() = std::move(writer);
}

TextSurface::TextSurface(QObject *parent) : QObject(parent), m_main(new GuardedDocument) {
    m_main->setDefaultFont(layoutFont(m_main->defaultFont()));
    watch(m_main.get());
    m_cursors[0] = QTextCursor(m_main.get());
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        m_areas[i] = std::make_unique<GuardedDocument>();
        m_areas[i]->setDefaultFont(layoutFont(m_areas[i]->defaultFont()));
        watch(m_areas[i].get());
        m_cursors[i + 1] = QTextCursor(m_areas[i].get());
    }
}

TextSurface::~TextSurface() = default;

void TextSurface::watch(QTextDocument *document) {
    document->setUndoRedoEnabled(true);
    connect(document, &QTextDocument::contentsChange, this,
            [this, document](int from, int removed, int added) {
                onContentsChange(document, from, removed, added);
            });
    connect(document, &QTextDocument::contentsChanged, this, &TextSurface::contentChanged);
}

// Text typed right after a field must not become part of it: QTextDocument gives new characters
// the format of the one before them. QTextDocument reports contentsChange once a view has given it
// a layout, which is when typing happens.
void TextSurface::onContentsChange(QTextDocument *document, int from, int, int added) {
    // An undo step leaves a redo step behind; what it restores is never typed text.
    if (m_guard > 0 || added <= 0 || document->isRedoAvailable())
        return;
    QTextCursor probe(document);
    const int end = from + added;
    if (from <= 0 || end >= document->characterCount())
        return;
    probe.setPosition(from);
    const int before = probe.charFormat().intProperty(TextProp::FieldId);
    if (before == 0)
        return;
    probe.setPosition(end + 1);
    if (probe.charFormat().intProperty(TextProp::FieldId) == before)
        return;
    probe.setPosition(from + 1);
    if (probe.charFormat().intProperty(TextProp::FieldId) != before)
        return;
    EditGuard guard(this);
    QTextCursor fix(document);
    fix.joinPreviousEditBlock();
    surfaceutil::stripField(*document, from, end, before);
    fix.endEditBlock();
}

QTextDocument *TextSurface::document() const {
    return m_main.get();
}

QTextDocument *TextSurface::areaDocument(int bit) const {
    const int index = areaIndex(bit);
    return index > 0 ? m_areas[index - 1].get() : nullptr;
}

QTextDocument *TextSurface::activeDocument() const {
    return doc();
}

QTextDocument *TextSurface::doc() const {
    return m_area == 0 ? m_main.get() : m_areas[m_area - 1].get();
}

QTextCursor &TextSurface::cur() {
    return m_cursors[m_area];
}

const QTextCursor &TextSurface::cur() const {
    return m_cursors[m_area];
}

TextContent TextSurface::content() const {
    TextContent content;
    content.main = m_main.get();
    for (std::size_t i = 0; i < m_areas.size(); ++i)
        content.areas[i] = m_areas[i].get();
    content.page = m_page;
    return content;
}

QTextCursor TextSurface::cursor() const {
    return cur();
}

void TextSurface::setCursor(const QTextCursor &cursor) {
    if (cursor.document() != doc())
        return;
    cur() = cursor;
    cursorChanged();
}

void TextSurface::cursorChanged() {
    // Inside a batch the caret moves many times; the view follows once, at its end.
    if (!m_batches.isEmpty()) {
        m_caretPending = true;
        return;
    }
    const int block = cur().blockNumber();
    emit caretMoved();
    if (block != m_lastBlock) {
        m_lastBlock = block;
        emit paragraphChanged();
    }
}

QTextFrame *TextSurface::scopeFrame() const {
    return m_area == 0 && m_frame > 0 ? textFrame(m_frame) : nullptr;
}

TextSurface::Scope TextSurface::scope() const {
    if (QTextFrame *frame = scopeFrame())
        return {frame->firstPosition(), frame->lastPosition()};
    return {0, doc()->characterCount() - 1};
}

int TextSurface::toDoc(int position) const {
    const Scope s = scope();
    return qBound(s.first, s.first + position, s.last);
}

int TextSurface::fromDoc(int position) const {
    return position - scope().first;
}

QString TextSurface::rawToText(int from, int to) const {
    QString out;
    if (to <= from)
        return out;
    out.reserve(to - from);
    for (QTextBlock block = doc()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int position = block.position();
        const QString text = block.text();
        const int a = qMax(from, position);
        const int b = qMin(to, position + int(text.size()));
        if (b > a)
            out += surfaceutil::codedText(text.mid(a - position, b - a));
        const int separator = position + block.length() - 1;
        if (separator >= from && separator < to) {
            const QTextBlock next = block.next();
            const bool pageBreak = next.isValid() && (next.blockFormat().pageBreakPolicy() &
                                                      QTextFormat::PageBreak_AlwaysBefore);
            out += QChar(pageBreak ? 12 : 10);
        }
    }
    return out;
}

// --- Text and selection ---------------------------------------------------------------------

QString TextSurface::text() const {
    const Scope s = scope();
    return rawToText(s.first, s.last);
}

bool TextSurface::hasNonBlankText() const {
    const Scope s = scope();
    for (QTextBlock block = doc()->findBlock(s.first); block.isValid() && block.position() < s.last;
         block = block.next()) {
        const int position = block.position();
        const QString text = block.text();
        const int a = qMax(s.first, position);
        const int b = qMin(s.last, position + int(text.size()));
        if (b <= a)
            continue;
        const QString coded = surfaceutil::codedText(text.mid(a - position, b - a));
        if (std::any_of(coded.begin(), coded.end(), [](QChar ch) { return !ch.isSpace(); }))
            return true;
    }
    return false;
}

int TextSurface::textLength() const {
    const Scope s = scope();
    return s.last - s.first;
}

int TextSurface::selStart() const {
    return fromDoc(cur().selectionStart());
}

void TextSurface::setSelStart(int position) {
    cur().setPosition(toDoc(position));
    cursorChanged();
}

int TextSurface::selLength() const {
    int first = 0, last = 0;
    selectionRange(&first, &last);
    return last - first;
}

// A selection of table cells reaches from the first cell's start to the last cell's end.
void TextSurface::selectionRange(int *first, int *last) const {
    const QTextCursor &c = cur();
    *first = c.selectionStart();
    *last = c.selectionEnd();
    if (!c.hasComplexSelection() || !c.currentTable())
        return;
    int row = 0, rows = 0, column = 0, columns = 0;
    c.selectedTableCells(&row, &rows, &column, &columns);
    if (rows < 1 || columns < 1)
        return;
    QTextTable *t = c.currentTable();
    *first = t->cellAt(row, column).firstPosition();
    *last = t->cellAt(row + rows - 1, column + columns - 1).lastPosition();
}

void TextSurface::setSelLength(int length) {
    const int start = cur().selectionStart();
    const int end = length < 0 ? scope().last : qMin(scope().last, start + length);
    cur().setPosition(start);
    cur().setPosition(end, QTextCursor::KeepAnchor);
    cursorChanged();
}

void TextSurface::select(int start, int length) {
    cur().setPosition(toDoc(start));
    setSelLength(length);
}

QString TextSurface::selText() const {
    int first = 0, last = 0;
    selectionRange(&first, &last);
    return rawToText(first, last);
}

void TextSurface::setSelText(const QString &text) {
    EditGuard guard(this);
    QTextCursor &c = cur();
    c.beginEditBlock();
    c.removeSelectedText();
    QTextCharFormat format = c.charFormat();
    const int id = format.intProperty(TextProp::FieldId);
    if (id != 0) {
        // Inside a field the text joins it; at its end it does not.
        QTextCursor probe(doc());
        probe.setPosition(qMin(c.position() + 1, doc()->characterCount() - 1));
        if (probe.position() == c.position() ||
            probe.charFormat().intProperty(TextProp::FieldId) != id)
            format = surfaceutil::withoutField(format);
    }
    surfaceutil::insertCoded(c, text, format);
    c.endEditBlock();
    cursorChanged();
}

QChar TextSurface::charAt(int position) const {
    const int p = toDoc(position);
    const QString s = rawToText(p, qMin(p + 1, scope().last));
    return s.isEmpty() ? QChar() : s.at(0);
}

int TextSurface::paragraphStart(int position) const {
    const QTextBlock block = doc()->findBlock(toDoc(position));
    return qMax(0, fromDoc(block.position()));
}

int TextSurface::paragraphEnd(int position) const {
    const QTextBlock block = doc()->findBlock(toDoc(position));
    return qMin(textLength(), fromDoc(block.position() + block.length() - 1));
}

QString TextSurface::paragraphText(int position) const {
    return surfaceutil::codedText(doc()->findBlock(toDoc(position)).text());
}

// --- Page and areas -------------------------------------------------------------------------

PageSetup TextSurface::page() const {
    return m_page;
}

void TextSurface::setPage(const PageSetup &page) {
    m_page = page;
}

int TextSurface::headerFooterBits() const {
    return m_page.headerFooterBits;
}

void TextSurface::setHeaderFooterBits(int bits) {
    m_page.headerFooterBits = bits & 15;
    if (m_area != 0 && !(m_page.headerFooterBits & (1 << (m_area - 1))))
        setActiveArea(0);
}

int TextSurface::activeArea() const {
    return m_area == 0 ? 0 : 1 << (m_area - 1);
}

bool TextSurface::setActiveArea(int bit) {
    const int index = areaIndex(bit);
    if (bit != 0 && (index == 0 || !(m_page.headerFooterBits & bit)))
        return false;
    if (index == m_area)
        return true;
    m_area = index;
    m_lastBlock = -1;
    m_currentField = 0;
    m_currentObject = 0;
    emit activeAreaChanged(bit);
    cursorChanged();
    return true;
}

// --- Editing --------------------------------------------------------------------------------

bool TextSurface::canUndo() const {
    return doc()->isUndoAvailable();
}

bool TextSurface::canRedo() const {
    return doc()->isRedoAvailable();
}

void TextSurface::undo() {
    EditGuard guard(this);
    doc()->undo(&cur());
    cursorChanged();
}

void TextSurface::redo() {
    EditGuard guard(this);
    doc()->redo(&cur());
    cursorChanged();
}

void TextSurface::beginBatch() {
    ++m_guard;
    m_batches.append(doc());
    QTextCursor(doc()).beginEditBlock();
}

void TextSurface::endBatch() {
    if (m_batches.isEmpty())
        return;
    QTextCursor(m_batches.takeLast()).endEditBlock();
    --m_guard;
    if (m_batches.isEmpty() && m_caretPending) {
        m_caretPending = false;
        cursorChanged();
    }
}

bool TextSurface::canCopy() const {
    return cur().hasSelection();
}

bool TextSurface::canPaste() const {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(QString::fromLatin1(InternalMimeType)) || data->hasText() ||
                    data->hasHtml() || data->hasImage());
}

bool TextSurface::clipboard(int operation) {
    switch (operation) {
    case ClipCut:
        if (!cur().hasSelection())
            return false;
        QGuiApplication::clipboard()->setMimeData(createMimeData());
        cur().removeSelectedText();
        cursorChanged();
        return true;
    case ClipCopy:
        if (!cur().hasSelection())
            return false;
        QGuiApplication::clipboard()->setMimeData(createMimeData());
        return true;
    case ClipPaste:
        return insertMimeData(QGuiApplication::clipboard()->mimeData());
    case ClipDelete:
        if (!cur().hasSelection())
            return false;
        cur().removeSelectedText();
        cursorChanged();
        return true;
    default:
        return false;
    }
}

// A per-run token in front of the internal flavour: only what this process put on the clipboard is
// read as the internal format; anything else takes the HTML or text flavour.
static const QByteArray &clipboardToken() {
    static const QByteArray token = [] {
        QByteArray bytes(16, Qt::Uninitialized);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), 4);
        return bytes;
    }();
    return token;
}

QMimeData *TextSurface::createMimeData() const {
    auto *data = new QMimeData;
    QString plain = selText();
    plain.remove(QChar(1));
    for (QChar &ch : plain)
        if (ch.unicode() == 11 || ch.unicode() == 12)
            ch = u'\n';
    data->setText(plain);
    data->setHtml(QTextDocumentFragment(cur()).toHtml());
    data->setData(QString::fromLatin1(InternalMimeType),
                  clipboardToken() + const_cast<TextSurface *>(this)->saveToMemory(Internal, true));
    return data;
}

bool TextSurface::insertMimeData(const QMimeData *data) {
    if (!data)
        return false;
    const QString internal = QString::fromLatin1(InternalMimeType);
    if (data->hasFormat(internal)) {
        const QByteArray bytes = data->data(internal);
        if (bytes.startsWith(clipboardToken()) &&
            loadFromMemory(bytes.mid(clipboardToken().size()), Internal, true))
            return true;
    }
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "PNG"))
            return false;
        return insertPictureData(png) != 0;
    }
    if (data->hasHtml()) {
        cur().insertFragment(QTextDocumentFragment::fromHtml(data->html(), doc()));
        cursorChanged();
        return true;
    }
    if (data->hasText()) {
        setSelText(data->text());
        return true;
    }
    return false;
}

int TextSurface::find(const QString &text, int start, int options) {
    if (text.isEmpty())
        return -1;
    QTextDocument::FindFlags flags;
    if (options & FindMatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options & FindBackwards)
        flags |= QTextDocument::FindBackward;
    const Scope s = scope();
    const QTextCursor found = doc()->find(text, toDoc(start), flags);
    if (found.isNull() || found.selectionStart() < s.first || found.selectionEnd() > s.last)
        return -1;
    cur() = found;
    cursorChanged();
    return fromDoc(found.selectionStart());
}

// --- Ids ------------------------------------------------------------------------------------

int TextSurface::takeFieldId() {
    return m_nextFieldId++;
}

int TextSurface::takeObjectId() {
    return m_nextObjectId++;
}

} // namespace platform
