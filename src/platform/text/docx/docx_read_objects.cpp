#include "docx_reader.h"

#include "platform/text/guarded_document.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr int kPictureKind = 4;
constexpr int kTextFrameKind = 32;

qint64 emuAttribute(const QXmlStreamReader &xml, L name) {
    return xml.attributes().value(name).toLongLong();
}

// Resource names follow the surface's rule: derived from the bytes, so equal pictures share one.
QString pictureName(const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QString suffix = QString::fromLatin1(QImageReader::imageFormat(&buffer)).toLower();
    if (suffix.isEmpty())
        suffix = QStringLiteral("bin");
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("img_") + QString::fromLatin1(hash.left(20)) + u'.' + suffix;
}

QColor readFillColor(QXmlStreamReader &xml) {
    // On a:solidFill: its colour child.
    QColor color;
    while (xml.readNextStartElement()) {
        if (xml.name() == L("srgbClr"))
            color = readColor(xml.attributes().value(L("val")));
        xml.skipCurrentElement();
    }
    return color;
}

} // namespace

void PartReader::readDrawing() {
    while (m_xml.readNextStartElement()) {
        const bool anchored = m_xml.name() == L("anchor");
        if (!anchored && m_xml.name() != L("inline")) {
            m_xml.skipCurrentElement();
            continue;
        }
        const std::array<qint64, 4> dist{
            emuAttribute(m_xml, L("distL")), emuAttribute(m_xml, L("distT")),
            emuAttribute(m_xml, L("distR")), emuAttribute(m_xml, L("distB"))};
        qint64 cx = 0;
        qint64 cy = 0;
        int drawing = 0;
        QString alignH;
        QString wrap;
        qint64 topOffset = -1;
        QString blip;
        QString altText;
        bool textBox = false;
        QTextFrameFormat frameFormat;
        bool decoded = false; // the frame's format came from our record
        QTextFrame *frame = nullptr;
        while (m_xml.readNextStartElement()) {
            const QStringView n = m_xml.name();
            if (n == L("extent")) {
                cx = emuAttribute(m_xml, L("cx"));
                cy = emuAttribute(m_xml, L("cy"));
                m_xml.skipCurrentElement();
            } else if (n == L("docPr")) {
                // Our records go by the number in the drawing's name, which other programs keep
                // when they renumber drawing ids.
                bool ok = false;
                drawing = m_xml.attributes().value(L("name")).split(u' ').last().toInt(&ok);
                if (!ok)
                    drawing = m_xml.attributes().value(L("id")).toInt();
                altText = m_xml.attributes().value(L("descr")).toString().left(kMaxAltText);
                m_xml.skipCurrentElement();
            } else if (n == L("positionH") || n == L("positionV")) {
                const bool margin = m_xml.attributes().value(L("relativeFrom")) == L("margin");
                const bool horizontal = n == L("positionH");
                while (m_xml.readNextStartElement()) {
                    const QString text = m_xml.readElementText();
                    if (horizontal && m_xml.name() == L("align"))
                        alignH = text;
                    else if (!horizontal && margin && m_xml.name() == L("posOffset"))
                        topOffset = text.toLongLong();
                }
            } else if (n.startsWith(L("wrap"))) {
                wrap = n.toString();
                m_xml.skipCurrentElement();
            } else if (n == L("graphic")) {
                // Walk the graphic: a picture's blip, or a text box's shape.
                int depth = 1;
                while (depth > 0 && !m_xml.atEnd()) {
                    const auto token = m_xml.readNext();
                    if (token == QXmlStreamReader::EndElement) {
                        --depth;
                        continue;
                    }
                    if (token != QXmlStreamReader::StartElement)
                        continue;
                    ++depth;
                    const QStringView e = m_xml.name();
                    if (e == L("blip")) {
                        blip = m_xml.attributes().value(kNsR, L("embed")).toString();
                    } else if (e == L("wsp")) {
                        textBox = true;
                        const auto record = m_package.records.objects.constFind(drawing);
                        if (record != m_package.records.objects.cend() &&
                            !record->frame.isEmpty()) {
                            frameFormat = decodeFormat(record->frame).toFrameFormat();
                            decoded = frameFormat.isValid();
                        }
                        if (!decoded) {
                            frameFormat = QTextFrameFormat();
                            frameFormat.setWidth(
                                QTextLength(QTextLength::FixedLength, pxFromEmu(cx)));
                            frameFormat.setHeight(
                                QTextLength(QTextLength::FixedLength, pxFromEmu(cy)));
                            frameFormat.setProperty(TextProp::ObjectKind, kTextFrameKind);
                            frameFormat.setProperty(TextProp::FrameWidth, twipsFromEmu(cx));
                            frameFormat.setProperty(TextProp::FrameHeight, twipsFromEmu(cy));
                            QList<int> distances;
                            for (qint64 d : dist)
                                distances.append(twipsFromEmu(d));
                            frameFormat.setProperty(TextProp::FrameDistances,
                                                    QVariant::fromValue(distances));
                            if (topOffset >= 0)
                                frameFormat.setProperty(TextProp::FrameTop,
                                                        twipsFromEmu(topOffset));
                            frameFormat.setPosition(
                                wrap == L("wrapTopAndBottom") ? QTextFrameFormat::InFlow
                                : alignH == L("right")        ? QTextFrameFormat::FloatRight
                                                              : QTextFrameFormat::FloatLeft);
                            frameFormat.setBorder(0);
                        }
                    } else if (textBox && !frame && e == L("solidFill") && !decoded) {
                        --depth;
                        const QColor c = readFillColor(m_xml);
                        if (c.isValid())
                            frameFormat.setBackground(c);
                    } else if (textBox && !frame && e == L("ln") && !decoded) {
                        const qint64 width = emuAttribute(m_xml, L("w"));
                        if (width > 0) {
                            frameFormat.setBorder(pxFromEmu(width));
                            frameFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                        }
                    } else if (textBox && e == L("txbxContent")) {
                        --depth;
                        frame = insertTextBox(frameFormat);
                    } else if (textBox && frame && e == L("bodyPr") && !decoded) {
                        const qint64 inset = emuAttribute(m_xml, L("lIns"));
                        QTextFrameFormat f = frame->frameFormat();
                        f.setPadding(pxFromEmu(inset));
                        frame->setFrameFormat(f);
                    }
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (!textBox && !blip.isEmpty()) {
            int flow = 0;
            if (anchored)
                flow = wrap == L("wrapNone") ? 3 : alignH == L("right") ? 1 : 2;
            insertPicture(blip, cx, cy, drawing, flow, altText);
        }
    }
}

void PartReader::insertPicture(const QString &relId, qint64 cx, qint64 cy, int drawing, int flow,
                               const QString &altText) {
    const Target target = m_rels.value(relId);
    if (target.external || target.target.isEmpty())
        return;
    QByteArray bytes;
    if (!m_package.zip.read(target.target, bytes, nullptr) || bytes.isEmpty())
        return;
    const auto record = m_package.records.objects.constFind(drawing);
    const bool known = m_package.records.present && record != m_package.records.objects.cend();
    QTextImageFormat format;
    format.merge(contentFormat());
    format.setObjectType(QTextFormat::ImageObject);
    const QString name = known && !record->name.isEmpty() ? record->name : pictureName(bytes);
    format.setName(name);
    if (cx > 0)
        format.setWidth(pxFromEmu(cx));
    if (cy > 0)
        format.setHeight(pxFromEmu(cy));
    if (!altText.isEmpty())
        format.setProperty(QTextFormat::ImageAltText, altText);
    if (known) {
        if (record->id > 0)
            format.setProperty(TextProp::ObjectId, record->id);
        auto optional = [&](int property, int value) {
            if (value >= 0)
                format.setProperty(property, value);
        };
        optional(TextProp::ObjectKind, record->kind);
        optional(TextProp::PictureExportCode, record->exportCode);
        optional(TextProp::PictureSaveMode, record->saveMode);
        optional(TextProp::TextFlow, record->textFlow);
        optional(TextProp::ScaleX, record->scaleX);
        optional(TextProp::ScaleY, record->scaleY);
        if (!record->fileName.isEmpty())
            format.setProperty(TextProp::PictureFileName, record->fileName);
    } else {
        format.setProperty(TextProp::ObjectKind, kPictureKind);
        format.setProperty(TextProp::TextFlow, flow);
    }
    // Asking the document would make it look for a file of that name: keep our own list. A
    // picture too large to decode keeps its place without its bytes.
    if (!m_resources.contains(name) && picturePixelsWithinLimit(bytes)) {
        m_resources.insert(name);
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    }
    flushText();
    beginContent();
    ensureBlock();
    m_cursor.insertImage(format);
}

QTextFrame *PartReader::insertTextBox(const QTextFrameFormat &format) {
    flushText();
    ensureBlock();
    QTextFrame *frame = m_cursor.insertFrame(format);

    // The box's content is a container of its own; the paragraph goes on after it.
    const ParagraphProps para = m_para;
    const QTextCharFormat paraRun = m_paraRun;
    const QTextCharFormat runFormat = m_runFormat;
    const QTextCharFormat field = m_field;
    const QString fieldBookmark = m_fieldBookmark;
    const int paraBlocks = m_paraBlocks;
    const bool pendingBreak = m_pendingBreak;
    const auto complex = m_complex;
    m_field = QTextCharFormat();
    m_fieldBookmark.clear();
    m_complex.clear();
    m_fresh = true;
    readContainer();
    flushText();
    m_para = para;
    m_paraRun = paraRun;
    m_runFormat = runFormat;
    m_field = field;
    m_fieldBookmark = fieldBookmark;
    m_paraBlocks = paraBlocks;
    m_complex = complex;
    m_pendingBreak = pendingBreak;
    m_cursor.setPosition(frame->lastPosition() + 1);
    m_fresh = true;
    m_blockOpen = false;
    return frame;
}

} // namespace platform::docx::detail
