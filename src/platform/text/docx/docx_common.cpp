#include "docx_common.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace platform::docx::detail {

namespace {

constexpr QLatin1StringView kBookmarkPrefix{"_drJvoF"};

void writeInt(QXmlStreamWriter &xml, const char *name, int value) {
    if (value >= 0)
        xml.writeAttribute(QLatin1StringView(name), QString::number(value));
}

int intAttribute(const QXmlStreamAttributes &a, QLatin1StringView name, int fallback = -1) {
    bool ok = false;
    const int value = a.value(name).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

namespace {

// The encoding an XML declaration names, lower case; empty when it names none.
QByteArray declaredEncoding(QByteArrayView text) {
    if (!text.startsWith("<?xml"))
        return {};
    const qsizetype end = text.indexOf("?>");
    const QByteArrayView declaration =
        text.first(end < 0 ? qMin(text.size(), qsizetype(200)) : end);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return {};
    at += 8;
    while (at < declaration.size() && (declaration[at] == ' ' || declaration[at] == '='))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return QByteArray("?");
    const char quote = declaration[at];
    const qsizetype close = declaration.indexOf(quote, at + 1);
    if (close < 0)
        return QByteArray("?");
    return declaration.sliced(at + 1, close - at - 1).toByteArray().toLower();
}

} // namespace

void feedXml(QXmlStreamReader &xml, const QByteArray &bytes) {
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const QByteArray encoding = declaredEncoding(text);
    if (text.startsWith("<") && (encoding.isEmpty() || encoding == "utf-8")) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(text);
        if (!decoder.hasError()) {
            xml.addData(decoded);
            return;
        }
    }
    xml.addData(bytes);
}

QString fieldBookmarkName(int n) {
    return kBookmarkPrefix + QString::number(n);
}

int fieldBookmarkNumber(QStringView name) {
    if (!name.startsWith(kBookmarkPrefix))
        return 0;
    bool ok = false;
    const int n = name.mid(kBookmarkPrefix.size()).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QByteArray writeRecords(const QList<QPair<int, FieldRecord>> &fields,
                        const QList<QPair<int, ObjectRecord>> &objects) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kNsDj, QStringLiteral("dj"));
    xml.writeStartElement(kNsDj, QStringLiteral("drJvo"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    for (const auto &[n, f] : fields) {
        xml.writeEmptyElement(kNsDj, QStringLiteral("field"));
        writeInt(xml, "bm", n);
        writeInt(xml, "id", f.id);
        writeInt(xml, "kind", f.kind);
        xml.writeAttribute(QStringLiteral("attr"), QString::number(f.attribute));
        xml.writeAttribute(QStringLiteral("data"), f.data);
    }
    for (const auto &[n, o] : objects) {
        xml.writeEmptyElement(kNsDj, QStringLiteral("object"));
        writeInt(xml, "drawing", n);
        writeInt(xml, "id", o.id);
        writeInt(xml, "kind", o.kind);
        if (!o.name.isEmpty())
            xml.writeAttribute(QStringLiteral("name"), o.name);
        writeInt(xml, "export", o.exportCode);
        writeInt(xml, "save", o.saveMode);
        writeInt(xml, "flow", o.textFlow);
        writeInt(xml, "sx", o.scaleX);
        writeInt(xml, "sy", o.scaleY);
        if (!o.fileName.isEmpty())
            xml.writeAttribute(QStringLiteral("file"), o.fileName);
        if (!o.frame.isEmpty())
            xml.writeAttribute(QStringLiteral("frame"), o.frame);
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

Records readRecords(const QByteArray &bytes) {
    Records records;
    QXmlStreamReader xml(bytes);
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() != kNsDj || xml.name() != QLatin1StringView("drJvo"))
            return {};
        records.present = true;
        while (xml.readNextStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1StringView("field")) {
                FieldRecord f;
                f.id = intAttribute(a, QLatin1StringView("id"), 0);
                f.kind = intAttribute(a, QLatin1StringView("kind"), 0);
                f.attribute = intAttribute(a, QLatin1StringView("attr"), 0);
                f.data = a.value(QLatin1StringView("data")).toString();
                records.fields.insert(intAttribute(a, QLatin1StringView("bm"), 0), f);
            } else if (xml.name() == QLatin1StringView("object")) {
                ObjectRecord o;
                o.id = intAttribute(a, QLatin1StringView("id"), 0);
                o.kind = intAttribute(a, QLatin1StringView("kind"), 0);
                o.name = a.value(QLatin1StringView("name")).toString();
                o.exportCode = intAttribute(a, QLatin1StringView("export"));
                o.saveMode = intAttribute(a, QLatin1StringView("save"));
                o.textFlow = intAttribute(a, QLatin1StringView("flow"));
                o.scaleX = intAttribute(a, QLatin1StringView("sx"));
                o.scaleY = intAttribute(a, QLatin1StringView("sy"));
                o.fileName = a.value(QLatin1StringView("file")).toString().left(kMaxFileName);
                o.frame = a.value(QLatin1StringView("frame")).toString();
                records.objects.insert(intAttribute(a, QLatin1StringView("drawing"), 0), o);
            }
            xml.skipCurrentElement();
        }
    }
    return records;
}

} // namespace platform::docx::detail
