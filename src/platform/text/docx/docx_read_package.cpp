#include "docx_codec.h"
#include "docx_reader.h"

#include <QTextDocument>

#include <algorithm>

namespace platform::docx {

namespace {

using namespace detail;
using L = QLatin1StringView;

void clearAll(TextContent &content) {
    if (content.main)
        content.main->clear();
    for (QTextDocument *area : content.areas)
        if (area)
            area->clear();
}

// Our packages keep the document's default font as the style defaults.
void takeDefaultFont(const PackageReader &package, QTextDocument &document) {
    if (!package.records.present)
        return;
    const QTextCharFormat defaults = package.styles.defaultRun();
    QFont font = document.defaultFont();
    const QStringList families = defaults.fontFamilies().toStringList();
    if (!families.isEmpty())
        font.setFamilies(families);
    if (defaults.hasProperty(QTextFormat::FontPointSize))
        font.setPointSizeF(defaults.fontPointSize());
    document.setDefaultFont(font);
}

// Reads one part from its XML; for the main text (section given) the referenced footnotes and
// endnotes too, and with a pause for a first screen when one is given.
bool readPartXml(PackageReader &package, QTextDocument &document, const QString &path,
                 const QByteArray &xml, Section *section, const QHash<QString, Target> &rels,
                 const FirstScreen *first, QString *error) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    package.numbering.resetCounters();
    PartReader reader(package, document, path);
    if (first) {
        reader.pauseAfter(first->characters, [&] {
            takeDefaultFont(package, document);
            first->shown();
        });
    }
    QByteArray notesXml;
    bool ok = reader.read(xml, section, error);
    for (int kind = 1; ok && section && kind <= 2; ++kind) {
        if (package.notes[kind - 1].isEmpty())
            continue;
        const L type = kind == 1 ? L("footnotes") : L("endnotes");
        for (const Target &t : rels) {
            if (t.type != type || t.external || !package.zip.contains(t.target))
                continue;
            ok = package.zip.read(t.target, notesXml, error) &&
                 reader.readNotes(notesXml, kind, t.target, error);
            break;
        }
    }
    document.setUndoRedoEnabled(undo);
    if (ok)
        takeDefaultFont(package, document);
    return ok;
}

bool readPart(PackageReader &package, QTextDocument &document, const QString &path,
              Section *section, const QHash<QString, Target> &rels, QString *error) {
    QByteArray xml;
    return package.zip.read(path, xml, error) &&
           readPartXml(package, document, path, xml, section, rels, nullptr, error);
}

// The page values of a main part whose body has one w:sectPr, standing last, read ahead of the
// text from that element alone, under the part's own root and namespaces.
bool readSectionAhead(PackageReader &package, const QString &path, const QByteArray &xml,
                      Section &section) {
    static const QByteArray open = "<w:sectPr";
    static const QByteArray close = "</w:sectPr>";
    static const QByteArray body = "<w:body>";
    static const QByteArray end = "</w:body></w:document>";
    const qsizetype at = xml.indexOf(open);
    if (at < 0 || xml.indexOf(open, at + open.size()) >= 0)
        return false;
    const qsizetype closeAt = xml.indexOf(close, at);
    const qsizetype bodyAt = xml.indexOf(body);
    if (closeAt < 0 || bodyAt < 0 || bodyAt > at ||
        QByteArrayView(xml).sliced(closeAt + close.size()).trimmed() != QByteArrayView(end))
        return false;
    const QByteArray alone =
        xml.left(bodyAt + body.size()) + xml.mid(at, closeAt + close.size() - at) + end;
    QTextDocument scratch;
    PartReader reader(package, scratch, path);
    return reader.read(alone, &section, nullptr) && section.found;
}

bool sameAreas(const Section &a, const Section &b) {
    return a.titlePage == b.titlePage &&
           std::equal(std::begin(a.areaTargets), std::end(a.areaTargets),
                      std::begin(b.areaTargets));
}

// Reads the headers and footers the section names into the content's area documents.
bool readAreas(PackageReader &package, const Section &section, TextContent &content,
               QString *error) {
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        QTextDocument *area = content.areas[size_t(i)];
        if (area)
            area->clear();
        const QString &target = section.areaTargets[i];
        const bool firstPage = i % 2 == 1;
        if (target.isEmpty() || (firstPage && !section.titlePage) || !package.zip.contains(target))
            continue;
        bits |= 1 << i;
        if (area && !readPart(package, *area, target, nullptr, {}, error))
            return false;
    }
    content.page.headerFooterBits = bits;
    return true;
}

void takePage(const Section &section, TextContent &content) {
    if (!section.found)
        return;
    const int bits = content.page.headerFooterBits;
    content.page = section.page;
    content.page.headerFooterBits = bits;
}

} // namespace

bool read(const QByteArray &bytes, TextContent &content, QString *error, const FirstScreen *first) {
    clearAll(content);
    PackageReader package;
    if (!package.zip.open(bytes, error))
        return false;

    QString documentPath = QStringLiteral("word/document.xml");
    QByteArray xml;
    if (package.zip.contains(QStringLiteral("_rels/.rels")) &&
        package.zip.read(QStringLiteral("_rels/.rels"), xml, nullptr)) {
        for (const Target &t : readRelationships(xml, QString()))
            if (t.type == L("officeDocument") && !t.external)
                documentPath = t.target;
    }
    if (!package.zip.contains(documentPath)) {
        if (error)
            *error = QStringLiteral("not a Word document");
        return false;
    }

    const QString relsPath = documentPath.section(u'/', 0, -2) + QStringLiteral("/_rels/") +
                             documentPath.section(u'/', -1) + QStringLiteral(".rels");
    QHash<QString, Target> rels;
    if (package.zip.contains(relsPath) && package.zip.read(relsPath, xml, nullptr))
        rels = readRelationships(xml, documentPath);
    QList<Target> targets = rels.values();
    std::sort(targets.begin(), targets.end(),
              [](const Target &a, const Target &b) { return a.target < b.target; });
    // The theme first: styles name its fonts.
    for (const Target &t : targets)
        if (t.type == L("theme") && !t.external && package.zip.read(t.target, xml, nullptr))
            package.theme.read(xml);
    for (const Target &t : targets) {
        if (t.external || !package.zip.contains(t.target))
            continue;
        if (t.type == L("customXml") && !package.records.present) {
            if (package.zip.read(t.target, xml, nullptr))
                package.records = readRecords(xml);
        } else if (t.type == L("styles")) {
            if (package.zip.read(t.target, xml, nullptr))
                package.styles.read(xml, &package.theme);
        } else if (t.type == L("numbering")) {
            if (package.zip.read(t.target, xml, nullptr))
                package.numbering.read(xml);
        }
    }
    for (const FieldRecord &f : std::as_const(package.records.fields))
        package.nextFieldId = qMax(package.nextFieldId, f.id + 1);

    QByteArray mainXml;
    if (!package.zip.read(documentPath, mainXml, error))
        return false;
    // A long main text of a first screen has its page values, header and footer read first.
    Section ahead;
    const bool early = first && first->shown && content.main &&
                       mainXml.size() >= first->minimumPart &&
                       readSectionAhead(package, documentPath, mainXml, ahead);
    if (early) {
        takePage(ahead, content);
        if (!readAreas(package, ahead, content, error)) {
            clearAll(content);
            return false;
        }
    }
    QTextDocument scratch;
    Section section;
    if (!readPartXml(package, content.main ? *content.main : scratch, documentPath, mainXml,
                     &section, rels, early ? first : nullptr, error)) {
        clearAll(content);
        return false;
    }
    takePage(section, content);
    if ((!early || !sameAreas(ahead, section)) && !readAreas(package, section, content, error)) {
        clearAll(content);
        return false;
    }
    return true;
}

} // namespace platform::docx
