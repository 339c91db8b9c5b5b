#include "docx/docx_test_package.h"
#include "platform/text/text_format_codec.h"
#include "platform/text/text_surface.h"
#include "platform/text/text_surface_internal.h"

#include <QBitArray>
#include <QDataStream>
#include <QMimeData>
#include <QPen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using platform::TextSurface;

namespace {

// Internal-format bytes made by hand, as a foreign program could put them on the clipboard.
class Blob {
public:
    // raw: one more format's bytes, written after formats.
    explicit Blob(const QList<QTextFormat> &formats, quint32 formatCount = 0,
                  const QByteArray &raw = {}) {
        m_s.setVersion(QDataStream::Qt_6_4);
        m_s << quint32(0x444A5633) << quint16(2) << quint8(2);
        m_s << quint32(formatCount ? formatCount : formats.size() + (raw.isEmpty() ? 0 : 1));
        for (const QTextFormat &format : formats)
            platform::formatcodec::writeFormat(m_s, format);
        m_s.writeRawData(raw.constData(), int(raw.size()));
        m_s << quint32(0);
        platform::formatcodec::writeString(m_s, QFont().toString());
        m_s << qint32(-1);
    }
    Blob &block(qint32 blockFormat, qint32 charFormat, const QString &text = QStringLiteral("x"),
                qint32 listId = -1, qint32 listFormat = -1) {
        m_s << quint8('B') << blockFormat << charFormat << listId << listFormat << quint32(1);
        platform::formatcodec::writeString(m_s, text);
        m_s << charFormat;
        return *this;
    }
    Blob &frame(qint32 format) {
        m_s << quint8('F') << format;
        return *this;
    }
    Blob &table(qint32 format, qint32 rows, qint32 columns) {
        m_s << quint8('T') << format << rows << columns << quint32(0);
        return *this;
    }
    Blob &end() {
        m_s << quint8('E');
        return *this;
    }
    QDataStream &stream() { return m_s; }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_s{&m_bytes, QIODevice::WriteOnly};
};

// Index 0 block, 1 char, 2 list, 3 frame, 4 table, 5 table cell.
QList<QTextFormat> everyKind() {
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDecimal);
    QTextTableCellFormat cell;
    cell.setBackground(Qt::yellow);
    return {QTextBlockFormat(), QTextCharFormat(),  list,
            QTextFrameFormat(), QTextTableFormat(), cell};
}

// A failed load leaves the edited text as it was.
void expectRefused(const QByteArray &bytes) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("keep"));
    QString error;
    EXPECT_FALSE(surface.loadFromMemory(bytes, TextSurface::Internal, false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(surface.text(), QStringLiteral("keep"));
}

// A char format with one property, as the writer would never write it: 2 int, 3 double.
QByteArray rawCharFormat(qint32 key, quint8 tag, const QVariant &value) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s << qint32(QTextFormat::CharFormat) << quint32(1) << key << tag;
    if (tag == 2)
        s << qint32(value.toInt());
    else
        s << value.toDouble();
    return bytes;
}

} // namespace

TEST(TextSurfaceHostile, HandMadeBytesAreReadWhenWellFormed) {
    TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(Blob(everyKind())
                                           .block(0, 1, QStringLiteral("one"), 7, 2)
                                           .block(0, 1, QStringLiteral("two"), 7, 2)
                                           .frame(3)
                                           .block(0, 1, QStringLiteral("in"))
                                           .end()
                                           .table(4, 2, 3)
                                           .end()
                                           .bytes(),
                                       TextSurface::Internal));
    EXPECT_TRUE(surface.text().startsWith(QStringLiteral("one\ntwo")));
    const QTextDocument *doc = surface.document();
    ASSERT_NE(doc->begin().textList(), nullptr);
    EXPECT_EQ(doc->begin().textList(), doc->begin().next().textList());
}

TEST(TextSurfaceHostile, EveryIndexOfTheWrongKindIsRefused) {
    const QList<QTextFormat> kinds = everyKind();
    for (qint32 wrong : {-1, 0, 1, 2, 4, 6, 1000000}) // a frame wants 3
        expectRefused(Blob(kinds).frame(wrong).block(0, 1).end().end().bytes());
    for (qint32 wrong : {-1, 0, 1, 2, 3, 5, 6}) // a table wants 4
        expectRefused(Blob(kinds).table(wrong, 1, 1).end().bytes());
    for (qint32 wrong : {-1, 0, 1, 3, 4, 6}) // a list wants 2
        expectRefused(Blob(kinds).block(0, 1, QStringLiteral("x"), 0, wrong).end().bytes());
    for (qint32 wrong : {1, 2, 3, 4, 6, -2}) // a block format wants 0
        expectRefused(Blob(kinds).block(wrong, 1).end().bytes());
    for (qint32 wrong : {0, 2, 3, 4, 6, -2}) // a char format wants 1 or 5
        expectRefused(Blob(kinds).block(0, wrong).end().bytes());
    // A table's cell names its format after its position.
    Blob cell(kinds);
    cell.stream() << quint8('T') << qint32(4) << qint32(1) << qint32(1) << quint32(1) << qint32(0)
                  << qint32(0) << qint32(1) << qint32(1) << qint32(3);
    expectRefused(cell.end().end().bytes());
    // Text may not make blocks or frames of its own.
    for (char16_t ch : {u'\n', u'\r', u'\u2029', u'\uFDD0', u'\uFDD1'})
        expectRefused(Blob(kinds).block(0, 1, QString(QChar(ch))).end().bytes());
}

TEST(TextSurfaceHostile, TableSizesAndSpansAreBounded) {
    const QList<QTextFormat> kinds = everyKind();
    // 65536 × 65536 is 0 in 32 bits; 46341 × 46341 is negative.
    expectRefused(Blob(kinds).table(4, 65536, 65536).end().bytes());
    expectRefused(Blob(kinds).table(4, 46341, 46341).end().bytes());
    expectRefused(Blob(kinds).table(4, 1500000000, 1).end().bytes());
    expectRefused(Blob(kinds).table(4, 1000, 1000).end().bytes()); // a million cells
    expectRefused(Blob(kinds).table(4, 0, 3).end().bytes());
    expectRefused(Blob(kinds).table(4, 3, -1).end().bytes());
    // Many small tables add up.
    Blob many(kinds);
    for (int i = 0; i < 20; ++i)
        many.table(4, 100, 100);
    expectRefused(many.end().bytes());
    // A merge reaching past the table, and more cells than the table holds.
    const auto merged = [&](qint32 r, qint32 c, qint32 rowSpan, qint32 columnSpan) {
        Blob blob(kinds);
        blob.stream() << quint8('T') << qint32(4) << qint32(2) << qint32(2) << quint32(1) << r << c
                      << rowSpan << columnSpan << qint32(5);
        return blob.end().end().bytes();
    };
    expectRefused(merged(1, 1, 2, 1));
    expectRefused(merged(0, 0, 1, 3));
    expectRefused(merged(0, 0, 0x7fffffff, 1));
    expectRefused(merged(-1, 0, 1, 1));
    expectRefused(merged(2, 0, 1, 1));
    Blob overfull(kinds);
    overfull.stream() << quint8('T') << qint32(4) << qint32(2) << qint32(2) << quint32(5);
    expectRefused(overfull.end().bytes());
    TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(merged(0, 0, 2, 2), TextSurface::Internal));
    auto *table =
        qobject_cast<QTextTable *>(surface.document()->rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cellAt(0, 0).rowSpan(), 2);
    EXPECT_EQ(table->cellAt(0, 0).format().background().color(), QColor(Qt::yellow));
}

TEST(TextSurfaceHostile, NestingIsBounded) {
    const QList<QTextFormat> kinds = everyKind();
    const auto nested = [&](int depth) {
        Blob blob(kinds);
        for (int i = 0; i < depth; ++i)
            blob.frame(3);
        blob.block(0, 1);
        for (int i = 0; i <= depth; ++i)
            blob.end();
        return blob.bytes();
    };
    TextSurface surface;
    EXPECT_TRUE(surface.loadFromMemory(nested(8), TextSurface::Internal));
    expectRefused(nested(40));
}

TEST(TextSurfaceHostile, OtherVersionsAreRefused) {
    QByteArray bytes = Blob(everyKind()).block(0, 1).end().bytes();
    TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(bytes, TextSurface::Internal));
    for (char version : {1, 3}) {
        bytes[5] = version;
        expectRefused(bytes);
    }
}

TEST(TextSurfaceHostile, OversizedCountsAreRefusedWithoutReserving) {
    expectRefused(Blob({}, 0xFFFFFFF0u).bytes());
    QByteArray bytes;
    {
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s << quint32(0x444A5633) << quint16(2) << quint8(2) << quint32(0) << quint32(0xFFFFFFF0u);
    }
    expectRefused(bytes);
    // A string or picture claiming more bytes than there are.
    QByteArray longName;
    {
        QDataStream s(&longName, QIODevice::WriteOnly);
        s << quint32(0x444A5633) << quint16(2) << quint8(2) << quint32(0) << quint32(1)
          << quint32(0x7FFFFFF0u);
    }
    expectRefused(longName);
    Blob fragments(everyKind());
    fragments.stream() << quint8('B') << qint32(0) << qint32(1) << qint32(-1) << qint32(-1)
                       << quint32(0xFFFFFFFFu);
    expectRefused(fragments.end().bytes());
    // A format with more properties than any format has, or a string list too long.
    QByteArray properties;
    {
        QDataStream s(&properties, QIODevice::WriteOnly);
        s << quint32(0x444A5633) << quint16(2) << quint8(2) << quint32(1) << qint32(2)
          << quint32(0x10000000);
    }
    expectRefused(properties);
}

TEST(TextSurfaceHostile, OutOfRangeEnumsAreRefused) {
    const auto refusedWith = [](qint32 key, quint8 tag, const QVariant &value) {
        TextSurface surface;
        const QByteArray valid = rawCharFormat(QTextFormat::FontWeight, 2, 700);
        ASSERT_TRUE(surface.loadFromMemory(
            Blob({QTextBlockFormat()}, 0, valid).block(0, 1).end().bytes(), TextSurface::Internal));
        expectRefused(Blob({QTextBlockFormat()}, 0, rawCharFormat(key, tag, value))
                          .block(0, 1)
                          .end()
                          .bytes());
    };
    refusedWith(QTextFormat::TextUnderlineStyle, 2, 99);
    refusedWith(QTextFormat::TextUnderlineStyle, 2, -1);
    refusedWith(QTextFormat::TextVerticalAlignment, 2, 1000);
    refusedWith(QTextFormat::FrameBorderStyle, 2, 11);
    refusedWith(QTextFormat::ListStyle, 2, -9);
    refusedWith(QTextFormat::FontWeight, 2, 0);
    refusedWith(QTextFormat::ObjectType, 2, QTextFormat::UserObject);
    refusedWith(QTextFormat::ObjectIndex, 2, 0);
    refusedWith(QTextFormat::FontPointSize, 3, 1e30);
    refusedWith(QTextFormat::FontPointSize, 3, std::nan(""));
    refusedWith(QTextFormat::FontPointSize, 99, 12); // no such value kind
    // Values the writer never makes: patch a brush style and a length type in the bytes.
    const auto patched = [](const QTextFormat &format, quint8 from, quint8 to) {
        QByteArray bytes = Blob({QTextBlockFormat(), format}).block(0, 1).end().bytes();
        const qsizetype at = bytes.indexOf(QByteArray(1, char(from)).append(char(1)));
        EXPECT_GT(at, 0);
        bytes[at] = char(to);
        return bytes;
    };
    QTextCharFormat brush;
    brush.setBackground(QBrush(Qt::green, Qt::Dense7Pattern)); // style 14, then a valid colour
    expectRefused(patched(brush, Qt::Dense7Pattern, 200));
    expectRefused(patched(brush, Qt::Dense7Pattern, Qt::LinearGradientPattern));
    QTextFrameFormat frame;
    frame.setWidth(QTextLength(QTextLength::PercentageLength, 50));
    QByteArray length = Blob({QTextBlockFormat(), QTextCharFormat(), frame})
                            .frame(2)
                            .block(0, 1)
                            .end()
                            .end()
                            .bytes();
    TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(length, TextSurface::Internal));
    const qsizetype at = length.indexOf(QByteArray::fromHex("0902")); // length tag, percentage
    ASSERT_GT(at, 0);
    length[at + 1] = char(7);
    expectRefused(length);
}

TEST(TextSurfaceHostile, ValuesTheReaderRefusesAreNotWritten) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("outline"));
    surface.select(0, 7);
    QTextCursor c = surface.cursor();
    QTextCharFormat format;
    format.setTextOutline(QPen(Qt::blue, 2.5, Qt::DashLine));
    format.setUnderlineColor(Qt::red);
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setProperty(QTextFormat::FontPointSize, 1e30);
    format.setProperty(QTextFormat::UserProperty + 500, QVariant::fromValue(QBitArray(3, true)));
    c.mergeCharFormat(format);
    TextSurface copy;
    ASSERT_TRUE(
        copy.loadFromMemory(surface.saveToMemory(TextSurface::Internal), TextSurface::Internal));
    QTextCursor read(copy.document());
    read.setPosition(2);
    const QTextCharFormat got = read.charFormat();
    EXPECT_EQ(got.textOutline(), QPen(Qt::blue, 2.5, Qt::DashLine));
    EXPECT_EQ(got.underlineColor(), QColor(Qt::red));
    EXPECT_EQ(got.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_FALSE(got.hasProperty(QTextFormat::FontPointSize));
    EXPECT_FALSE(got.hasProperty(QTextFormat::UserProperty + 500));
}

TEST(TextSurfaceHostile, TableColumnWidthsAndFrameDistancesRoundTrip) {
    QTextDocument source;
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                      QTextLength(QTextLength::PercentageLength, 40)});
    QTextCursor(&source).insertTable(1, 2, format);
    QTextFrameFormat frame;
    frame.setProperty(platform::TextProp::FrameDistances,
                      QVariant::fromValue(QList<int>{1, 2, 3, 4}));
    QTextCursor end(&source);
    end.movePosition(QTextCursor::End);
    end.insertFrame(frame);
    QTextDocument copy;
    ASSERT_TRUE(platform::internalformat::readDocument(
        platform::internalformat::writeDocument(source), copy));
    const QList<QTextFrame *> frames = copy.rootFrame()->childFrames();
    ASSERT_EQ(frames.size(), 2);
    auto *table = qobject_cast<QTextTable *>(frames.at(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->format().columnWidthConstraints(), format.columnWidthConstraints());
    EXPECT_EQ(frames.at(1)
                  ->frameFormat()
                  .property(platform::TextProp::FrameDistances)
                  .value<QList<int>>(),
              (QList<int>{1, 2, 3, 4}));
}

TEST(TextSurfaceHostile, OnlyThisRunsClipboardDataIsReadAsInternal) {
    TextSurface source;
    source.setSelText(QStringLiteral("mine"));
    source.select(0, 4);
    std::unique_ptr<QMimeData> own(source.createMimeData());
    own->setHtml(QStringLiteral("<b>html</b>"));
    TextSurface target;
    ASSERT_TRUE(target.insertMimeData(own.get()));
    EXPECT_EQ(target.text(), QStringLiteral("mine"));

    // Well-formed internal bytes without this run's token: the HTML flavour is taken.
    QMimeData foreign;
    foreign.setData(QString::fromLatin1(TextSurface::InternalMimeType),
                    source.saveToMemory(TextSurface::Internal, true));
    foreign.setHtml(QStringLiteral("<b>html</b>"));
    foreign.setText(QStringLiteral("text"));
    TextSurface other;
    ASSERT_TRUE(other.insertMimeData(&foreign));
    EXPECT_EQ(other.text(), QStringLiteral("html"));
    // A token followed by damaged bytes falls back as well.
    QByteArray damaged = own->data(QString::fromLatin1(TextSurface::InternalMimeType));
    damaged.chop(damaged.size() / 2);
    QMimeData broken;
    broken.setData(QString::fromLatin1(TextSurface::InternalMimeType), damaged);
    broken.setText(QStringLiteral("text"));
    TextSurface third;
    ASSERT_TRUE(third.insertMimeData(&broken));
    EXPECT_EQ(third.text(), QStringLiteral("text"));
}

TEST(TextSurfaceHostile, DocumentsBeyondTheLimitsAreRefusedByEveryReader) {
    const auto nested = [](int depth) {
        return (QStringLiteral("<table><tr><td>").repeated(depth) + QStringLiteral("deep") +
                QStringLiteral("</td></tr></table>").repeated(depth))
            .toUtf8();
    };
    TextSurface surface;
    surface.setSelText(QStringLiteral("keep"));
    QString error;
    EXPECT_FALSE(surface.loadFromMemory(nested(20), TextSurface::Html, false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(surface.text(), QStringLiteral("keep"));
    EXPECT_FALSE(surface.loadFromMemory(nested(20), TextSurface::Html, true));
    EXPECT_EQ(surface.text(), QStringLiteral("keep"));
    ASSERT_TRUE(surface.loadFromMemory(nested(4), TextSurface::Html));
    EXPECT_TRUE(surface.text().contains(QStringLiteral("deep")));
}

// A Word file's own values go through the same bounds as the program's format: a font size of a
// billion points is left out instead of reaching the text engine.
TEST(TextSurfaceHostile, WordValuesBeyondTheBoundsAreLeftOut) {
    const QByteArray package = docxtest::zip(
        {{QStringLiteral("word/document.xml"),
          docxtest::part("document", "<w:body><w:p><w:r><w:rPr><w:sz w:val=\"2000000000\"/>"
                                     "</w:rPr><w:t>huge</w:t></w:r></w:p></w:body>")}});
    TextSurface surface;
    ASSERT_TRUE(surface.loadWholeFromMemory(package, TextSurface::Docx));
    EXPECT_EQ(surface.text(), QStringLiteral("huge"));
    QTextCursor c(surface.document());
    c.movePosition(QTextCursor::NextCharacter);
    EXPECT_FALSE(c.charFormat().hasProperty(QTextFormat::FontPointSize));
}
