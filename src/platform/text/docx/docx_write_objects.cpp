#include "docx_writer.h"

#include "platform/text/legacy_format_stream.h"
#include "platform/text/text_format_codec.h"
#include "platform/text/text_model.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

namespace platform::docx::detail {

namespace {

const QString StoredFormatMark = QStringLiteral("f1:");

using L = QLatin1StringView;

QString imageExtension(const QByteArray &bytes) {
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith("\xFF\xD8"))
        return QStringLiteral("jpeg");
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (bytes.startsWith("BM"))
        return QStringLiteral("bmp");
    if (bytes.startsWith("II*") || bytes.startsWith("MM"))
        return QStringLiteral("tiff");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QString format = QString::fromLatin1(QImageReader::imageFormat(&buffer)).toLower();
    return format.isEmpty() ? QStringLiteral("bin") : format;
}

void writeExtent(QXmlStreamWriter &xml, qint64 cx, qint64 cy) {
    xml.writeEmptyElement(kNsWp, L("extent"));
    xml.writeAttribute(L("cx"), QString::number(cx));
    xml.writeAttribute(L("cy"), QString::number(cy));
    xml.writeEmptyElement(kNsWp, L("effectExtent"));
    for (const char *side : {"l", "t", "r", "b"})
        xml.writeAttribute(L(side), L("0"));
}

void writeDocPr(QXmlStreamWriter &xml, int id, const QString &name,
                const QString &description = {}) {
    xml.writeEmptyElement(kNsWp, L("docPr"));
    xml.writeAttribute(L("id"), QString::number(id));
    xml.writeAttribute(L("name"), name);
    if (!description.isEmpty())
        xml.writeAttribute(L("descr"), description);
}

void writeXfrm(QXmlStreamWriter &xml, qint64 cx, qint64 cy) {
    xml.writeStartElement(kNsA, L("xfrm"));
    xml.writeEmptyElement(kNsA, L("off"));
    xml.writeAttribute(L("x"), L("0"));
    xml.writeAttribute(L("y"), L("0"));
    xml.writeEmptyElement(kNsA, L("ext"));
    xml.writeAttribute(L("cx"), QString::number(cx));
    xml.writeAttribute(L("cy"), QString::number(cy));
    xml.writeEndElement();
    xml.writeStartElement(kNsA, L("prstGeom"));
    xml.writeAttribute(L("prst"), L("rect"));
    xml.writeEmptyElement(kNsA, L("avLst"));
    xml.writeEndElement();
}

void writeSolidFill(QXmlStreamWriter &xml, const QColor &color) {
    xml.writeStartElement(kNsA, L("solidFill"));
    xml.writeEmptyElement(kNsA, L("srgbClr"));
    xml.writeAttribute(L("val"), colorText(color));
    xml.writeEndElement();
}

// Opens wp:anchor with its placement; the caller writes extent onwards and closes it.
void startAnchor(QXmlStreamWriter &xml, const std::array<qint64, 4> &dist, int order,
                 bool inFront) {
    xml.writeStartElement(kNsWp, L("anchor"));
    xml.writeAttribute(L("distT"), QString::number(dist[1]));
    xml.writeAttribute(L("distB"), QString::number(dist[3]));
    xml.writeAttribute(L("distL"), QString::number(dist[0]));
    xml.writeAttribute(L("distR"), QString::number(dist[2]));
    xml.writeAttribute(L("simplePos"), L("0"));
    xml.writeAttribute(L("relativeHeight"), QString::number(order));
    xml.writeAttribute(L("behindDoc"), L("0"));
    xml.writeAttribute(L("locked"), L("0"));
    xml.writeAttribute(L("layoutInCell"), L("1"));
    xml.writeAttribute(L("allowOverlap"), inFront ? L("1") : L("0"));
    xml.writeEmptyElement(kNsWp, L("simplePos"));
    xml.writeAttribute(L("x"), L("0"));
    xml.writeAttribute(L("y"), L("0"));
}

void writePosition(QXmlStreamWriter &xml, L element, L relativeFrom, L align, qint64 offset) {
    xml.writeStartElement(kNsWp, element);
    xml.writeAttribute(L("relativeFrom"), relativeFrom);
    if (!align.isEmpty())
        xml.writeTextElement(kNsWp, L("align"), align);
    else
        xml.writeTextElement(kNsWp, L("posOffset"), QString::number(offset));
    xml.writeEndElement();
}

} // namespace

// Stored formats are written with the format codec's typed values behind a version mark; the
// unmarked form of earlier versions (Qt's own stream of a QTextFormat) is read by a reader of
// our own that checks it before anything is built.
QString encodeFormat(QTextFormat format) {
    format.clearProperty(QTextFormat::ObjectIndex);
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    formatcodec::writeFormat(stream, format);
    return StoredFormatMark + QString::fromLatin1(bytes.toBase64());
}

QTextFormat decodeFormat(QStringView text) {
    QTextFormat format;
    if (text.startsWith(StoredFormatMark)) {
        const QByteArray bytes =
            QByteArray::fromBase64(text.mid(StoredFormatMark.size()).toLatin1());
        QDataStream stream(bytes);
        formatcodec::ByteReader in(stream);
        if (!formatcodec::readFormat(in, &format) || !in.ok() || !stream.atEnd())
            return QTextFormat();
        return format;
    }
    if (!formatcodec::readLegacyStreamFormat(QByteArray::fromBase64(text.toLatin1()), &format))
        return QTextFormat();
    return format;
}

int PartWriter::mediaFor(const QString &name) {
    const auto key = qMakePair(&m_document, name);
    if (const auto it = m_package.mediaByName.constFind(key); it != m_package.mediaByName.cend())
        return *it;
    const QVariant value = m_document.resource(QTextDocument::ImageResource, QUrl(name));
    QByteArray bytes;
    if (value.userType() == QMetaType::QByteArray) {
        bytes = value.toByteArray();
    } else {
        QImage image;
        if (value.userType() == QMetaType::QImage)
            image = value.value<QImage>();
        else if (value.userType() == QMetaType::QPixmap)
            image = value.value<QPixmap>().toImage();
        if (!image.isNull()) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
        }
    }
    if (bytes.isEmpty()) {
        // A picture whose data is missing keeps its place and properties with a blank image.
        QImage blank(1, 1, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        blank.save(&buffer, "PNG");
    }
    const int index = int(m_package.media.size());
    m_package.media.append(
        {QStringLiteral("media/image%1.%2").arg(index + 1).arg(imageExtension(bytes)), bytes});
    m_package.mediaByName.insert(key, index);
    return index;
}

void PartWriter::writePicture(const QTextImageFormat &format, const QTextCharFormat &run) {
    const int media = mediaFor(format.name());
    qint64 cx = emuFromPx(format.width());
    qint64 cy = emuFromPx(format.height());
    if (!format.hasProperty(QTextFormat::ImageWidth) ||
        !format.hasProperty(QTextFormat::ImageHeight)) {
        QBuffer buffer;
        buffer.setData(m_package.media.at(media).bytes);
        buffer.open(QIODevice::ReadOnly);
        const QSize size = QImageReader(&buffer).size();
        if (!format.hasProperty(QTextFormat::ImageWidth))
            cx = emuFromPx(size.width());
        if (!format.hasProperty(QTextFormat::ImageHeight))
            cy = emuFromPx(size.height());
    }
    cx = qMax<qint64>(1, cx);
    cy = qMax<qint64>(1, cy);
    const int drawing = m_package.nextDrawing++;
    ObjectRecord record;
    record.id = format.intProperty(TextProp::ObjectId);
    record.kind =
        format.hasProperty(TextProp::ObjectKind) ? format.intProperty(TextProp::ObjectKind) : -1;
    record.name = format.name();
    auto optional = [&](int property) {
        return format.hasProperty(property) ? format.intProperty(property) : -1;
    };
    record.exportCode = optional(TextProp::PictureExportCode);
    record.saveMode = optional(TextProp::PictureSaveMode);
    record.textFlow = optional(TextProp::TextFlow);
    record.scaleX = optional(TextProp::ScaleX);
    record.scaleY = optional(TextProp::ScaleY);
    record.fileName = format.stringProperty(TextProp::PictureFileName);
    m_package.objects.append({drawing, record});
    const QString rel =
        relationship(QStringLiteral("image"), m_package.media.at(media).path, false);

    m_xml.writeStartElement(kNsW, L("r"));
    QTextCharFormat runOnly = run;
    runOnly.setObjectType(QTextFormat::NoObject);
    writeRunProperties(m_xml, runOnly);
    m_xml.writeStartElement(kNsW, L("drawing"));
    const int flow = qMax(0, record.textFlow);
    if (flow == 0) {
        m_xml.writeStartElement(kNsWp, L("inline"));
        for (const char *side : {"distT", "distB", "distL", "distR"})
            m_xml.writeAttribute(L(side), L("0"));
    } else {
        // 1 right-aligned and 2 left-aligned with text around, 3 floating over the text.
        startAnchor(m_xml, {114300, 0, 114300, 0}, drawing, flow == 3);
        writePosition(m_xml, L("positionH"), flow == 3 ? L("character") : L("column"),
                      flow == 1   ? L("right")
                      : flow == 2 ? L("left")
                                  : L(),
                      0);
        writePosition(m_xml, L("positionV"), L("paragraph"), L(), 0);
    }
    writeExtent(m_xml, cx, cy);
    if (flow == 1 || flow == 2) {
        m_xml.writeEmptyElement(kNsWp, L("wrapSquare"));
        m_xml.writeAttribute(L("wrapText"), flow == 1 ? L("left") : L("right"));
    } else if (flow == 3) {
        m_xml.writeEmptyElement(kNsWp, L("wrapNone"));
    }
    writeDocPr(m_xml, drawing, QStringLiteral("Picture %1").arg(drawing),
               format.stringProperty(QTextFormat::ImageAltText));
    m_xml.writeStartElement(kNsWp, L("cNvGraphicFramePr"));
    m_xml.writeEmptyElement(kNsA, L("graphicFrameLocks"));
    m_xml.writeAttribute(L("noChangeAspect"), L("1"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsA, L("graphic"));
    m_xml.writeStartElement(kNsA, L("graphicData"));
    m_xml.writeAttribute(L("uri"), kNsPic);
    m_xml.writeStartElement(kNsPic, L("pic"));
    m_xml.writeStartElement(kNsPic, L("nvPicPr"));
    m_xml.writeEmptyElement(kNsPic, L("cNvPr"));
    m_xml.writeAttribute(L("id"), QString::number(drawing));
    m_xml.writeAttribute(L("name"), QStringLiteral("Picture %1").arg(drawing));
    m_xml.writeEmptyElement(kNsPic, L("cNvPicPr"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsPic, L("blipFill"));
    m_xml.writeEmptyElement(kNsA, L("blip"));
    m_xml.writeAttribute(kNsR, L("embed"), rel);
    m_xml.writeStartElement(kNsA, L("stretch"));
    m_xml.writeEmptyElement(kNsA, L("fillRect"));
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsPic, L("spPr"));
    writeXfrm(m_xml, cx, cy);
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // pic
    m_xml.writeEndElement(); // graphicData
    m_xml.writeEndElement(); // graphic
    m_xml.writeEndElement(); // inline or anchor
    m_xml.writeEndElement(); // drawing
    m_xml.writeEndElement(); // r
}

int PartWriter::frameRecord(const QTextFrame *frame) {
    const QTextFrameFormat format = frame->frameFormat();
    const int drawing = m_package.nextDrawing++;
    ObjectRecord record;
    record.id = format.intProperty(TextProp::ObjectId);
    record.kind =
        format.hasProperty(TextProp::ObjectKind) ? format.intProperty(TextProp::ObjectKind) : -1;
    record.frame = encodeFormat(format);
    m_package.objects.append({drawing, record});
    return drawing;
}

void PartWriter::writeBoxTable(const QTextFrame *frame) {
    // A text frame inside a text box: a one-cell table that reads back as the frame.
    const int drawing = frameRecord(frame);
    const QTextFrameFormat format = frame->frameFormat();
    const int width = format.hasProperty(TextProp::FrameWidth)
                          ? format.intProperty(TextProp::FrameWidth)
                          : twipsFromPx(format.width().rawValue());
    const QString w = QString::number(qMax(360, width));
    m_xml.writeStartElement(kNsW, L("tbl"));
    m_xml.writeStartElement(kNsW, L("tblPr"));
    m_xml.writeAttribute(kNsDj, L("frame"), QString::number(drawing));
    m_xml.writeEmptyElement(kNsW, L("tblW"));
    m_xml.writeAttribute(kNsW, L("w"), w);
    m_xml.writeAttribute(kNsW, L("type"), L("dxa"));
    m_xml.writeStartElement(kNsW, L("tblBorders"));
    for (const char *side : {"top", "left", "bottom", "right"}) {
        m_xml.writeEmptyElement(kNsW, L(side));
        m_xml.writeAttribute(kNsW, L("val"), L("single"));
        m_xml.writeAttribute(kNsW, L("sz"), L("4"));
        m_xml.writeAttribute(kNsW, L("space"), L("0"));
        m_xml.writeAttribute(kNsW, L("color"), L("auto"));
    }
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // tblPr
    m_xml.writeStartElement(kNsW, L("tblGrid"));
    m_xml.writeEmptyElement(kNsW, L("gridCol"));
    m_xml.writeAttribute(kNsW, L("w"), w);
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsW, L("tr"));
    m_xml.writeStartElement(kNsW, L("tc"));
    m_xml.writeStartElement(kNsW, L("tcPr"));
    m_xml.writeEmptyElement(kNsW, L("tcW"));
    m_xml.writeAttribute(kNsW, L("w"), w);
    m_xml.writeAttribute(kNsW, L("type"), L("dxa"));
    m_xml.writeEndElement();
    writeFrameContent(frame);
    m_xml.writeEndElement(); // tc
    m_xml.writeEndElement(); // tr
    m_xml.writeEndElement(); // tbl
}

void PartWriter::writeTextBox(const QTextFrame *frame) {
    const QTextFrameFormat format = frame->frameFormat();
    const int drawing = frameRecord(frame);

    auto lengthTwips = [&](const QTextLength &length, int property, int fallback) {
        if (format.hasProperty(property))
            return format.intProperty(property);
        if (length.type() == QTextLength::FixedLength)
            return twipsFromPx(length.rawValue());
        if (length.type() == QTextLength::PercentageLength)
            return qRound(m_package.textWidthTwips * length.rawValue() / 100.0);
        return fallback;
    };
    const qint64 cx = emuFromTwips(
        qMax(1, lengthTwips(format.width(), TextProp::FrameWidth, m_package.textWidthTwips)));
    const qint64 cy =
        emuFromTwips(qMax(1, lengthTwips(format.height(), TextProp::FrameHeight, 1440)));
    std::array<qint64, 4> dist{};
    const QList<int> distances = format.property(TextProp::FrameDistances).value<QList<int>>();
    for (int i = 0; i < 4 && i < distances.size(); ++i)
        dist[size_t(i)] = emuFromTwips(distances.at(i));
    const bool inFlow = format.position() == QTextFrameFormat::InFlow;
    const int top =
        format.hasProperty(TextProp::FrameTop) ? format.intProperty(TextProp::FrameTop) : -1;

    m_xml.writeStartElement(kNsW, L("r"));
    m_xml.writeStartElement(kNsMc, L("AlternateContent"));
    m_xml.writeStartElement(kNsMc, L("Choice"));
    m_xml.writeAttribute(L("Requires"), L("wps"));
    m_xml.writeStartElement(kNsW, L("drawing"));
    startAnchor(m_xml, dist, drawing, false);
    writePosition(m_xml, L("positionH"), L("column"),
                  format.position() == QTextFrameFormat::FloatRight ? L("right") : L("left"), 0);
    if (top >= 0)
        writePosition(m_xml, L("positionV"), L("margin"), L(), emuFromTwips(top));
    else
        writePosition(m_xml, L("positionV"), L("paragraph"), L(), 0);
    writeExtent(m_xml, cx, cy);
    if (inFlow) {
        m_xml.writeEmptyElement(kNsWp, L("wrapTopAndBottom"));
    } else {
        m_xml.writeEmptyElement(kNsWp, L("wrapSquare"));
        m_xml.writeAttribute(L("wrapText"), L("bothSides"));
    }
    writeDocPr(m_xml, drawing, QStringLiteral("Text Box %1").arg(drawing));
    m_xml.writeEmptyElement(kNsWp, L("cNvGraphicFramePr"));
    m_xml.writeStartElement(kNsA, L("graphic"));
    m_xml.writeStartElement(kNsA, L("graphicData"));
    m_xml.writeAttribute(L("uri"), kNsWps);
    m_xml.writeStartElement(kNsWps, L("wsp"));
    m_xml.writeEmptyElement(kNsWps, L("cNvSpPr"));
    m_xml.writeAttribute(L("txBox"), L("1"));
    m_xml.writeStartElement(kNsWps, L("spPr"));
    writeXfrm(m_xml, cx, cy);
    const QBrush background = format.background();
    if (format.hasProperty(QTextFormat::BackgroundBrush) && background.style() != Qt::NoBrush)
        writeSolidFill(m_xml, background.color());
    else
        m_xml.writeEmptyElement(kNsA, L("noFill"));
    m_xml.writeStartElement(kNsA, L("ln"));
    if (format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None) {
        m_xml.writeAttribute(L("w"), QString::number(emuFromPx(format.border())));
        const QBrush border = format.borderBrush();
        writeSolidFill(m_xml, border.style() == Qt::NoBrush ? QColor(Qt::black) : border.color());
    } else {
        m_xml.writeEmptyElement(kNsA, L("noFill"));
    }
    m_xml.writeEndElement(); // ln
    m_xml.writeEndElement(); // spPr
    m_xml.writeStartElement(kNsWps, L("txbx"));
    m_xml.writeStartElement(kNsW, L("txbxContent"));
    // Relative widths inside the box are relative to the box.
    const int bodyWidth = m_package.textWidthTwips;
    m_package.textWidthTwips = qMax(360, int(cx / 635) - 2 * twipsFromPx(format.padding()));
    ++m_boxDepth;
    writeFrameContent(frame);
    --m_boxDepth;
    m_package.textWidthTwips = bodyWidth;
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsWps, L("bodyPr"));
    const QString inset = QString::number(emuFromPx(format.padding()));
    m_xml.writeAttribute(L("rot"), L("0"));
    m_xml.writeAttribute(L("vert"), L("horz"));
    m_xml.writeAttribute(L("wrap"), L("square"));
    for (const char *side : {"lIns", "tIns", "rIns", "bIns"})
        m_xml.writeAttribute(L(side), inset);
    m_xml.writeAttribute(L("anchor"), L("t"));
    m_xml.writeAttribute(L("anchorCtr"), L("0"));
    m_xml.writeEmptyElement(kNsA, L("noAutofit"));
    m_xml.writeEndElement(); // bodyPr
    m_xml.writeEndElement(); // wsp
    m_xml.writeEndElement(); // graphicData
    m_xml.writeEndElement(); // graphic
    m_xml.writeEndElement(); // anchor
    m_xml.writeEndElement(); // drawing
    m_xml.writeEndElement(); // Choice
    m_xml.writeEndElement(); // AlternateContent
    m_xml.writeEndElement(); // r
}

} // namespace platform::docx::detail
