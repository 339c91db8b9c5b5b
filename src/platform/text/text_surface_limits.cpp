// Checks documents built by another reader against format 3 in place: a whole load goes straight
// into the edited documents, and writing them out and reading them back only to learn whether
// they fit would read every entry twice.
#include "platform/text/guarded_document.h"
#include "platform/text/text_format_codec.h"
#include "platform/text/text_surface_internal.h"
#include "platform/text/text_surface_internal_limits.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace platform::internalformat {
namespace {

// A string the reader takes: it bounds the UTF-8 bytes to three per allowed character.
bool stringFits(const QString &text, qsizetype maxChars) {
    return text.size() <= maxChars || text.toUtf8().size() <= 3 * maxChars;
}

// Walks a document as the writer would write it and counts as the reader would read it.
class LimitCheck {
public:
    explicit LimitCheck(const QTextDocument &document)
        : m_doc(document), m_all(document.allFormats()), m_used(m_all.size(), false) {}

    Fit fit() {
        const QFont font = m_doc.defaultFont();
        if (!stringFits(font.toString(), MaxNameChars) || font.pointSizeF() > MaxFontPoints ||
            font.pixelSize() > MaxFontPoints)
            return Fit::Beyond;
        if (!(flat() ? flatItems() : items(m_doc.rootFrame()->begin(), 0)) ||
            m_usedCount > MaxFormats || quint32(m_images.size()) > MaxImages)
            return Fit::Beyond;
        for (qsizetype i = 0; i < m_all.size(); ++i)
            if (m_used[i] && !formatKept(m_all.at(i)))
                return Fit::Changed;
        for (const QString &name : std::as_const(m_images)) {
            const QVariant picture = m_doc.resource(QTextDocument::ImageResource, QUrl(name));
            if (picture.typeId() == QMetaType::QByteArray &&
                !picturePixelsWithinLimit(picture.toByteArray()))
                return Fit::Changed;
        }
        return Fit::Unchanged;
    }

private:
    // Whether the format reads back as it stands: the writer leaves out values the reader would
    // refuse, so a format holding one comes back without it.
    static bool formatKept(QTextFormat format) {
        format.clearProperty(QTextFormat::ObjectIndex);
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            formatcodec::writeFormat(out, format);
        }
        QDataStream in(bytes);
        formatcodec::ByteReader reader(in);
        QTextFormat back;
        return formatcodec::readFormat(reader, &back) && back.properties() == format.properties();
    }

    // Paragraphs only, none longer than a fragment may be: the usual entry, checked from the
    // format table alone. Every format counts as used, which can only ask for a rewrite or a
    // refusal that the walk would have spared, never let through what it would refuse.
    bool flat() const {
        return m_doc.rootFrame()->childFrames().isEmpty() &&
               m_doc.characterCount() <= formatcodec::MaxStringChars;
    }

    bool flatItems() {
        if (!countBlocks(m_doc.blockCount()))
            return false;
        for (qsizetype i = 0; i < m_all.size(); ++i)
            if (!useFormat(int(i)))
                return false;
        return true;
    }

    // Counts a format as used; a picture's name is checked and kept.
    bool useFormat(int index) {
        use(index);
        if (index < 0 || index >= m_all.size() || !m_all.at(index).isImageFormat())
            return true;
        const QString name = m_all.at(index).toImageFormat().name();
        if (!stringFits(name, MaxNameChars))
            return false;
        if (!name.isEmpty())
            m_images.insert(name);
        return true;
    }

    void use(int index) {
        if (index >= 0 && index < m_all.size() && !m_used[index]) {
            m_used[index] = true;
            ++m_usedCount;
        }
    }

    bool countBlocks(qint64 count) {
        m_blocks += count;
        return m_blocks <= MaxBlocks;
    }

    bool items(QTextFrame::iterator it, int depth) {
        if (depth > MaxDepth)
            return false;
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame()) {
                use(child->formatIndex());
                if (depth + 1 > MaxDepth)
                    return false;
                if (auto *table = qobject_cast<QTextTable *>(child)) {
                    if (!this->table(table, depth))
                        return false;
                } else if (!countBlocks(2) || !items(child->begin(), depth + 1)) {
                    return false;
                }
                continue;
            }
            if (!block(it.currentBlock()))
                return false;
        }
        return true;
    }

    bool table(QTextTable *table, int depth) {
        const int rows = table->rows();
        const int columns = table->columns();
        if (rows < 1 || columns < 1 || columns > formatcodec::MaxColumns)
            return false;
        const qint64 cells = qint64(rows) * columns;
        m_cells += cells;
        if (m_cells > MaxCells || !countBlocks(cells + 1))
            return false;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                use(cell.tableCellFormatIndex());
                if (!items(cell.begin(), depth + 1))
                    return false;
            }
        return true;
    }

    bool block(const QTextBlock &block) {
        if (!countBlocks(1))
            return false;
        use(block.blockFormatIndex());
        use(block.charFormatIndex());
        if (const QTextList *list = block.textList())
            use(list->formatIndex());
        // Fragments hold no block or frame separators: the text engine turns those into blocks.
        for (auto f = block.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragment = f.fragment();
            if (fragment.length() > formatcodec::MaxStringChars &&
                !stringFits(fragment.text(), formatcodec::MaxStringChars))
                return false;
            if (!useFormat(fragment.charFormatIndex()))
                return false;
        }
        return true;
    }

    const QTextDocument &m_doc;
    const QList<QTextFormat> m_all;
    QList<bool> m_used;
    quint32 m_usedCount = 0;
    QSet<QString> m_images;
    qint64 m_blocks = 0;
    qint64 m_cells = 0;
};

} // namespace

Fit fitOf(const TextContent &content) {
    if (!plausiblePage(content.page) || !content.main)
        return Fit::Beyond;
    Fit fit = LimitCheck(*content.main).fit();
    for (const QTextDocument *area : content.areas) {
        const Fit areaFit = area ? LimitCheck(*area).fit() : Fit::Unchanged;
        if (areaFit == Fit::Beyond)
            return Fit::Beyond;
        if (areaFit == Fit::Changed)
            fit = Fit::Changed;
    }
    return fit;
}

} // namespace platform::internalformat
