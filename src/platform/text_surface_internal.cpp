#include "platform/text_surface_internal.h"

#include "platform/text_surface_util.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
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
    explicit Writer(QDataStream &stream) : m_s(stream) {}

    void document(const QTextDocument &document) {
        m_s << document.allFormats();
        QStringList images;
        QByteArray tree;
        {
            QDataStream treeStream(&tree, QIODevice::WriteOnly);
            treeStream.setVersion(StreamVersion);
            Writer treeWriter(treeStream);
            treeWriter.items(document.rootFrame()->begin(), images);
        }
        m_s << quint32(images.size());
        for (const QString &name : std::as_const(images))
            m_s << name << surfaceutil::imageBytes(document, name);
        m_s << document.defaultFont() << qint32(document.rootFrame()->formatIndex());
        m_s.writeRawData(tree.constData(), int(tree.size()));
    }

private:
    void items(QTextFrame::iterator it, QStringList &images) {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame()) {
                if (auto *table = qobject_cast<QTextTable *>(child))
                    this->table(table, images);
                else {
                    m_s << quint8(TagFrame) << qint32(child->formatIndex());
                    items(child->begin(), images);
                }
                continue;
            }
            const QTextBlock block = it.currentBlock();
            m_s << quint8(TagBlock) << qint32(block.blockFormatIndex())
                << qint32(block.charFormatIndex());
            quint32 count = 0;
            for (auto f = block.begin(); !f.atEnd(); ++f)
                ++count;
            m_s << count;
            for (auto f = block.begin(); !f.atEnd(); ++f) {
                const QTextFragment fragment = f.fragment();
                m_s << fragment.text() << qint32(fragment.charFormatIndex());
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
        m_s << quint8(TagTable) << qint32(table->formatIndex()) << qint32(rows) << qint32(columns);
        m_s << quint32(origins.size());
        for (const QTextTableCell &cell : std::as_const(origins))
            m_s << qint32(cell.row()) << qint32(cell.column()) << qint32(cell.rowSpan())
                << qint32(cell.columnSpan());
        for (const QTextTableCell &cell : std::as_const(origins)) {
            m_s << qint32(cell.tableCellFormatIndex());
            items(cell.begin(), images);
        }
    }

    QDataStream &m_s;
    QSet<QString> m_seen;
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
        if (frameFormat.isValid())
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
        quint32 count = 0;
        m_s >> blockFormat >> charFormat >> count;
        if (fresh) {
            cursor.setBlockFormat(format(blockFormat).toBlockFormat());
            cursor.setBlockCharFormat(format(charFormat).toCharFormat());
        } else {
            cursor.insertBlock(format(blockFormat).toBlockFormat(),
                               format(charFormat).toCharFormat());
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
