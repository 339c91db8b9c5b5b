#include "docx_codec.h"
#include "docx_package.h"
#include "docx_writer.h"

#include <QSet>
#include <QTextDocument>

#include <array>

namespace platform::docx {

namespace {

using namespace detail;
using L = QLatin1StringView;

constexpr std::array<L, 4> kAreaParts{L("header1"), L("header2"), L("footer1"), L("footer2")};
constexpr L kAreaType[4]{L("header"), L("header"), L("footer"), L("footer")};
constexpr L kCustomItemId{"{6D7A1C2E-5B0F-4C39-9E38-64A1D0B4F7A1}"};

QByteArray xmlPart(const std::function<void(QXmlStreamWriter &)> &body) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    body(xml);
    xml.writeEndDocument();
    return out;
}

QByteArray relationshipsPart(const QList<Relationship> &rels) {
    return xmlPart([&](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(kNsPkgRels);
        xml.writeStartElement(kNsPkgRels, L("Relationships"));
        for (const Relationship &r : rels) {
            xml.writeEmptyElement(kNsPkgRels, L("Relationship"));
            xml.writeAttribute(L("Id"), r.id);
            xml.writeAttribute(L("Type"),
                               r.type.startsWith(L("http")) ? r.type : QString(kRelBase + r.type));
            xml.writeAttribute(L("Target"), r.target);
            if (r.external)
                xml.writeAttribute(L("TargetMode"), L("External"));
        }
        xml.writeEndElement();
    });
}

void wVal(QXmlStreamWriter &xml, L element, const QString &value) {
    xml.writeEmptyElement(kNsW, element);
    xml.writeAttribute(kNsW, L("val"), value);
}

QByteArray stylesPart(const QTextDocument *main) {
    return xmlPart([&](QXmlStreamWriter &xml) {
        xml.writeNamespace(kNsW, QStringLiteral("w"));
        xml.writeStartElement(kNsW, L("styles"));
        xml.writeStartElement(kNsW, L("docDefaults"));
        xml.writeStartElement(kNsW, L("rPrDefault"));
        QTextCharFormat defaults;
        if (main) {
            const QFont font = main->defaultFont();
            if (!font.families().isEmpty() && !font.families().first().isEmpty())
                defaults.setFontFamilies(QStringList{font.families().first()});
            if (font.pointSizeF() > 0)
                defaults.setFontPointSize(font.pointSizeF());
        }
        writeRunProperties(xml, canonicalCharFormat(defaults));
        xml.writeEndElement();
        xml.writeStartElement(kNsW, L("pPrDefault"));
        xml.writeStartElement(kNsW, L("pPr"));
        xml.writeEmptyElement(kNsW, L("spacing"));
        xml.writeAttribute(kNsW, L("after"), L("0"));
        xml.writeAttribute(kNsW, L("line"), L("240"));
        xml.writeAttribute(kNsW, L("lineRule"), L("auto"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement(); // docDefaults
        xml.writeStartElement(kNsW, L("style"));
        xml.writeAttribute(kNsW, L("type"), L("paragraph"));
        xml.writeAttribute(kNsW, L("default"), L("1"));
        xml.writeAttribute(kNsW, L("styleId"), L("Normal"));
        wVal(xml, L("name"), QStringLiteral("Normal"));
        xml.writeStartElement(kNsW, L("pPr"));
        xml.writeEmptyElement(kNsW, L("widowControl"));
        xml.writeAttribute(kNsW, L("val"), L("0"));
        xml.writeEndElement();
        xml.writeEndElement(); // style
        xml.writeEndElement(); // styles
    });
}

QByteArray settingsPart(const QTextDocument *main) {
    return xmlPart([&](QXmlStreamWriter &xml) {
        xml.writeNamespace(kNsW, QStringLiteral("w"));
        xml.writeStartElement(kNsW, L("settings"));
        const double tab = main ? main->defaultTextOption().tabStopDistance() : 80;
        wVal(xml, L("defaultTabStop"), QString::number(twipsFromPx(tab > 0 ? tab : 80)));
        wVal(xml, L("characterSpacingControl"), QStringLiteral("doNotCompress"));
        xml.writeStartElement(kNsW, L("compat"));
        xml.writeEmptyElement(kNsW, L("compatSetting"));
        xml.writeAttribute(kNsW, L("name"), L("compatibilityMode"));
        xml.writeAttribute(kNsW, L("uri"), L("http://schemas.microsoft.com/office/word"));
        xml.writeAttribute(kNsW, L("val"), L("15"));
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QString levelText(const QTextListFormat &f, int level, L *numFmt) {
    switch (f.style()) {
    case QTextListFormat::ListCircle:
        *numFmt = L("bullet");
        return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare:
        *numFmt = L("bullet");
        return QStringLiteral("\u25AA");
    case QTextListFormat::ListDisc:
        *numFmt = L("bullet");
        return QStringLiteral("\u2022");
    case QTextListFormat::ListLowerAlpha:
        *numFmt = L("lowerLetter");
        break;
    case QTextListFormat::ListUpperAlpha:
        *numFmt = L("upperLetter");
        break;
    case QTextListFormat::ListLowerRoman:
        *numFmt = L("lowerRoman");
        break;
    case QTextListFormat::ListUpperRoman:
        *numFmt = L("upperRoman");
        break;
    default:
        *numFmt = L("decimal");
        break;
    }
    const QString suffix =
        f.hasProperty(QTextFormat::ListNumberSuffix) ? f.numberSuffix() : QStringLiteral(".");
    return f.numberPrefix() + u'%' + QString::number(level + 1) + suffix;
}

QByteArray numberingPart(const QList<QTextListFormat> &lists) {
    return xmlPart([&](QXmlStreamWriter &xml) {
        xml.writeNamespace(kNsW, QStringLiteral("w"));
        xml.writeStartElement(kNsW, L("numbering"));
        for (qsizetype i = 0; i < lists.size(); ++i) {
            const QTextListFormat &f = lists.at(i);
            xml.writeStartElement(kNsW, L("abstractNum"));
            xml.writeAttribute(kNsW, L("abstractNumId"), QString::number(i));
            wVal(xml, L("multiLevelType"), QStringLiteral("hybridMultilevel"));
            for (int level = 0; level < 9; ++level) {
                L numFmt;
                const QString text = levelText(f, level, &numFmt);
                xml.writeStartElement(kNsW, L("lvl"));
                xml.writeAttribute(kNsW, L("ilvl"), QString::number(level));
                const int start = f.hasProperty(TextProp::ListStart)
                                      ? qBound(0, f.intProperty(TextProp::ListStart), 1000000)
                                      : 1;
                wVal(xml, L("start"), QString::number(start));
                wVal(xml, L("numFmt"), numFmt);
                wVal(xml, L("lvlText"), text);
                wVal(xml, L("lvlJc"), QStringLiteral("left"));
                xml.writeStartElement(kNsW, L("pPr"));
                xml.writeEmptyElement(kNsW, L("ind"));
                // Qt indents a list by 40 pixels a level and hangs the marker.
                xml.writeAttribute(kNsW, L("left"), QString::number((level + 1) * 600));
                xml.writeAttribute(kNsW, L("hanging"), L("360"));
                xml.writeEndElement();
                xml.writeEndElement(); // lvl
            }
            xml.writeEndElement();
        }
        for (qsizetype i = 0; i < lists.size(); ++i) {
            xml.writeStartElement(kNsW, L("num"));
            xml.writeAttribute(kNsW, L("numId"), QString::number(i + 1));
            wVal(xml, L("abstractNumId"), QString::number(i));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

void writeSectionProperties(QXmlStreamWriter &xml, const PageSetup &page,
                            const std::array<bool, 4> &areas) {
    xml.writeStartElement(kNsW, L("sectPr"));
    for (int i = 0; i < 4; ++i) {
        if (!areas[size_t(i)])
            continue;
        xml.writeEmptyElement(kNsW, i < 2 ? L("headerReference") : L("footerReference"));
        xml.writeAttribute(kNsW, L("type"), i % 2 == 0 ? L("default") : L("first"));
        xml.writeAttribute(kNsR, L("id"), QStringLiteral("rIdArea%1").arg(i + 1));
    }
    xml.writeEmptyElement(kNsW, L("pgSz"));
    xml.writeAttribute(kNsW, L("w"), QString::number(page.width));
    xml.writeAttribute(kNsW, L("h"), QString::number(page.height));
    if (page.landscape)
        xml.writeAttribute(kNsW, L("orient"), L("landscape"));
    xml.writeEmptyElement(kNsW, L("pgMar"));
    xml.writeAttribute(kNsW, L("top"), QString::number(page.marginTop));
    xml.writeAttribute(kNsW, L("right"), QString::number(page.marginRight));
    xml.writeAttribute(kNsW, L("bottom"), QString::number(page.marginBottom));
    xml.writeAttribute(kNsW, L("left"), QString::number(page.marginLeft));
    xml.writeAttribute(kNsW, L("header"), QString::number(qMin(567, page.marginTop / 2)));
    xml.writeAttribute(kNsW, L("footer"), QString::number(qMin(567, page.marginBottom / 2)));
    xml.writeAttribute(kNsW, L("gutter"), L("0"));
    if (areas[1] || areas[3])
        xml.writeEmptyElement(kNsW, L("titlePg"));
    xml.writeEndElement();
}

} // namespace

QByteArray write(const TextContent &content) {
    PackageState package;
    const PageSetup &page = content.page;
    package.textWidthTwips = qMax(1440, page.width - page.marginLeft - page.marginRight);

    std::array<bool, 4> areas{};
    std::array<QByteArray, 4> areaXml;
    std::array<QList<Relationship>, 4> areaRels;
    for (int i = 0; i < 4; ++i) {
        areas[size_t(i)] = (page.headerFooterBits & (1 << i)) && content.areas[size_t(i)];
        if (!areas[size_t(i)])
            continue;
        PartWriter part(package, *content.areas[size_t(i)]);
        areaXml[size_t(i)] = part.write(i < 2 ? L("hdr") : L("ftr"), {});
        areaRels[size_t(i)] = part.relationships();
    }

    QTextDocument empty;
    const QTextDocument &main = content.main ? *content.main : empty;
    PartWriter body(package, main);
    const QByteArray documentXml = body.write(
        L("document"), [&](QXmlStreamWriter &xml) { writeSectionProperties(xml, page, areas); });
    // Footnotes and endnotes whose references the body holds.
    constexpr L kNoteParts[2]{L("footnotes"), L("endnotes")};
    std::array<QByteArray, 2> notesXml;
    std::array<QList<Relationship>, 2> notesRels;
    for (int kind = 1; kind <= 2; ++kind) {
        if (package.noteOrder[kind - 1].isEmpty())
            continue;
        PartWriter notes(package, main);
        notesXml[size_t(kind - 1)] = notes.writeNotes(kind);
        notesRels[size_t(kind - 1)] = notes.relationships();
    }

    QList<Relationship> documentRels{
        {QStringLiteral("rIdStyles"), QStringLiteral("styles"), QStringLiteral("styles.xml")},
        {QStringLiteral("rIdSettings"), QStringLiteral("settings"), QStringLiteral("settings.xml")},
    };
    if (!package.lists.isEmpty())
        documentRels.append({QStringLiteral("rIdNumbering"), QStringLiteral("numbering"),
                             QStringLiteral("numbering.xml")});
    for (int i = 0; i < 4; ++i)
        if (areas[size_t(i)])
            documentRels.append({QStringLiteral("rIdArea%1").arg(i + 1), kAreaType[i],
                                 kAreaParts[size_t(i)] + QStringLiteral(".xml")});
    for (int i = 0; i < 2; ++i)
        if (!notesXml[size_t(i)].isEmpty())
            documentRels.append({QStringLiteral("rIdNotes%1").arg(i + 1), kNoteParts[i],
                                 kNoteParts[i] + QStringLiteral(".xml")});
    documentRels.append({QStringLiteral("rIdRecords"), QStringLiteral("customXml"),
                         QStringLiteral("../customXml/item1.xml")});
    documentRels.append(body.relationships());

    // Content types.
    QSet<QString> extensions;
    for (const PackageState::Media &m : package.media)
        extensions.insert(m.path.section(u'.', -1));
    QStringList sortedExtensions(extensions.begin(), extensions.end());
    sortedExtensions.sort();
    const QByteArray contentTypes = xmlPart([&](QXmlStreamWriter &xml) {
        const L ns("http://schemas.openxmlformats.org/package/2006/content-types");
        xml.writeDefaultNamespace(ns);
        xml.writeStartElement(ns, L("Types"));
        auto def = [&](const QString &ext, const QString &type) {
            xml.writeEmptyElement(ns, L("Default"));
            xml.writeAttribute(L("Extension"), ext);
            xml.writeAttribute(L("ContentType"), type);
        };
        auto over = [&](const QString &part, const QString &type) {
            xml.writeEmptyElement(ns, L("Override"));
            xml.writeAttribute(L("PartName"), part);
            xml.writeAttribute(L("ContentType"), type);
        };
        def(QStringLiteral("rels"),
            QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        def(QStringLiteral("xml"), QStringLiteral("application/xml"));
        for (const QString &ext : sortedExtensions) {
            const QString type = ext == L("svg")   ? QStringLiteral("image/svg+xml")
                                 : ext == L("bin") ? QStringLiteral("application/octet-stream")
                                                   : QStringLiteral("image/") + ext;
            def(ext, type);
        }
        const QString wml = QStringLiteral("application/vnd.openxmlformats-officedocument."
                                           "wordprocessingml.");
        over(QStringLiteral("/word/document.xml"), wml + QStringLiteral("document.main+xml"));
        over(QStringLiteral("/word/styles.xml"), wml + QStringLiteral("styles+xml"));
        over(QStringLiteral("/word/settings.xml"), wml + QStringLiteral("settings+xml"));
        if (!package.lists.isEmpty())
            over(QStringLiteral("/word/numbering.xml"), wml + QStringLiteral("numbering+xml"));
        for (int i = 0; i < 4; ++i)
            if (areas[size_t(i)])
                over(QStringLiteral("/word/") + kAreaParts[size_t(i)] + QStringLiteral(".xml"),
                     wml + kAreaType[i] + QStringLiteral("+xml"));
        for (int i = 0; i < 2; ++i)
            if (!notesXml[size_t(i)].isEmpty())
                over(QStringLiteral("/word/") + kNoteParts[i] + QStringLiteral(".xml"),
                     wml + kNoteParts[i] + QStringLiteral("+xml"));
        over(QStringLiteral("/docProps/app.xml"),
             QStringLiteral(
                 "application/vnd.openxmlformats-officedocument.extended-properties+xml"));
        over(QStringLiteral("/customXml/itemProps1.xml"),
             QStringLiteral(
                 "application/vnd.openxmlformats-officedocument.customXmlProperties+xml"));
        xml.writeEndElement();
    });

    ZipWriter zip;
    zip.add(QStringLiteral("[Content_Types].xml"), contentTypes);
    zip.add(QStringLiteral("_rels/.rels"),
            relationshipsPart({{QStringLiteral("rId1"), QStringLiteral("officeDocument"),
                                QStringLiteral("word/document.xml")},
                               {QStringLiteral("rId2"), QStringLiteral("extended-properties"),
                                QStringLiteral("docProps/app.xml")}}));
    zip.add(QStringLiteral("docProps/app.xml"), xmlPart([](QXmlStreamWriter &xml) {
                const L ns("http://schemas.openxmlformats.org/officeDocument/2006/"
                           "extended-properties");
                xml.writeDefaultNamespace(ns);
                xml.writeStartElement(ns, L("Properties"));
                xml.writeTextElement(ns, L("Application"), QStringLiteral("drJvo"));
                xml.writeEndElement();
            }));
    zip.add(QStringLiteral("word/document.xml"), documentXml);
    zip.add(QStringLiteral("word/_rels/document.xml.rels"), relationshipsPart(documentRels));
    zip.add(QStringLiteral("word/styles.xml"), stylesPart(content.main));
    zip.add(QStringLiteral("word/settings.xml"), settingsPart(content.main));
    if (!package.lists.isEmpty())
        zip.add(QStringLiteral("word/numbering.xml"), numberingPart(package.lists));
    for (int i = 0; i < 4; ++i) {
        if (!areas[size_t(i)])
            continue;
        const QString name = QStringLiteral("word/") + kAreaParts[size_t(i)];
        zip.add(name + QStringLiteral(".xml"), areaXml[size_t(i)]);
        if (!areaRels[size_t(i)].isEmpty())
            zip.add(QStringLiteral("word/_rels/") + kAreaParts[size_t(i)] +
                        QStringLiteral(".xml.rels"),
                    relationshipsPart(areaRels[size_t(i)]));
    }
    for (int i = 0; i < 2; ++i) {
        if (notesXml[size_t(i)].isEmpty())
            continue;
        zip.add(QStringLiteral("word/") + kNoteParts[i] + QStringLiteral(".xml"),
                notesXml[size_t(i)]);
        if (!notesRels[size_t(i)].isEmpty())
            zip.add(QStringLiteral("word/_rels/") + kNoteParts[i] + QStringLiteral(".xml.rels"),
                    relationshipsPart(notesRels[size_t(i)]));
    }
    for (const PackageState::Media &m : package.media)
        zip.add(QStringLiteral("word/") + m.path, m.bytes, false);
    zip.add(QStringLiteral("customXml/item1.xml"), writeRecords(package.fields, package.objects));
    zip.add(QStringLiteral("customXml/itemProps1.xml"), xmlPart([](QXmlStreamWriter &xml) {
                const L ns("http://schemas.openxmlformats.org/officeDocument/2006/customXml");
                xml.writeNamespace(ns, QStringLiteral("ds"));
                xml.writeStartElement(ns, L("datastoreItem"));
                xml.writeAttribute(ns, L("itemID"), kCustomItemId);
                xml.writeStartElement(ns, L("schemaRefs"));
                xml.writeEmptyElement(ns, L("schemaRef"));
                xml.writeAttribute(ns, L("uri"), kNsDj);
                xml.writeEndElement();
                xml.writeEndElement();
            }));
    zip.add(QStringLiteral("customXml/_rels/item1.xml.rels"),
            relationshipsPart({{QStringLiteral("rId1"), QStringLiteral("customXmlProps"),
                                QStringLiteral("itemProps1.xml")}}));
    return zip.finish();
}

} // namespace platform::docx
