#include "docx_codec.h"
#include "docx_reader.h"

#include <QTextDocument>

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

// Reads one part; for the main text (section given) the referenced footnotes and endnotes too.
bool readPart(PackageReader &package, QTextDocument &document, const QString &path,
              Section *section, const QHash<QString, Target> &rels, QString *error) {
    QByteArray xml;
    if (!package.zip.read(path, xml, error))
        return false;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    package.numbering.resetCounters();
    PartReader reader(package, document, path);
    bool ok = reader.read(xml, section, error);
    for (int kind = 1; ok && section && kind <= 2; ++kind) {
        if (package.notes[kind - 1].isEmpty())
            continue;
        const L type = kind == 1 ? L("footnotes") : L("endnotes");
        for (const Target &t : rels) {
            if (t.type != type || t.external || !package.zip.contains(t.target))
                continue;
            ok = package.zip.read(t.target, xml, error) &&
                 reader.readNotes(xml, kind, t.target, error);
            break;
        }
    }
    document.setUndoRedoEnabled(undo);
    if (ok && package.records.present) {
        // Our packages keep the document's default font as the style defaults.
        const QTextCharFormat defaults = package.styles.defaultRun();
        QFont font = document.defaultFont();
        const QStringList families = defaults.fontFamilies().toStringList();
        if (!families.isEmpty())
            font.setFamilies(families);
        if (defaults.hasProperty(QTextFormat::FontPointSize))
            font.setPointSizeF(defaults.fontPointSize());
        document.setDefaultFont(font);
    }
    return ok;
}

} // namespace

bool read(const QByteArray &bytes, TextContent &content, QString *error) {
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

    QTextDocument scratch;
    Section section;
    if (!readPart(package, content.main ? *content.main : scratch, documentPath, &section, rels,
                  error)) {
        clearAll(content);
        return false;
    }
    if (section.found) {
        const int bits = content.page.headerFooterBits;
        content.page = section.page;
        content.page.headerFooterBits = bits;
    }
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        const QString &target = section.areaTargets[i];
        const bool firstPage = i % 2 == 1;
        if (target.isEmpty() || (firstPage && !section.titlePage) || !package.zip.contains(target))
            continue;
        bits |= 1 << i;
        if (QTextDocument *area = content.areas[size_t(i)]) {
            if (!readPart(package, *area, target, nullptr, {}, error)) {
                clearAll(content);
                return false;
            }
        }
    }
    content.page.headerFooterBits = bits;
    return true;
}

} // namespace platform::docx
