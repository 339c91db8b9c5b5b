#include "platform/text/text_surface.h"

#include "platform/text/guarded_document.h"

#include "platform/text/docx/docx_codec.h"
#include "platform/text/html/text_surface_html.h"
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/text/rtf/rtf_codec.h"
#include "platform/text/text_fonts.h"
#include "platform/text/text_surface_internal.h"
#include "platform/text/text_surface_util.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace platform {

namespace {

void fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
}

// UTF-8, or the legacy Japanese code page when the bytes are not valid UTF-8.
QString decodePlainText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (cp932.isValid()) {
        text = cp932.decode(bytes);
        if (!cp932.hasError())
            return text;
    }
    return QString::fromLocal8Bit(bytes);
}

QByteArray encodePlainText(QString text) {
    text.remove(QChar(1));
    for (QChar &ch : text)
        if (ch.unicode() == 11)
            ch = u'\n';
    return text.toUtf8();
}

// Every picture of a document that came from outside gets the surface's resource name (from its
// bytes, so that names never clash), an object id and the picture defaults.
void normaliseForInsert(QTextDocument &source, const std::function<int()> &takeFieldId,
                        const std::function<int()> &takeObjectId) {
    QHash<int, int> fieldMap;
    QTextCursor c(&source);
    // Changes are collected first: changing formats while walking fragments invalidates the walk.
    QList<QPair<int, QTextCharFormat>> changes;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            bool changed = false;
            if (const int id = format.intProperty(TextProp::FieldId)) {
                if (!fieldMap.contains(id))
                    fieldMap.insert(id, takeFieldId());
                format.setProperty(TextProp::FieldId, fieldMap.value(id));
                changed = true;
            }
            if (format.isImageFormat()) {
                QTextImageFormat image = format.toImageFormat();
                const QByteArray bytes = surfaceutil::imageBytes(source, image.name());
                if (!bytes.isEmpty()) {
                    const QString name = surfaceutil::imageName(bytes);
                    source.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
                    image.setName(name);
                }
                image.setProperty(TextProp::ObjectKind, int(TextSurface::PictureObject));
                if (!image.hasProperty(TextProp::PictureExportCode))
                    image.setProperty(TextProp::PictureExportCode, 4);
                format = image;
                changed = true;
            }
            if (!changed)
                continue;
            // One character at a time, so that every picture gets an id of its own.
            for (int i = 0; i < fragment.length(); ++i) {
                if (format.isImageFormat())
                    format.setProperty(TextProp::ObjectId, takeObjectId());
                changes.append({fragment.position() + i, format});
            }
        }
    }
    for (const auto &[position, format] : std::as_const(changes)) {
        c.setPosition(position);
        c.setPosition(position + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(format);
    }
    std::function<void(QTextFrame *)> frames = [&](QTextFrame *parent) {
        const QList<QTextFrame *> children = parent->childFrames();
        for (QTextFrame *child : children) {
            if (!qobject_cast<QTextTable *>(child)) {
                QTextFrameFormat format = child->frameFormat();
                format.setProperty(TextProp::ObjectId, takeObjectId());
                format.setProperty(TextProp::ObjectKind, int(TextSurface::TextFrameObject));
                child->setFrameFormat(format);
            }
            frames(child);
        }
    };
    frames(source.rootFrame());
}

void copyImages(const QTextDocument &source, QTextDocument &target) {
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QByteArray bytes = surfaceutil::imageBytes(source, name);
            if (!bytes.isEmpty())
                target.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        }
}

} // namespace

void TextSurface::setLoadSaveAttribute(int attribute, bool on) {
    if (attribute == 37)
        m_attribute37 = on;
}

bool TextSurface::loadSaveAttribute(int attribute) const {
    return attribute == 37 && m_attribute37;
}

void TextSurface::resetContents() {
    EditGuard guard(this);
    if (QTextFrame *frame = scopeFrame()) {
        QTextCursor c(doc());
        c.setPosition(frame->firstPosition());
        c.setPosition(frame->lastPosition(), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        cur().setPosition(frame->firstPosition());
    } else {
        doc()->clear();
        doc()->clearUndoRedoStacks();
        cur() = QTextCursor(doc());
        m_frame = 0;
    }
    m_currentField = 0;
    m_currentObject = 0;
    m_lastBlock = -1;
    cursorChanged();
}

void TextSurface::toMainText() {
    setActiveArea(0);
    selectTextFrame(0);
}

void TextSurface::clearWhole() {
    toMainText();
    EditGuard guard(this);
    for (std::size_t i = 0; i < m_cursors.size(); ++i) {
        QTextDocument *document = i == 0 ? m_main.get() : m_areas[i - 1].get();
        document->clear();
        document->clearUndoRedoStacks();
        m_cursors[i] = QTextCursor(document);
    }
    m_page.headerFooterBits = 0;
    m_page.landscape = false;
    m_frame = 0;
    m_currentField = 0;
    m_currentObject = 0;
    m_lastBlock = -1;
    cursorChanged();
}

QByteArray TextSurface::saveWholeToMemory(int format, bool *ok) const {
    if (ok)
        *ok = true;
    switch (format) {
    case Internal:
        return internalformat::writeContent(content());
    case Word97:
    case Docx:
        return docx::write(content());
    case Rtf:
        return rtf::write(content());
    default:
        if (ok)
            *ok = false;
        return {};
    }
}

bool TextSurface::loadWholeFromMemory(const QByteArray &bytes, int format, QString *error) {
    toMainText();
    return loadBytes(bytes, format, false, QString(), error);
}

// After a document was replaced: ids continue above those it holds, and pictures and text frames
// without an id get one.
void TextSurface::adoptLoaded(QTextDocument *document) {
    // The format table holds every id in use (and perhaps some no longer used, which only makes
    // the next id higher); the text is walked only when it holds pictures.
    int maxField = 0;
    int maxObject = 0;
    bool hasPictures = false;
    const QList<QTextFormat> formats = document->allFormats();
    for (const QTextFormat &format : formats) {
        maxField = qMax(maxField, format.intProperty(TextProp::FieldId));
        maxObject = qMax(maxObject, format.intProperty(TextProp::ObjectId));
        hasPictures = hasPictures || format.isImageFormat();
    }
    QList<QPair<int, QTextCharFormat>> pictures;
    for (QTextBlock block = document->begin(); hasPictures && block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() &&
                (format.intProperty(TextProp::ObjectId) == 0 || fragment.length() > 1))
                for (int i = 0; i < fragment.length(); ++i)
                    pictures.append({fragment.position() + i, format});
        }
    QList<QTextFrame *> frames;
    std::function<void(QTextFrame *)> collect = [&](QTextFrame *parent) {
        const QList<QTextFrame *> children = parent->childFrames();
        for (QTextFrame *child : children) {
            if (!qobject_cast<QTextTable *>(child)) {
                frames << child;
                maxObject = qMax(maxObject, child->frameFormat().intProperty(TextProp::ObjectId));
            }
            collect(child);
        }
    };
    collect(document->rootFrame());
    m_nextFieldId = qMax(m_nextFieldId, maxField + 1);
    m_nextObjectId = qMax(m_nextObjectId, maxObject + 1);
    if (pictures.isEmpty() && std::none_of(frames.begin(), frames.end(), [](QTextFrame *f) {
            return f->frameFormat().intProperty(TextProp::ObjectId) == 0;
        }))
        return;
    EditGuard guard(this);
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor c(document);
    for (auto &[position, format] : pictures) {
        format.setProperty(TextProp::ObjectId, takeObjectId());
        format.setProperty(TextProp::ObjectKind, int(PictureObject));
        if (!format.hasProperty(TextProp::PictureExportCode))
            format.setProperty(TextProp::PictureExportCode, 4);
        c.setPosition(position);
        c.setPosition(position + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(format);
    }
    for (QTextFrame *frame : std::as_const(frames)) {
        QTextFrameFormat format = frame->frameFormat();
        if (format.intProperty(TextProp::ObjectId) != 0)
            continue;
        format.setProperty(TextProp::ObjectId, takeObjectId());
        format.setProperty(TextProp::ObjectKind, int(TextFrameObject));
        frame->setFrameFormat(format);
    }
    document->setUndoRedoEnabled(undo);
}

// A copy of the selection or of the edited text (whole document or selected text frame).
std::unique_ptr<QTextDocument> TextSurface::scopeCopy(bool selectionOnly) const {
    auto copy = std::make_unique<GuardedDocument>();
    copy->setDefaultFont(doc()->defaultFont());
    QTextCursor range(doc());
    if (selectionOnly) {
        range = cur();
    } else {
        const Scope s = scope();
        range.setPosition(s.first);
        range.setPosition(s.last, QTextCursor::KeepAnchor);
    }
    QTextCursor(copy.get()).insertFragment(range.selection());
    copyImages(*doc(), *copy);
    return copy;
}

// Puts a loaded document in place of the edited text, or at the selection.
void TextSurface::replaceScope(QTextDocument &source, bool intoSelection) {
    EditGuard guard(this);
    const bool whole = !intoSelection && !scopeFrame();
    if (whole) {
        // Through the internal format: lossless, and it starts a fresh undo history.
        internalformat::readDocument(internalformat::writeDocument(source), *doc());
        doc()->clearUndoRedoStacks();
        cur() = QTextCursor(doc());
        m_currentField = 0;
        m_currentObject = 0;
        adoptLoaded(doc());
        cursorChanged();
        return;
    }
    normaliseForInsert(
        source, [this] { return takeFieldId(); }, [this] { return takeObjectId(); });
    copyImages(source, *doc());
    QTextCursor &c = cur();
    c.beginEditBlock();
    if (!intoSelection) {
        const Scope s = scope();
        c.setPosition(s.first);
        c.setPosition(s.last, QTextCursor::KeepAnchor);
    }
    c.removeSelectedText();
    c.insertFragment(QTextDocumentFragment(&source));
    c.endEditBlock();
    cursorChanged();
}

namespace {

// The document in format 3, or nothing when it does not read back (beyond the format's limits).
QByteArray internalBytes(const QTextDocument &document) {
    QTextDocument probe;
    probe.setPageSize(QSizeF(0, 0)); // read only to check: never laid out
    const QByteArray bytes = internalformat::writeDocument(document);
    return internalformat::readDocument(bytes, probe) ? bytes : QByteArray();
}

// The layout a view gave a document: its page size and the root frame's margins.
struct LayoutSetting {
    QSizeF pageSize;
    QMarginsF margins;
};

LayoutSetting layoutOf(const QTextDocument &document) {
    const QTextFrameFormat root = document.rootFrame()->frameFormat();
    return {document.pageSize(), QMarginsF(root.leftMargin(), root.topMargin(), root.rightMargin(),
                                           root.bottomMargin())};
}

// Empties a document that is to be rewritten in full and takes its layout away, so that nothing
// is laid out until the new text is all in. Emptied first, while still laid out: that ends a
// layout still under way in the background, which would otherwise go on at no width.
LayoutSetting emptyAndDetach(QTextDocument &document) {
    const LayoutSetting setting = layoutOf(document);
    document.clear();
    document.setPageSize(QSizeF(0, 0));
    return setting;
}

// Gives the rewritten document its margins back, then its page size: one full layout, which
// lays out the top at once and the rest in steps in the background.
void reattachLayout(QTextDocument &document, const LayoutSetting &setting) {
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    if (QMarginsF(root.leftMargin(), root.topMargin(), root.rightMargin(), root.bottomMargin()) !=
        setting.margins) {
        root.setLeftMargin(setting.margins.left());
        root.setTopMargin(setting.margins.top());
        root.setRightMargin(setting.margins.right());
        root.setBottomMargin(setting.margins.bottom());
        const bool modified = document.isModified();
        document.rootFrame()->setFrameFormat(root);
        document.setModified(modified);
    }
    document.setPageSize(setting.pageSize);
}

// Reads a whole content into the given documents, as one edit of the main text (two when a
// first screen is shown between them) and with no undo steps. Documents come out with the
// default font a document moved in through format 3 has.
bool readWhole(const QByteArray &bytes, int format, TextContent &target, QString *error,
               const std::function<void()> &shown) {
    std::array<QTextDocument *, 5> documents{target.main, target.areas[0], target.areas[1],
                                             target.areas[2], target.areas[3]};
    for (QTextDocument *document : documents) {
        document->setUndoRedoEnabled(false);
        // The Word reader builds on the document's own default font, which a fresh one has.
        document->setDefaultFont(layoutFont(QFont()));
    }
    QTextCursor batch(target.main);
    batch.beginEditBlock();
    bool ok = false;
    if (format == TextSurface::Internal)
        ok = internalformat::readContent(bytes, target, error);
    else if (format == TextSurface::Rtf)
        ok = rtf::read(bytes, target, error);
    else if (!shown)
        ok = docx::read(bytes, target, error);
    else {
        docx::FirstScreen first;
        first.shown = [&] {
            batch.endEditBlock();
            for (QTextDocument *document : documents)
                document->setDefaultFont(layoutFont(document->defaultFont()));
            shown();
            batch.beginEditBlock();
        };
        ok = docx::read(bytes, target, error, &first);
    }
    batch.endEditBlock();
    if (ok && format != TextSurface::Internal) {
        switch (internalformat::fitOf(target)) {
        case internalformat::Fit::Beyond:
            if (error)
                *error = QStringLiteral("the document is too large or too deeply nested");
            ok = false;
            break;
        case internalformat::Fit::Changed:
            // Values the surface does not keep go as they would on the way through format 3.
            ok = internalformat::readContent(internalformat::writeContent(target), target, error);
            break;
        case internalformat::Fit::Unchanged:
            break;
        }
    }
    for (QTextDocument *document : documents) {
        document->setDefaultFont(layoutFont(document->defaultFont()));
        document->clearUndoRedoStacks();
        document->setUndoRedoEnabled(true);
    }
    return ok;
}

} // namespace

bool TextSurface::loadFile(const QString &path, int format, bool intoSelection, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, file.errorString());
        return false;
    }
    return loadBytes(file.readAll(), format, intoSelection, path, error);
}

bool TextSurface::loadFromMemory(const QByteArray &bytes, int format, bool intoSelection,
                                 QString *error) {
    return loadBytes(bytes, format, intoSelection, QString(), error);
}

// A whole main text of a format that carries one is read in place (loadWhole). Everything else is
// read into scratch documents first, so that bytes that cannot be read leave the edited document
// as it was, and moves in through format 3.
bool TextSurface::loadBytes(const QByteArray &bytes, int format, bool intoSelection,
                            const QString &path, QString *error) {
    const bool wholeMain = !intoSelection && m_area == 0 && !scopeFrame();
    if (wholeMain && (format == Internal || format == Word97 || format == Docx || format == Rtf))
        return loadWhole(bytes, format, error);
    GuardedDocument source;
    switch (format) {
    case PlainText: {
        QTextCursor c(&source);
        surfaceutil::insertCoded(c, decodePlainText(bytes), QTextCharFormat());
        break;
    }
    case Internal:
        if (!internalformat::readDocument(bytes, source, error))
            return false;
        break;
    case Html:
        // Pictures beside a file the user opened may come in; nothing else is read from disk.
        if (!path.isEmpty()) {
            source.setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + u'/'));
            source.allowPicturesFrom(QFileInfo(path).absolutePath());
        }
        source.setHtml(QString::fromUtf8(bytes));
        break;
    case Word97:
    case Docx:
    case Rtf: {
        std::array<GuardedDocument, 4> areas;
        TextContent scratch;
        scratch.main = &source;
        scratch.page = m_page;
        for (std::size_t i = 0; i < areas.size(); ++i)
            scratch.areas[i] = &areas[i];
        QByteArray package = bytes;
        if (format != Rtf && legacydoc::isLegacyDocument(bytes) &&
            !legacydoc::convertToDocx(bytes, &package, error))
            return false;
        if (!(format == Rtf ? rtf::read(bytes, scratch, error)
                            : docx::read(package, scratch, error)))
            return false;
        break;
    }
    default:
        fail(error, QStringLiteral("format %1 cannot be loaded").arg(format));
        return false;
    }
    // A document beyond format 3's limits is refused here, before the edited document is touched.
    if (format != Internal && internalBytes(source).isEmpty()) {
        fail(error, QStringLiteral("the document is too large or too deeply nested"));
        return false;
    }
    replaceScope(source, intoSelection);
    return true;
}

// The whole content read straight into the edited documents: reading into scratch documents and
// moving the text over would read every entry twice. The old content waits in format 3 meanwhile
// and comes back, carets included, when the bytes do not read or what they hold is beyond format
// 3's limits; its undo history is gone then.
bool TextSurface::loadWhole(const QByteArray &bytes, int format, QString *error) {
    QByteArray package = bytes;
    if ((format == Word97 || format == Docx) && legacydoc::isLegacyDocument(bytes) &&
        !legacydoc::convertToDocx(bytes, &package, error))
        return false;
    const QByteArray backup = internalformat::writeContent(content());
    std::array<QPair<int, int>, 5> carets;
    std::array<bool, 5> modified{};
    for (std::size_t i = 0; i < m_cursors.size(); ++i) {
        carets[i] = {m_cursors[i].anchor(), m_cursors[i].position()};
        modified[i] = m_cursors[i].document()->isModified();
    }
    EditGuard guard(this);
    TextContent target = content();
    // What a first screen takes over, given back when the rest then fails to read.
    const PageSetup page = m_page;
    const std::array<int, 3> selected{m_frame, m_currentField, m_currentObject};
    const LayoutSetting before = emptyAndDetach(*m_main);
    LayoutSetting layout = before;
    // The start of a long entry goes to whoever shows it while the rest is still to be read;
    // the layout, as the view may have set it for the new page values, is taken away again for
    // the rest, which is laid out once it is all in.
    std::function<void()> shown;
    if (isSignalConnected(QMetaMethod::fromSignal(&TextSurface::firstScreenRead))) {
        shown = [&] {
            takeLoaded(target);
            reattachLayout(*m_main, layout);
            emit firstScreenRead();
            layout = layoutOf(*m_main);
            m_main->setPageSize(QSizeF(0, 0));
        };
    }
    if (!readWhole(package, format, target, error, shown)) {
        TextContent back = content();
        internalformat::readContent(backup, back);
        m_page = page;
        m_frame = selected[0];
        m_currentField = selected[1];
        m_currentObject = selected[2];
        for (std::size_t i = 0; i < m_cursors.size(); ++i) {
            QTextDocument *document = m_cursors[i].document();
            const int last = document->characterCount() - 1;
            m_cursors[i].setPosition(qBound(0, carets[i].first, last));
            m_cursors[i].setPosition(qBound(0, carets[i].second, last), QTextCursor::KeepAnchor);
            document->setModified(modified[i]);
        }
        cursorChanged();
        reattachLayout(*m_main, before);
        return false;
    }
    for (std::size_t i = 0; i < m_cursors.size(); ++i)
        adoptLoaded(i == 0 ? m_main.get() : m_areas[i - 1].get());
    takeLoaded(target);
    reattachLayout(*m_main, layout);
    return true;
}

// The loaded page values, and every caret at the start of its text. Whoever shows the text moves
// its caret there before the text is laid out: from where the filling left it, at the end,
// moving it would lay the whole text out at once.
void TextSurface::takeLoaded(const TextContent &loaded) {
    m_page = loaded.page;
    m_frame = 0;
    m_currentField = 0;
    m_currentObject = 0;
    m_lastBlock = -1;
    for (std::size_t i = 0; i < m_cursors.size(); ++i)
        m_cursors[i] = QTextCursor(i == 0 ? m_main.get() : m_areas[i - 1].get());
    cursorChanged();
}

bool TextSurface::saveFile(const QString &path, int format, QString *error) {
    if (format == Html)
        return saveHtmlFile(path, error);
    if (format == Pdf) {
        if (!pdfWriterSlot()) {
            fail(error, QStringLiteral("no PDF writer is installed"));
            return false;
        }
        return pdfWriterSlot()(content(), path);
    }
    QString reason;
    bool ok = false;
    QByteArray bytes = saveBytes(format, false, path, &reason);
    ok = reason.isEmpty();
    if (ok && format == Word97) {
        QByteArray legacy;
        ok = legacydoc::convertFromDocx(bytes, &legacy, &reason);
        bytes = legacy;
    }
    if (!ok) {
        fail(error, reason);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(error, file.errorString());
        return false;
    }
    return true;
}

QByteArray TextSurface::saveToMemory(int format, bool selectionOnly, bool *ok) {
    QString reason;
    const QByteArray bytes = saveBytes(format, selectionOnly, QString(), &reason);
    if (ok)
        *ok = reason.isEmpty();
    return bytes;
}

QByteArray TextSurface::saveBytes(int format, bool selectionOnly, const QString &, QString *error) {
    const bool wholeMain = !selectionOnly && m_area == 0 && !scopeFrame();
    switch (format) {
    case PlainText:
        return encodePlainText(selectionOnly ? selText() : text());
    case Internal:
        if (wholeMain)
            return internalformat::writeContent(content());
        return internalformat::writeDocument(*scopeCopy(selectionOnly));
    case Html:
        if (wholeMain)
            return doc()->toHtml().toUtf8();
        return scopeCopy(selectionOnly)->toHtml().toUtf8();
    case Word97:
    case Docx:
    case Rtf: {
        const auto writer = format == Rtf ? rtf::write : docx::write;
        if (wholeMain)
            return writer(content());
        const std::unique_ptr<QTextDocument> copy = scopeCopy(selectionOnly);
        TextContent part;
        part.main = copy.get();
        part.page = m_page;
        part.page.headerFooterBits = 0;
        return writer(part);
    }
    default:
        fail(error, QStringLiteral("format %1 cannot be saved to memory").arg(format));
        return {};
    }
}

bool TextSurface::saveHtmlFile(const QString &path, QString *error) {
    return htmlexport::write(*doc(), path, error);
}

} // namespace platform
