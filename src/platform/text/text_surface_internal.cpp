#include "platform/text/text_surface_internal.h"

#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace platform::internalformat {
namespace {

constexpr quint32 Magic = 0x444A5633; // "DJV3"
constexpr quint16 Version = 1;
constexpr quint8 KindContent = 1;
constexpr quint8 KindDocument = 2;
constexpr auto StreamVersion = QDataStream::Qt_6_4;

enum Tag : quint8 { TagBlock = 'B', TagFrame = 'F', TagTable = 'T', TagEnd = 'E' };

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
        m_s << used;
        m_s << quint32(images.size());
        for (const QString &name : std::as_const(images))
            m_s << name << surfaceutil::imageBytes(document, name);
        m_s << document.defaultFont() << root;
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
                m_s << fragment.text() << index(fragment.charFormatIndex());
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

class Reader {
public:
    Reader(QDataStream &stream, QTextDocument &document) : m_s(stream), m_doc(document) {}

    bool read() {
        m_s >> m_formats;
        quint32 imageCount = 0;
        m_s >> imageCount;
        if (m_s.status() != QDataStream::Ok)
            return false;
        m_doc.clear();
        for (quint32 i = 0; i < imageCount && m_s.status() == QDataStream::Ok; ++i) {
            QString name;
            QByteArray bytes;
            m_s >> name >> bytes;
            m_doc.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        }
        QFont font;
        qint32 rootFormat = -1;
        m_s >> font >> rootFormat;
        if (m_s.status() != QDataStream::Ok)
            return false;
        m_doc.setDefaultFont(font);
        const QTextFrameFormat frameFormat = format(rootFormat).toFrameFormat();
        if (frameFormat.isValid() && frameFormat != m_doc.rootFrame()->frameFormat())
            m_doc.rootFrame()->setFrameFormat(frameFormat);
        QTextCursor cursor(&m_doc);
        cursor.beginEditBlock();
        items(cursor, 0);
        cursor.endEditBlock();
        return m_ok && m_s.status() == QDataStream::Ok;
    }

private:
    QTextFormat format(qint32 index) const {
        return index >= 0 && index < m_formats.size() ? m_formats.at(index) : QTextFormat();
    }

    void items(QTextCursor &cursor, int depth) {
        if (depth > 64) {
            m_ok = false;
            return;
        }
        bool fresh = true; // the cursor stands in an empty block that takes the next block
        while (m_ok) {
            quint8 tag = 0;
            m_s >> tag;
            if (m_s.status() != QDataStream::Ok) {
                m_ok = false;
                return;
            }
            switch (tag) {
            case TagEnd:
                return;
            case TagBlock:
                block(cursor, fresh);
                fresh = false;
                break;
            case TagFrame: {
                qint32 index = -1;
                m_s >> index;
                cursor.clearSelection();
                QTextFrame *frame = cursor.insertFrame(format(index).toFrameFormat());
                items(cursor, depth + 1);
                cursor.setPosition(frame->lastPosition() + 1);
                fresh = true;
                break;
            }
            case TagTable:
                table(cursor, depth);
                fresh = true;
                break;
            default:
                m_ok = false;
                return;
            }
        }
    }

    void block(QTextCursor &cursor, bool fresh) {
        qint32 blockFormat = -1;
        qint32 charFormat = -1;
        qint32 listId = -1;
        qint32 listFormat = -1;
        quint32 count = 0;
        m_s >> blockFormat >> charFormat >> listId >> listFormat >> count;
        QTextBlockFormat blockFormatValue = format(blockFormat).toBlockFormat();
        blockFormatValue.clearProperty(QTextFormat::ObjectIndex);
        if (fresh) {
            cursor.setBlockFormat(blockFormatValue);
            cursor.setBlockCharFormat(format(charFormat).toCharFormat());
        } else {
            cursor.insertBlock(blockFormatValue, format(charFormat).toCharFormat());
        }
        if (listId >= 0) {
            if (QTextList *list = m_lists.value(listId))
                list->add(cursor.block());
            else
                m_lists.insert(listId, cursor.createList(format(listFormat).toListFormat()));
        }
        for (quint32 i = 0; i < count && m_s.status() == QDataStream::Ok; ++i) {
            QString text;
            qint32 index = -1;
            m_s >> text >> index;
            cursor.insertText(text, format(index).toCharFormat());
        }
    }

    void table(QTextCursor &cursor, int depth) {
        qint32 index = -1;
        qint32 rows = 0;
        qint32 columns = 0;
        quint32 cellCount = 0;
        m_s >> index >> rows >> columns >> cellCount;
        if (m_s.status() != QDataStream::Ok || rows < 1 || columns < 1 ||
            rows * columns > 1000000 || cellCount > quint32(rows * columns)) {
            m_ok = false;
            return;
        }
        cursor.clearSelection();
        QTextTable *table = cursor.insertTable(rows, columns, format(index).toTableFormat());
        QList<QPoint> origins;
        for (quint32 i = 0; i < cellCount; ++i) {
            qint32 r = 0, c = 0, rowSpan = 1, columnSpan = 1;
            m_s >> r >> c >> rowSpan >> columnSpan;
            origins << QPoint(c, r);
            if (rowSpan > 1 || columnSpan > 1)
                table->mergeCells(r, c, rowSpan, columnSpan);
        }
        for (const QPoint &origin : std::as_const(origins)) {
            qint32 cellFormat = -1;
            m_s >> cellFormat;
            QTextTableCell cell = table->cellAt(origin.y(), origin.x());
            if (!cell.isValid()) {
                m_ok = false;
                return;
            }
            const QTextCharFormat charFormat = format(cellFormat).toCharFormat();
            if (charFormat.isValid())
                cell.setFormat(charFormat);
            QTextCursor cellCursor = cell.firstCursorPosition();
            items(cellCursor, depth + 1);
            if (!m_ok)
                return;
        }
        cursor.setPosition(table->lastPosition() + 1);
    }

    QDataStream &m_s;
    QTextDocument &m_doc;
    QList<QTextFormat> m_formats;
    QHash<qint32, QTextList *> m_lists;
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
    if (version > Version) {
        if (error)
            *error = QStringLiteral("internal document of a newer version");
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
    content.page = PageSetup{v[0], v[1], v[2], v[3], v[4], v[5], landscape, int(bits)};
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
