#include "platform/text/text_surface_internal.h"

#include "platform/text/guarded_document.h"
#include "platform/text/text_fonts.h"
#include "platform/text/text_format_codec.h"
#include "platform/text/text_surface_internal_limits.h"
#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <climits>
#include <optional>

namespace platform::internalformat {
namespace {

constexpr quint32 Magic = 0x444A5633; // "DJV3"
constexpr quint16 Version = 2;
constexpr quint8 KindContent = 1;
constexpr quint8 KindDocument = 2;
constexpr auto StreamVersion = QDataStream::Qt_6_4;

enum Tag : quint8 { TagBlock = 'B', TagFrame = 'F', TagTable = 'T', TagEnd = 'E' };

using formatcodec::ByteReader;

class Writer {
public:
    Writer(QDataStream &stream, const QList<QTextFormat> *all = nullptr,
           QHash<int, int> *remap = nullptr, QList<QTextFormat> *used = nullptr)
        : m_s(stream), m_all(all), m_remap(remap), m_used(used) {}

    qint32 index(int original) {
        if (!m_all || original < 0 || original >= m_all->size())
            return -1;
        const auto it = m_remap->constFind(original);
        if (it != m_remap->constEnd())
            return it.value();
        // Object indices belong to one document's object table; lists and frames are rebuilt.
        // Rebuilt in property order: QTextFormat equality depends on the order properties were set.
        const QTextFormat &source = m_all->at(original);
        QTextFormat format(source.type());
        const QMap<int, QVariant> properties = source.properties();
        for (auto it = properties.cbegin(); it != properties.cend(); ++it)
            if (it.key() != QTextFormat::ObjectIndex)
                format.setProperty(it.key(), it.value());
        int mapped = int(m_used->indexOf(format));
        if (mapped < 0) {
            mapped = int(m_used->size());
            m_used->append(format);
        }
        m_remap->insert(original, mapped);
        return mapped;
    }

    // The format table holds the formats in order of first use, so that equal documents give
    // equal bytes whatever formats their history left behind.
    void document(const QTextDocument &document) {
        const QList<QTextFormat> all = document.allFormats();
        QStringList images;
        QByteArray tree;
        QHash<int, int> remap;
        QList<QTextFormat> used;
        {
            QDataStream treeStream(&tree, QIODevice::WriteOnly);
            treeStream.setVersion(StreamVersion);
            Writer treeWriter(treeStream, &all, &remap, &used);
            treeWriter.items(document.rootFrame()->begin(), images);
        }
        // The root frame keeps the document's defaults: its margins are the view's business.
        const qint32 root = -1;
        m_s << quint32(used.size());
        for (const QTextFormat &format : std::as_const(used))
            formatcodec::writeFormat(m_s, format);
        m_s << quint32(images.size());
        for (const QString &name : std::as_const(images)) {
            formatcodec::writeString(m_s, name);
            formatcodec::writeBytes(m_s, surfaceutil::imageBytes(document, name));
        }
        formatcodec::writeString(m_s, document.defaultFont().toString());
        m_s << root;
        m_s.writeRawData(tree.constData(), int(tree.size()));
    }

private:
    void items(QTextFrame::iterator it, QStringList &images) {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame()) {
                if (auto *table = qobject_cast<QTextTable *>(child))
                    this->table(table, images);
                else {
                    m_s << quint8(TagFrame) << index(child->formatIndex());
                    items(child->begin(), images);
                }
                continue;
            }
            const QTextBlock block = it.currentBlock();
            m_s << quint8(TagBlock) << index(block.blockFormatIndex())
                << index(block.charFormatIndex());
            // Lists are block groups outside the frame tree: each block names its list.
            QTextList *list = block.textList();
            qint32 listId = -1;
            if (list) {
                listId = qint32(m_lists.value(list, qint32(m_lists.size())));
                m_lists.insert(list, listId);
            }
            m_s << listId << (list ? index(list->formatIndex()) : qint32(-1));
            quint32 count = 0;
            for (auto f = block.begin(); !f.atEnd(); ++f)
                ++count;
            m_s << count;
            for (auto f = block.begin(); !f.atEnd(); ++f) {
                const QTextFragment fragment = f.fragment();
                formatcodec::writeString(m_s, fragment.text());
                m_s << index(fragment.charFormatIndex());
                const QTextCharFormat format = fragment.charFormat();
                if (format.isImageFormat()) {
                    const QString name = format.toImageFormat().name();
                    if (!name.isEmpty() && !m_seen.contains(name)) {
                        m_seen.insert(name);
                        images << name;
                    }
                }
            }
        }
        m_s << quint8(TagEnd);
    }

    void table(QTextTable *table, QStringList &images) {
        const int rows = table->rows();
        const int columns = table->columns();
        QList<QTextTableCell> origins;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c)
                    origins << cell;
            }
        m_s << quint8(TagTable) << index(table->formatIndex()) << qint32(rows) << qint32(columns);
        m_s << quint32(origins.size());
        for (const QTextTableCell &cell : std::as_const(origins))
            m_s << qint32(cell.row()) << qint32(cell.column()) << qint32(cell.rowSpan())
                << qint32(cell.columnSpan());
        for (const QTextTableCell &cell : std::as_const(origins)) {
            m_s << index(cell.tableCellFormatIndex());
            items(cell.begin(), images);
        }
    }

    QDataStream &m_s;
    const QList<QTextFormat> *m_all;
    QHash<int, int> *m_remap;
    QList<QTextFormat> *m_used;
    QSet<QString> m_seen;
    QHash<QTextList *, qint32> m_lists;
};

// Every index is checked for its range and for the kind of format its place needs before the
// text engine sees it: a frame, table or list built from a format of another kind crashes it.
class Reader {
public:
    Reader(QDataStream &stream, QTextDocument &document) : m_in(stream), m_doc(document) {}

    bool read() {
        const quint32 formatCount = m_in.u32();
        if (!m_in.ok() || formatCount > MaxFormats)
            return false;
        for (quint32 i = 0; i < formatCount; ++i) {
            QTextFormat format;
            if (!formatcodec::readFormat(m_in, &format))
                return false;
            m_formats.append(format);
        }
        const quint32 imageCount = m_in.u32();
        if (!m_in.ok() || imageCount > MaxImages)
            return false;
        QList<QPair<QString, QByteArray>> images;
        for (quint32 i = 0; i < imageCount && m_in.ok(); ++i) {
            const QString name = m_in.string(MaxNameChars);
            images.append({name, m_in.bytes(quint32(qMin(m_in.remaining(), qint64(INT_MAX))))});
        }
        QFont font;
        const QString fontText = m_in.string(MaxNameChars);
        const qint32 rootFormat = m_in.i32();
        if (!m_in.ok() || !font.fromString(fontText) || font.pointSizeF() > MaxFontPoints ||
            font.pixelSize() > MaxFontPoints || rootFormat != -1)
            return false;
        m_doc.clear();
        for (const auto &[name, bytes] : std::as_const(images))
            if (picturePixelsWithinLimit(bytes))
                m_doc.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        m_doc.setDefaultFont(layoutFont(font));
        QTextCursor cursor(&m_doc);
        cursor.beginEditBlock();
        items(cursor, 0);
        cursor.endEditBlock();
        return m_ok && m_in.ok();
    }

private:
    bool valid(qint32 index) const { return index >= 0 && index < m_formats.size(); }

    // -1 stands for the default format.
    std::optional<QTextBlockFormat> blockFormat(qint32 index) const {
        if (index == -1)
            return QTextBlockFormat();
        if (!valid(index) || !m_formats.at(index).isBlockFormat())
            return std::nullopt;
        return m_formats.at(index).toBlockFormat();
    }

    std::optional<QTextCharFormat> charFormat(qint32 index) const {
        if (index == -1)
            return QTextCharFormat();
        if (!valid(index) || !m_formats.at(index).isCharFormat())
            return std::nullopt;
        return m_formats.at(index).toCharFormat();
    }

    std::optional<QTextFrameFormat> frameFormat(qint32 index) const {
        if (!valid(index) || !m_formats.at(index).isFrameFormat() ||
            m_formats.at(index).isTableFormat())
            return std::nullopt;
        return m_formats.at(index).toFrameFormat();
    }

    std::optional<QTextTableFormat> tableFormat(qint32 index) const {
        if (!valid(index) || !m_formats.at(index).isTableFormat())
            return std::nullopt;
        return m_formats.at(index).toTableFormat();
    }

    std::optional<QTextListFormat> listFormat(qint32 index) const {
        if (!valid(index) || !m_formats.at(index).isListFormat())
            return std::nullopt;
        return m_formats.at(index).toListFormat();
    }

    bool fail() {
        m_ok = false;
        return false;
    }

    void items(QTextCursor &cursor, int depth) {
        if (depth > MaxDepth) {
            m_ok = false;
            return;
        }
        bool fresh = true; // the cursor stands in an empty block that takes the next block
        while (m_ok) {
            const quint8 tag = m_in.u8();
            if (!m_in.ok()) {
                m_ok = false;
                return;
            }
            switch (tag) {
            case TagEnd:
                return;
            case TagBlock:
                if (!block(cursor, fresh))
                    return;
                fresh = false;
                break;
            case TagFrame: {
                const std::optional<QTextFrameFormat> format = frameFormat(m_in.i32());
                if (!m_in.ok() || !format || depth + 1 > MaxDepth || !countBlocks(2)) {
                    m_ok = false;
                    return;
                }
                cursor.clearSelection();
                QTextFrame *frame = cursor.insertFrame(*format);
                items(cursor, depth + 1);
                cursor.setPosition(frame->lastPosition() + 1);
                fresh = true;
                break;
            }
            case TagTable:
                if (!table(cursor, depth))
                    return;
                fresh = true;
                break;
            default:
                m_ok = false;
                return;
            }
        }
    }

    bool countBlocks(int count) {
        m_blocks += count;
        return m_blocks <= MaxBlocks;
    }

    // At the start of a cell the block's separator is the cell's marker, whose format gives the
    // cell's spans: those stay as the table reader made them. Elsewhere they mean nothing.
    static QTextCharFormat keepStructure(QTextCharFormat format, const QTextCharFormat &current) {
        for (int key : {int(QTextFormat::ObjectType), int(QTextFormat::TableCellRowSpan),
                        int(QTextFormat::TableCellColumnSpan)}) {
            if (current.hasProperty(key))
                format.setProperty(key, current.property(key));
            else
                format.clearProperty(key);
        }
        return format;
    }

    static bool structural(const QString &text) {
        for (QChar ch : text)
            if (ch == u'\n' || ch == u'\r' || ch == QChar::ParagraphSeparator ||
                ch.unicode() == 0xFDD0 || ch.unicode() == 0xFDD1)
                return true;
        return false;
    }

    bool block(QTextCursor &cursor, bool fresh) {
        const qint32 blockIndex = m_in.i32();
        const qint32 charIndex = m_in.i32();
        const qint32 listId = m_in.i32();
        const qint32 listIndex = m_in.i32();
        const quint32 count = m_in.u32();
        std::optional<QTextBlockFormat> blockFormatValue = blockFormat(blockIndex);
        const std::optional<QTextCharFormat> blockCharFormat = charFormat(charIndex);
        if (!m_in.ok() || !blockFormatValue || !blockCharFormat || listId < -1 || !countBlocks(1))
            return fail();
        std::optional<QTextListFormat> list;
        if (listId >= 0 && !m_lists.value(listId) && !(list = listFormat(listIndex)))
            return fail();
        blockFormatValue->clearProperty(QTextFormat::ObjectIndex);
        if (fresh) {
            cursor.setBlockFormat(*blockFormatValue);
            cursor.setBlockCharFormat(keepStructure(*blockCharFormat, cursor.blockCharFormat()));
        } else {
            cursor.insertBlock(*blockFormatValue, *blockCharFormat);
        }
        if (listId >= 0) {
            if (QTextList *existing = m_lists.value(listId))
                existing->add(cursor.block());
            else
                m_lists.insert(listId, cursor.createList(*list));
        }
        for (quint32 i = 0; i < count; ++i) {
            const QString text = m_in.string(formatcodec::MaxStringChars);
            const std::optional<QTextCharFormat> format = charFormat(m_in.i32());
            if (!m_in.ok() || !format || structural(text))
                return fail();
            cursor.insertText(text, *format);
        }
        return true;
    }

    bool table(QTextCursor &cursor, int depth) {
        const std::optional<QTextTableFormat> format = tableFormat(m_in.i32());
        const qint32 rows = m_in.i32();
        const qint32 columns = m_in.i32();
        const quint32 cellCount = m_in.u32();
        if (!m_in.ok() || !format || depth + 1 > MaxDepth || rows < 1 || columns < 1 ||
            columns > formatcodec::MaxColumns)
            return fail();
        const qint64 cells = qint64(rows) * columns;
        m_cells += cells;
        if (m_cells > MaxCells || cellCount > quint64(cells) || !countBlocks(int(cells) + 1))
            return fail();
        cursor.clearSelection();
        QTextTable *table = cursor.insertTable(rows, columns, *format);
        QList<QPoint> origins;
        for (quint32 i = 0; i < cellCount; ++i) {
            const qint32 r = m_in.i32();
            const qint32 c = m_in.i32();
            const qint32 rowSpan = m_in.i32();
            const qint32 columnSpan = m_in.i32();
            if (!m_in.ok() || r < 0 || r >= rows || c < 0 || c >= columns || rowSpan < 1 ||
                columnSpan < 1 || rowSpan > rows - r || columnSpan > columns - c)
                return fail();
            origins << QPoint(c, r);
            if (rowSpan > 1 || columnSpan > 1)
                table->mergeCells(r, c, rowSpan, columnSpan);
        }
        for (const QPoint &origin : std::as_const(origins)) {
            const std::optional<QTextCharFormat> cellFormat = charFormat(m_in.i32());
            QTextTableCell cell = table->cellAt(origin.y(), origin.x());
            if (!m_in.ok() || !cellFormat || !cell.isValid() || cell.row() != origin.y() ||
                cell.column() != origin.x())
                return fail();
            cell.setFormat(keepStructure(*cellFormat, cell.format()));
            QTextCursor cellCursor = cell.firstCursorPosition();
            items(cellCursor, depth + 1);
            if (!m_ok)
                return false;
        }
        cursor.setPosition(table->lastPosition() + 1);
        return true;
    }

    ByteReader m_in;
    QTextDocument &m_doc;
    QList<QTextFormat> m_formats;
    QHash<qint32, QPointer<QTextList>> m_lists;
    int m_blocks = 0;
    qint64 m_cells = 0;
    bool m_ok = true;
};

bool readHeader(QDataStream &stream, quint8 *kind, QString *error) {
    quint32 magic = 0;
    quint16 version = 0;
    stream >> magic >> version >> *kind;
    if (stream.status() != QDataStream::Ok || magic != Magic) {
        if (error)
            *error = QStringLiteral("not an internal document");
        return false;
    }
    // Format 3 never outlives the program that wrote it: another version is another layout.
    if (version != Version) {
        if (error)
            *error = QStringLiteral("internal document of another version");
        return false;
    }
    return true;
}

bool readOne(QDataStream &stream, QTextDocument &document, QString *error) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    const bool ok = Reader(stream, document).read();
    document.setUndoRedoEnabled(undo);
    if (!ok && error)
        *error = QStringLiteral("damaged internal document");
    return ok;
}

} // namespace

bool isInternal(const QByteArray &bytes) {
    return bytes.startsWith(QByteArrayLiteral("DJV3"));
}

QByteArray writeContent(const TextContent &content) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << Magic << Version << KindContent;
    const PageSetup &p = content.page;
    stream << qint32(p.width) << qint32(p.height) << qint32(p.marginLeft) << qint32(p.marginTop)
           << qint32(p.marginRight) << qint32(p.marginBottom) << p.landscape
           << qint32(p.headerFooterBits);
    Writer writer(stream);
    writer.document(*content.main);
    for (QTextDocument *area : content.areas) {
        stream << bool(area != nullptr);
        if (area)
            Writer(stream).document(*area);
    }
    return bytes;
}

bool readContent(const QByteArray &bytes, TextContent &content, QString *error) {
    QDataStream stream(bytes);
    stream.setVersion(StreamVersion);
    quint8 kind = 0;
    if (!readHeader(stream, &kind, error))
        return false;
    if (kind == KindDocument)
        return readOne(stream, *content.main, error);
    qint32 v[6] = {};
    bool landscape = false;
    qint32 bits = 0;
    for (qint32 &value : v)
        stream >> value;
    stream >> landscape >> bits;
    if (stream.status() != QDataStream::Ok) {
        if (error)
            *error = QStringLiteral("damaged internal document");
        return false;
    }
    const PageSetup page{v[0], v[1], v[2], v[3], v[4], v[5], landscape, int(bits)};
    if (!plausiblePage(page)) {
        if (error)
            *error = QStringLiteral("damaged internal document");
        return false;
    }
    if (!readOne(stream, *content.main, error))
        return false;
    for (QTextDocument *area : content.areas) {
        bool present = false;
        stream >> present;
        if (!present) {
            if (area)
                area->clear();
            continue;
        }
        QTextDocument scratch;
        if (!readOne(stream, area ? *area : scratch, error))
            return false;
    }
    content.page = page;
    return true;
}

QByteArray writeDocument(const QTextDocument &document) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << Magic << Version << KindDocument;
    Writer(stream).document(document);
    return bytes;
}

bool readDocument(const QByteArray &bytes, QTextDocument &document, QString *error) {
    QDataStream stream(bytes);
    stream.setVersion(StreamVersion);
    quint8 kind = 0;
    if (!readHeader(stream, &kind, error))
        return false;
    if (kind == KindContent) {
        qint32 skip = 0;
        bool flag = false;
        for (int i = 0; i < 6; ++i)
            stream >> skip;
        stream >> flag >> skip;
    }
    return readOne(stream, document, error);
}

} // namespace platform::internalformat
