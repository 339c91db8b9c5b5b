#include "docx_test_package.h"
#include "platform/text/docx/docx_codec.h"
#include "platform/text/text_format_codec.h"

#include <QBuffer>
#include <QDataStream>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// Rewrites every stored-format attribute value of a package's parts through change.
QByteArray rewriteStoredFormats(const QByteArray &package,
                                const std::function<QString(const QString &)> &change) {
    QByteArray source = package;
    QBuffer in(&source);
    QuaZip reader(&in);
    EXPECT_TRUE(reader.open(QuaZip::mdUnzip));
    QList<QPair<QString, QByteArray>> parts;
    for (bool more = reader.goToFirstFile(); more; more = reader.goToNextFile()) {
        QuaZipFile file(&reader);
        file.open(QIODevice::ReadOnly);
        parts.append({reader.getCurrentFileName(), file.readAll()});
    }
    reader.close();
    static const QRegularExpression attribute(QStringLiteral(R"re((fmt|frame)="([^"]+)")re"));
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip writer(&buffer);
    writer.open(QuaZip::mdCreate);
    for (auto &[name, data] : parts) {
        if (name.endsWith(QLatin1String(".xml"))) {
            QString text = QString::fromUtf8(data);
            QString result;
            qsizetype last = 0;
            for (auto it = attribute.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                result += text.mid(last, match.capturedStart(2) - last) + change(match.captured(2));
                last = match.capturedEnd(2);
            }
            data = (result + text.mid(last)).toUtf8();
        }
        QuaZipFile file(&writer);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(name));
        file.write(data);
        file.close();
    }
    writer.close();
    return out;
}

// The form earlier versions stored: Qt's own stream of the format, in base64.
QString qtStreamForm(const QString &stored) {
    EXPECT_TRUE(stored.startsWith(QLatin1String("f1:")));
    const QByteArray bytes = QByteArray::fromBase64(stored.mid(3).toLatin1());
    QDataStream in(bytes);
    formatcodec::ByteReader reader(in);
    QTextFormat format;
    EXPECT_TRUE(formatcodec::readFormat(reader, &format));
    QByteArray legacy;
    QDataStream out(&legacy, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << format;
    return QString::fromLatin1(legacy.toBase64());
}

struct TableDocument {
    QTextDocument doc;
    QByteArray package;

    TableDocument() {
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("表の前"));
        QTextTableFormat table;
        table.setBorder(2.5);
        table.setCellPadding(4);
        table.setBackground(QColor(0x12, 0x34, 0x56));
        table.setBorderStyle(QTextFrameFormat::BorderStyle_Dashed);
        table.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                         QTextLength(QTextLength::PercentageLength, 40)});
        QTextTable *t = c.insertTable(2, 2, table);
        QTextTableCellFormat cell;
        cell.setBackground(Qt::yellow);
        cell.setTopPadding(7);
        t->cellAt(1, 1).setFormat(cell);
        t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("セル"));
        c.movePosition(QTextCursor::End);
        QTextFrameFormat frame;
        frame.setBorder(1);
        frame.setWidth(QTextLength(QTextLength::FixedLength, 200));
        frame.setPosition(QTextFrameFormat::FloatRight);
        c.insertFrame(frame);
        c.insertText(QStringLiteral("枠の中"));
        TextContent content;
        content.main = &doc;
        package = docx::write(content);
    }
};

QTextTable *firstTable(QTextDocument &doc) {
    for (QTextFrame *child : doc.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(child))
            return table;
    return nullptr;
}

QTextFrame *firstTextFrame(QTextDocument &doc) {
    for (QTextFrame *child : doc.rootFrame()->childFrames())
        if (!qobject_cast<QTextTable *>(child))
            return child;
    return nullptr;
}

QMap<int, QVariant> withoutIndex(QTextFormat format) {
    format.clearProperty(QTextFormat::ObjectIndex);
    return format.properties();
}

} // namespace

TEST(DocxHostile, StoredFormatsOfEarlierVersionsStillReadTheSame) {
    TableDocument written;
    QTextDocument current;
    TextContent currentContent;
    currentContent.main = &current;
    ASSERT_TRUE(docx::read(written.package, currentContent));

    const QByteArray earlier = rewriteStoredFormats(written.package, qtStreamForm);
    ASSERT_NE(earlier, written.package);
    QTextDocument old;
    TextContent oldContent;
    oldContent.main = &old;
    ASSERT_TRUE(docx::read(earlier, oldContent));

    QTextTable *a = firstTable(current);
    QTextTable *b = firstTable(old);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(withoutIndex(b->format()), withoutIndex(a->format()));
    EXPECT_DOUBLE_EQ(b->format().border(), 2.5);
    EXPECT_EQ(b->format().columnWidthConstraints().value(1),
              QTextLength(QTextLength::PercentageLength, 40));
    EXPECT_EQ(withoutIndex(b->cellAt(1, 1).format()), withoutIndex(a->cellAt(1, 1).format()));
    EXPECT_EQ(b->cellAt(1, 1).format().background().color(), QColor(Qt::yellow));
    QTextFrame *frameA = firstTextFrame(current);
    QTextFrame *frameB = firstTextFrame(old);
    ASSERT_TRUE(frameA && frameB);
    EXPECT_EQ(withoutIndex(frameB->frameFormat()), withoutIndex(frameA->frameFormat()));
    EXPECT_EQ(frameB->frameFormat().position(), QTextFrameFormat::FloatRight);
}

TEST(DocxHostile, CraftedStoredFormatsAreRefusedNotDeserialised) {
    // Each blob is what a hostile package can put where an earlier version stored a format.
    auto blob = [](const std::function<void(QDataStream &)> &body) {
        QByteArray bytes;
        QDataStream s(&bytes, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_6_4);
        body(s);
        return QString::fromLatin1(bytes.toBase64());
    };
    const QList<QString> blobs = {
        // A bit array of negative length: Qt's own reader crashes on it.
        blob([](QDataStream &s) {
            s << qint32(QTextFormat::FrameFormat) << quint32(1) << qint32(0x1000)
              << quint32(QMetaType::QBitArray) << qint8(0) << qint32(-5);
        }),
        // A count of properties far beyond the bytes.
        blob([](QDataStream &s) { s << qint32(QTextFormat::FrameFormat) << quint32(0x7fffffff); }),
        // A string claiming 4 GB.
        blob([](QDataStream &s) {
            s << qint32(QTextFormat::FrameFormat) << quint32(1) << qint32(0x1000)
              << quint32(QMetaType::QString) << qint8(0) << quint32(0xfffffff0);
        }),
        // A texture brush, which carries a whole picture.
        blob([](QDataStream &s) {
            s << qint32(QTextFormat::FrameFormat) << quint32(1)
              << qint32(QTextFormat::BackgroundBrush) << quint32(QMetaType::QBrush) << qint8(0)
              << quint8(Qt::TexturePattern);
        }),
        // A user type by a name the reader does not know.
        blob([](QDataStream &s) {
            s << qint32(QTextFormat::FrameFormat) << quint32(1) << qint32(0x1000)
              << quint32(QMetaType::User) << qint8(0) << "QMap<QString,QVariant>";
        }),
        // An out-of-range border style.
        blob([](QDataStream &s) {
            s << qint32(QTextFormat::FrameFormat) << quint32(1)
              << qint32(QTextFormat::FrameBorderStyle) << quint32(QMetaType::Int) << qint8(0)
              << qint32(9999);
        }),
        // Truncated mid-value, and plain garbage.
        QStringLiteral("AAAABQAAAAEAAAQAAAAAAg"),
        QStringLiteral("f1:////"),
        QStringLiteral("%%%"),
    };
    TableDocument written;
    for (const QString &hostile : blobs) {
        const QByteArray package =
            rewriteStoredFormats(written.package, [&](const QString &) { return hostile; });
        QTextDocument doc;
        TextContent content;
        content.main = &doc;
        ASSERT_TRUE(docx::read(package, content)) << hostile.toStdString();
        // The table and the frame are there, with formats the package's own markup gives them.
        QTextTable *table = firstTable(doc);
        ASSERT_NE(table, nullptr) << hostile.toStdString();
        EXPECT_EQ(table->columns(), 2);
        // Compared as the stored number: 9999 is no BorderStyle at all.
        EXPECT_NE(table->format().intProperty(QTextFormat::FrameBorderStyle), 9999);
        EXPECT_FALSE(table->format().hasProperty(0x1000));
        EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("セル")));
        EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("枠の中")));
    }
}

namespace {

// A package of the smallest shape with the given document part.
QByteArray packageWith(const QByteArray &document) {
    return docxtest::zip(
        {{QStringLiteral("_rels/.rels"),
          R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
         {QStringLiteral("word/document.xml"), document}});
}

QByteArray documentWith(const QByteArray &body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
           body + "</w:body></w:document>";
}

bool readsWithError(const QByteArray &package) {
    QTextDocument doc;
    TextContent content;
    content.main = &doc;
    QString error;
    const bool ok = docx::read(package, content, &error);
    EXPECT_EQ(ok, error.isEmpty());
    return !ok;
}

} // namespace

TEST(DocxHostile, PartsAreNeverInflatedPastTheLimit) {
    // 70 MB of document that deflates to a few hundred kilobytes.
    const QByteArray package = packageWith(
        documentWith("<!--" + QByteArray(70 << 20, ' ') + "--><w:p><w:r><w:t>x</w:t></w:r></w:p>"));
    ASSERT_LT(package.size(), 2 << 20);
    EXPECT_TRUE(readsWithError(package));
}

TEST(DocxHostile, DeepTablesAndHugeTablesAreRefusedWhileReading) {
    const auto nested = [](int depth) {
        QByteArray body = "<w:p><w:r><w:t>deep</w:t></w:r></w:p>";
        for (int i = 0; i < depth; ++i)
            body = "<w:tbl><w:tr><w:tc>" + body + "</w:tc></w:tr></w:tbl><w:p/>";
        return packageWith(documentWith(body));
    };
    EXPECT_FALSE(readsWithError(nested(16)));
    EXPECT_TRUE(readsWithError(nested(20)));

    // 400 rows of 300 cells: 120,000 cells in a 2 KB package.
    const QByteArray row = "<w:tr>" + QByteArray("<w:tc><w:p/></w:tc>").repeated(300) + "</w:tr>";
    EXPECT_TRUE(
        readsWithError(packageWith(documentWith("<w:tbl>" + row.repeated(400) + "</w:tbl>"))));
    EXPECT_FALSE(
        readsWithError(packageWith(documentWith("<w:tbl>" + row.repeated(30) + "</w:tbl>"))));
    // A grid of a million columns is not built.
    EXPECT_TRUE(readsWithError(packageWith(
        documentWith("<w:tbl><w:tblGrid>" + QByteArray("<w:gridCol w:w=\"1\"/>").repeated(1000000) +
                     "</w:tblGrid>" + QByteArray("<w:tr>") +
                     QByteArray("<w:tc><w:p/></w:tc>").repeated(1200) + "</w:tr></w:tbl>"))));
}
