#include "docx_reader.h"

#include "platform/text/text_lists.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <array>
#include <utility>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr int kMarkerAttribute = 149;

QString wValue(const QXmlStreamReader &xml, L name = L("val")) {
    return xml.attributes().value(kNsW, name).toString();
}

// The quoted target of a HYPERLINK field instruction and its \l anchor.
QString hyperlinkTarget(const QString &instruction) {
    const QStringList parts = instruction.split(u'"');
    QString target;
    QString anchor;
    bool nextIsAnchor = false;
    for (int i = 0; i < parts.size(); ++i) {
        if (i % 2 == 1) {
            if (nextIsAnchor)
                anchor = parts.at(i);
            else if (target.isEmpty())
                target = parts.at(i);
            nextIsAnchor = false;
        } else {
            nextIsAnchor = parts.at(i).trimmed().endsWith(L("\\l"));
        }
    }
    if (!anchor.isEmpty())
        return target + u'#' + anchor;
    return target;
}

} // namespace

QHash<QString, Target> readRelationships(const QByteArray &bytes, const QString &partPath) {
    QHash<QString, Target> rels;
    const QString folder = partPath.section(u'/', 0, -2);
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement())
        return rels;
    while (xml.readNextStartElement()) {
        const QXmlStreamAttributes a = xml.attributes();
        Target t;
        t.type = a.value(L("Type")).toString().section(u'/', -1);
        t.external = a.value(L("TargetMode")) == L("External");
        t.target = a.value(L("Target")).toString();
        if (!t.external) {
            // Package paths: relative to the part's folder, or absolute from the root.
            QString path = t.target.startsWith(u'/') ? t.target.mid(1)
                           : folder.isEmpty()        ? t.target
                                                     : folder + u'/' + t.target;
            QStringList out;
            for (const QString &segment : path.split(u'/')) {
                if (segment == L(".."))
                    out.isEmpty() ? void() : out.removeLast();
                else if (segment != L(".") && !segment.isEmpty())
                    out.append(segment);
            }
            t.target = out.join(u'/');
        }
        rels.insert(a.value(L("Id")).toString(), t);
        xml.skipCurrentElement();
    }
    return rels;
}

PartReader::PartReader(PackageReader &package, QTextDocument &document, const QString &partPath)
    : m_package(package), m_document(document), m_partPath(partPath), m_cursor(&document) {
    const QString relsPath = partPath.section(u'/', 0, -2) + QStringLiteral("/_rels/") +
                             partPath.section(u'/', -1) + QStringLiteral(".rels");
    QByteArray rels;
    if (package.zip.contains(relsPath) && package.zip.read(relsPath, rels, nullptr))
        m_rels = readRelationships(rels, partPath);
}

bool PartReader::read(const QByteArray &bytes, Section *section, QString *error) {
    m_section = section;
    feedXml(m_xml, bytes);
    m_cursor.beginEditBlock();
    if (m_xml.readNextStartElement()) {
        if (m_xml.name() == L("document")) {
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == L("body"))
                    readContainer();
                else
                    m_xml.skipCurrentElement();
            }
        } else {
            readContainer();
        }
    }
    m_cursor.endEditBlock();
    if (m_xml.hasError()) {
        if (error)
            *error = QStringLiteral("%1 is damaged: %2").arg(m_partPath, m_xml.errorString());
        return false;
    }
    return true;
}

void PartReader::pauseAfter(int characters, std::function<void()> paused) {
    m_pauseCharacters = characters;
    m_paused = std::move(paused);
}

// Between two top-level elements of the body nothing is half built: no paragraph, table, field
// or joined paragraph mark is open, so what is in shows as it will stay.
void PartReader::pauseIfDue() {
    if (!m_paused || m_depth != 1 || m_document.characterCount() < m_pauseCharacters ||
        m_xml.hasError() || !m_complex.isEmpty() || m_field.hasProperty(TextProp::FieldId) ||
        m_joinNext)
        return;
    const std::function<void()> paused = std::exchange(m_paused, {});
    m_cursor.endEditBlock();
    paused();
    m_cursor.beginEditBlock();
}

void PartReader::readContainer() {
    const NestingGuard guard(m_depth);
    if (guard.tooDeep()) {
        m_xml.skipCurrentElement();
        return;
    }
    while (m_xml.readNextStartElement()) {
        pauseIfDue();
        const QStringView n = m_xml.name();
        if (n == L("p"))
            readParagraph();
        else if (n == L("tbl"))
            readTable();
        else if (n == L("sdt") || n == L("sdtContent") || n == L("customXml") || n == L("ins"))
            readContainer();
        else if (n == L("sectPr") && m_section)
            readSection(*m_section);
        else if (n == L("bookmarkStart"))
            bookmarkStart();
        else if (n == L("bookmarkEnd"))
            bookmarkEnd();
        else if (n == L("AlternateContent"))
            readAlternateContent(false);
        else
            m_xml.skipCurrentElement();
    }
}

void PartReader::readParagraph() {
    const bool ours = m_package.records.present;
    m_para = ParagraphProps();
    m_blockOpen = false;
    m_paraBlocks = 0;
    m_pendingBreak = false;
    m_text.clear();

    ParagraphProps direct;
    bool content = m_xml.readNextStartElement();
    if (content && m_xml.name() == L("pPr")) {
        if (m_section)
            readParagraphProperties(m_xml, direct, [this] { readSection(*m_section); });
        else
            readParagraphProperties(m_xml, direct);
        content = m_xml.readNextStartElement();
    }
    // Styles only for packages of other programs: ours carry every value directly.
    if (ours) {
        m_para = direct;
        m_paraRun = QTextCharFormat();
    } else {
        const QString style =
            direct.style.isEmpty() ? m_package.styles.defaultParagraphStyle() : direct.style;
        m_para = m_package.styles.paragraph(style);
        m_paraRun = m_para.mark;
        m_para.block.merge(direct.block);
        m_para.mark.merge(direct.mark);
        if (direct.numId >= 0)
            m_para.numId = direct.numId;
        if (direct.level >= 0)
            m_para.level = direct.level;
        m_para.markDeleted = direct.markDeleted;
    }
    // The reader stands on the first content element, or at the paragraph's end.
    if (content)
        readParagraphContent();
    flushText();
    // A paragraph that only held a page break leaves no block: the break goes to the next one.
    if (m_paraBlocks == 0 && !(m_breakBefore && m_breakParagraph))
        ensureBlock();
    if (m_pendingBreak) {
        QTextBlockFormat f = m_cursor.blockFormat();
        f.setPageBreakPolicy(f.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysAfter);
        m_cursor.setBlockFormat(f);
    }
    m_blockOpen = false;
    m_joinNext = m_para.markDeleted;
}

void PartReader::readParagraphContent() {
    // Called on a start element inside a paragraph (or a container within it); reads it and
    // its siblings up to the parent's end.
    const NestingGuard guard(m_depth);
    if (guard.tooDeep()) {
        do
            m_xml.skipCurrentElement();
        while (m_xml.readNextStartElement());
        return;
    }
    do {
        const QStringView n = m_xml.name();
        if (n == L("r"))
            readRun();
        else if (n == L("hyperlink"))
            readHyperlink();
        else if (n == L("fldSimple"))
            readSimpleField();
        else if (n == L("bookmarkStart"))
            bookmarkStart();
        else if (n == L("bookmarkEnd"))
            bookmarkEnd();
        else if (n == L("ins") || n == L("moveTo") || n == L("smartTag") || n == L("sdt") ||
                 n == L("sdtContent") || n == L("customXml") || n == L("dir") || n == L("bdo")) {
            if (m_xml.readNextStartElement())
                readParagraphContent();
        } else if (n == L("AlternateContent")) {
            readAlternateContent(true);
        } else {
            m_xml.skipCurrentElement();
        }
    } while (m_xml.readNextStartElement());
}

void PartReader::ensureBlock() {
    if (m_blockOpen)
        return;
    QTextBlockFormat block = m_para.block;
    if (m_paraBlocks > 0) // a paragraph split by a text box or page break goes on
        block.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    if (m_breakBefore) {
        block.setPageBreakPolicy(block.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        m_breakBefore = false;
    }
    if (m_noteKind > 0) {
        block.setProperty(TextProp::NoteBody, m_noteKind);
        block.setProperty(TextProp::NoteId, m_noteId);
    }
    // A paragraph whose mark was deleted goes on in this one, which gives the values.
    const bool join = m_joinNext && m_paraBlocks == 0 && !m_fresh;
    m_joinNext = false;
    if (m_fresh || join) {
        m_cursor.setBlockFormat(block);
        m_cursor.setBlockCharFormat(m_para.mark);
    } else {
        m_cursor.insertBlock(block, m_para.mark);
    }
    m_fresh = false;
    m_blockOpen = true;
    ++m_paraBlocks;
    // A paragraph about to join the next one is counted there.
    if (m_para.numId > 0 && !m_para.markDeleted) {
        ListLabel label;
        if (m_package.numbering.next(m_para.numId, qBound(0, m_para.level, 8), label)) {
            if (QTextList *list = listFor(label)) {
                list->add(m_cursor.block());
                if (hasOwnLabels(list->format())) {
                    QTextBlockFormat own;
                    switchOffQtMarker(own);
                    m_cursor.mergeBlockFormat(own);
                }
            }
        }
    }
}

// Qt numbers a list's items from 1; a list starting elsewhere keeps its start, and its labels are
// drawn by us (text_lists.h). A label continues a list only where the list's next number is the
// label's own, else a new list starts.
QTextList *PartReader::listFor(const ListLabel &label) {
    OpenList &open = m_lists[qMakePair(label.counter, label.format.indent())];
    if (open.list) {
        const QTextListFormat f = open.list->format();
        const int start =
            f.hasProperty(TextProp::ListStart) ? f.intProperty(TextProp::ListStart) : 1;
        if (f.style() == label.format.style() && f.numberPrefix() == label.format.numberPrefix() &&
            f.numberSuffix() == label.format.numberSuffix() &&
            (label.number == 0 || label.number == start + open.list->count()))
            return open.list;
    }
    QTextListFormat format = label.format;
    if (label.number != 0 && label.number != 1)
        format.setProperty(TextProp::ListStart, label.number);
    open.list = m_cursor.createList(format);
    return open.list;
}

void PartReader::readRun() {
    QTextCharFormat direct;
    QString style;
    m_runFormat = m_paraRun;
    while (m_xml.readNextStartElement()) {
        const QStringView n = m_xml.name();
        if (n == L("rPr")) {
            readRunProperties(m_xml, direct, &style,
                              m_package.records.present ? nullptr : &m_package.theme);
            if (!m_package.records.present && !style.isEmpty())
                m_runFormat.merge(m_package.styles.characterStyle(style));
            m_runFormat.merge(direct);
            continue;
        }
        if (n == L("t")) {
            const QString text = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (m_complex.isEmpty() || m_complex.last().result)
                insertText(text);
            continue;
        }
        if (n == L("instrText")) {
            const QString text = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (!m_complex.isEmpty())
                m_complex.last().instruction += text;
            continue;
        }
        if (n == L("tab")) {
            insertText(QStringLiteral("\t"));
        } else if (n == L("br")) {
            if (wValue(m_xml, L("type")) == L("page"))
                pageBreak();
            else
                insertText(QString(QChar(0x2028)));
        } else if (n == L("cr")) {
            insertText(QString(QChar(0x2028)));
        } else if (n == L("softHyphen")) {
            insertText(QString(QChar(0xAD)));
        } else if (n == L("noBreakHyphen")) {
            insertText(QString(QChar(0x2011)));
        } else if (n == L("sym")) {
            // The code point as named (private-use codes of symbol fonts stay), in its font.
            bool ok = false;
            const uint code = wValue(m_xml, L("char")).toUInt(&ok, 16);
            if (ok && code >= 0x20 && code < 0xFFFE && (code < 0xD800 || code >= 0xE000)) {
                const QString font = wValue(m_xml, L("font"));
                flushText();
                const QTextCharFormat run = m_runFormat;
                if (!font.isEmpty())
                    m_runFormat.setFontFamilies(QStringList{font});
                insertText(QString(QChar(char16_t(code))));
                flushText();
                m_runFormat = run;
            }
        } else if (n == L("ruby")) {
            readRuby();
            continue;
        } else if (n == L("footnoteReference") || n == L("endnoteReference")) {
            noteMark(n == L("footnoteReference") ? 1 : 2, wValue(m_xml, L("id")));
        } else if (n == L("footnoteRef") || n == L("endnoteRef")) {
            noteMark(n == L("footnoteRef") ? 1 : 2, QString());
        } else if (n == L("fldChar")) {
            readFieldChar();
        } else if (n == L("drawing")) {
            readDrawing();
            continue;
        } else if (n == L("AlternateContent")) {
            readAlternateContent(true);
            continue;
        }
        m_xml.skipCurrentElement();
    }
    flushText();
}

QTextCharFormat PartReader::contentFormat() const {
    QTextCharFormat f = m_runFormat;
    if (m_inRuby && !m_ruby.isEmpty()) {
        f.setProperty(TextProp::RubyText, m_ruby);
        if (m_rubyGroup)
            f.setProperty(TextProp::RubyGroup, 1);
    }
    if (m_field.hasProperty(TextProp::FieldId))
        f.merge(m_field);
    return f;
}

QTextBlockFormat PartReader::emptyBlockFormat() const {
    QTextBlockFormat f;
    if (m_noteKind > 0) {
        f.setProperty(TextProp::NoteBody, m_noteKind);
        f.setProperty(TextProp::NoteId, m_noteId);
    }
    return f;
}

void PartReader::insertText(const QString &text) {
    beginContent();
    m_text += text;
}

void PartReader::beginContent() {
    if (m_pendingBreak) {
        // Text after a page break starts the next block.
        flushText();
        QTextBlockFormat f = m_cursor.blockFormat();
        f.setPageBreakPolicy(f.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysAfter);
        m_cursor.setBlockFormat(f);
        m_pendingBreak = false;
        m_blockOpen = false;
        ensureBlock();
    }
}

void PartReader::flushText() {
    if (m_text.isEmpty())
        return;
    ensureBlock();
    m_cursor.insertText(m_text, contentFormat());
    m_text.clear();
}

void PartReader::pageBreak() {
    flushText();
    if (m_package.records.present) {
        // Ours: a break at the paragraph's end is the paragraph's break after.
        ensureBlock();
        m_pendingBreak = true;
        return;
    }
    // Other programs' breaks become the surface's page break: a break before the next block.
    m_breakBefore = true;
    m_breakParagraph = m_paraBlocks == 0;
    m_blockOpen = false;
}

QTextCharFormat PartReader::linkField(const QString &data, int kind) const {
    QTextCharFormat f;
    f.setProperty(TextProp::FieldId, m_package.nextFieldId++);
    f.setProperty(TextProp::FieldData, data);
    f.setProperty(TextProp::FieldLinkKind, kind);
    f.setProperty(TextProp::FieldAttribute, kMarkerAttribute);
    return f;
}

void PartReader::readHyperlink() {
    flushText();
    const QTextCharFormat saved = m_field;
    if (!m_field.hasProperty(TextProp::FieldId)) {
        // A link the package has no record of (written by another program).
        const QXmlStreamAttributes a = m_xml.attributes();
        const QString anchor = a.value(kNsW, L("anchor")).toString();
        const QString tooltip = a.value(kNsW, L("tooltip")).toString();
        const Target target = m_rels.value(a.value(kNsR, L("id")).toString());
        if (!target.target.isEmpty())
            m_field = linkField(target.target + (anchor.isEmpty() ? QString() : u'#' + anchor), 1);
        else if (!tooltip.isEmpty() && (anchor.isEmpty() || fieldBookmarkNumber(anchor) > 0))
            m_field = linkField(QStringLiteral("TP_") + tooltip, 2);
        else if (!anchor.isEmpty())
            m_field = linkField(u'#' + anchor, 1);
        else if (!tooltip.isEmpty())
            m_field = linkField(QStringLiteral("TP_") + tooltip, 2);
    }
    if (m_xml.readNextStartElement())
        readParagraphContent();
    flushText();
    m_field = saved;
}

void PartReader::readSimpleField() {
    flushText();
    const QTextCharFormat saved = m_field;
    const QString instruction = wValue(m_xml, L("instr")).trimmed();
    if (!m_field.hasProperty(TextProp::FieldId) &&
        instruction.startsWith(L("HYPERLINK"), Qt::CaseInsensitive))
        m_field = linkField(hyperlinkTarget(instruction), 1);
    if (m_xml.readNextStartElement())
        readParagraphContent();
    flushText();
    m_field = saved;
}

void PartReader::readFieldChar() {
    const QString type = wValue(m_xml, L("fldCharType"));
    if (type == L("begin")) {
        flushText();
        m_complex.append(ComplexField());
    } else if (type == L("separate") && !m_complex.isEmpty()) {
        ComplexField &f = m_complex.last();
        f.result = true;
        f.saved = m_field;
        const QString instruction = f.instruction.trimmed();
        if (!m_field.hasProperty(TextProp::FieldId) &&
            instruction.startsWith(L("HYPERLINK"), Qt::CaseInsensitive)) {
            f.link = true;
            m_field = linkField(hyperlinkTarget(instruction), 1);
        }
    } else if (type == L("end") && !m_complex.isEmpty()) {
        flushText();
        if (m_complex.last().link)
            m_field = m_complex.last().saved;
        m_complex.removeLast();
    }
}

void PartReader::bookmarkStart() {
    const int n = fieldBookmarkNumber(wValue(m_xml, L("name")));
    const auto it = m_package.records.fields.constFind(n);
    if (n > 0 && it != m_package.records.fields.cend()) {
        flushText();
        m_field = QTextCharFormat();
        m_field.setProperty(TextProp::FieldId, it->id);
        m_field.setProperty(TextProp::FieldData, it->data);
        m_field.setProperty(TextProp::FieldLinkKind, it->kind);
        m_field.setProperty(TextProp::FieldAttribute, it->attribute);
        m_fieldBookmark = wValue(m_xml, L("id"));
    } else if (n == 0 && !m_field.hasProperty(TextProp::FieldId)) {
        // A tag's bookmark in a package without our records: the tag comes back.
        const QString name = wValue(m_xml, L("name"));
        if (name.startsWith(L("TG_"), Qt::CaseInsensitive) && name.size() > 3) {
            flushText();
            m_field = linkField(name, 2);
            m_fieldBookmark = wValue(m_xml, L("id"));
        }
    }
    m_xml.skipCurrentElement();
}

void PartReader::bookmarkEnd() {
    if (!m_fieldBookmark.isEmpty() && wValue(m_xml, L("id")) == m_fieldBookmark) {
        flushText();
        m_field = QTextCharFormat();
        m_fieldBookmark.clear();
    }
    m_xml.skipCurrentElement();
}

void PartReader::readSection(Section &section) {
    // Page values are each section's own; a header or footer not defined again is inherited.
    std::array<QString, 4> inherited;
    std::copy(std::begin(section.areaTargets), std::end(section.areaTargets), inherited.begin());
    section = Section();
    std::copy(inherited.begin(), inherited.end(), std::begin(section.areaTargets));
    section.found = true;
    PageSetup &page = section.page;
    bool ok = false;
    while (m_xml.readNextStartElement()) {
        const QStringView n = m_xml.name();
        if (n == L("headerReference") || n == L("footerReference")) {
            const QString type = wValue(m_xml, L("type"));
            const int index = (n == L("headerReference") ? 0 : 2) + (type == L("first") ? 1 : 0);
            const Target t = m_rels.value(m_xml.attributes().value(kNsR, L("id")).toString());
            if ((type == L("default") || type == L("first")) && !t.target.isEmpty())
                section.areaTargets[index] = t.target;
        } else if (n == L("pgSz")) {
            const int w = wValue(m_xml, L("w")).toInt(&ok);
            if (ok && w > 0)
                page.width = pageTwips(w);
            const int h = wValue(m_xml, L("h")).toInt(&ok);
            if (ok && h > 0)
                page.height = pageTwips(h);
            page.landscape = wValue(m_xml, L("orient")) == L("landscape");
        } else if (n == L("pgMar")) {
            auto margin = [&](L name, int &target) {
                const int v = wValue(m_xml, name).toInt(&ok);
                if (ok)
                    target = pageTwips(v);
            };
            margin(L("top"), page.marginTop);
            margin(L("right"), page.marginRight);
            margin(L("bottom"), page.marginBottom);
            margin(L("left"), page.marginLeft);
        } else if (n == L("titlePg")) {
            const QString v = wValue(m_xml);
            section.titlePage = !(v == L("0") || v == L("false") || v == L("off"));
        }
        m_xml.skipCurrentElement();
    }
}

void PartReader::readAlternateContent(bool inRun) {
    // Take the first choice we understand, else the fallback.
    bool done = false;
    while (m_xml.readNextStartElement()) {
        const bool choice = m_xml.name() == L("Choice");
        const QStringView requires_ = m_xml.attributes().value(L("Requires"));
        const bool known = !choice || requires_ == L("wps") || requires_ == L("wp14");
        if (done || !known) {
            m_xml.skipCurrentElement();
            continue;
        }
        done = true;
        while (m_xml.readNextStartElement()) {
            const QStringView n = m_xml.name();
            if (inRun && n == L("drawing"))
                readDrawing();
            else if (!inRun && n == L("p"))
                readParagraph();
            else if (!inRun && n == L("tbl"))
                readTable();
            else
                m_xml.skipCurrentElement();
        }
    }
}

} // namespace platform::docx::detail
