#include "docx_writer.h"

#include "docx_numbering.h"

#include "platform/text/text_model.h"

#include <QRegularExpression>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr QChar kLineBreak(0x2028);
constexpr QChar kObject(0xFFFC);

// A table belongs to the note of its first paragraph.
QTextBlock firstBlock(const QTextTable *table) {
    return table->cellAt(0, 0).firstCursorPosition().block();
}

bool isTextFrame(const QTextFrame *frame) {
    return !qobject_cast<const QTextTable *>(frame);
}

// Characters XML 1.0 cannot carry.
bool isXmlChar(char16_t c) {
    return c >= 0x20 ? (c < 0xFFFE) : (c == 0x09 || c == 0x0A || c == 0x0D);
}

// A tag's data as a Word bookmark name, so that "#TG_…" links work in Word too.
bool isBookmarkName(const QString &name) {
    if (name.isEmpty() || name.size() > 40 || !name.at(0).isLetter())
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return true;
}

// A link target as Word wants it in a relationship: drive and UNC paths as file addresses,
// addresses with a scheme as they are, anything else as a relative reference.
QUrl linkTarget(const QString &data) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    if (drive.match(data).hasMatch())
        return QUrl(QStringLiteral("file:///") + QString(data).replace(u'\\', u'/'),
                    QUrl::TolerantMode);
    if (data.startsWith(QLatin1StringView("\\\\")))
        return QUrl(QStringLiteral("file:") + QString(data).replace(u'\\', u'/'),
                    QUrl::TolerantMode);
    if (data.startsWith(u'/'))
        return QUrl::fromLocalFile(data);
    if (data.startsWith(QLatin1StringView("www."), Qt::CaseInsensitive))
        return QUrl::fromUserInput(data);
    return QUrl(data, QUrl::TolerantMode);
}

} // namespace

PartWriter::PartWriter(PackageState &package, const QTextDocument &document)
    : m_package(package), m_document(document), m_xml(&m_out) {}

void PartWriter::beginPart(L root) {
    m_out.reserve(1 << 16);
    m_xml.writeNamespace(kNsW, QStringLiteral("w"));
    m_xml.writeNamespace(kNsR, QStringLiteral("r"));
    m_xml.writeNamespace(kNsWp, QStringLiteral("wp"));
    m_xml.writeNamespace(kNsA, QStringLiteral("a"));
    m_xml.writeNamespace(kNsPic, QStringLiteral("pic"));
    m_xml.writeNamespace(kNsWps, QStringLiteral("wps"));
    m_xml.writeNamespace(kNsMc, QStringLiteral("mc"));
    m_xml.writeNamespace(kNsDj, QStringLiteral("dj"));
    m_xml.writeStartElement(kNsW, root);
    m_xml.writeAttribute(kNsMc, L("Ignorable"), L("dj"));
}

QByteArray PartWriter::endPart() {
    m_xml.writeEndElement();
    m_xml.writeEndDocument();
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>") +
           m_out.toUtf8();
}

QByteArray PartWriter::write(L root, const std::function<void(QXmlStreamWriter &)> &sectPr) {
    beginPart(root);
    const bool body = root == L("document");
    if (body)
        m_xml.writeStartElement(kNsW, L("body"));
    writeFrameContent(m_document.rootFrame());
    if (body) {
        if (sectPr)
            sectPr(m_xml);
        m_xml.writeEndElement();
    }
    return endPart();
}

QByteArray PartWriter::writeNotes(int kind) {
    const L note = kind == 1 ? L("footnote") : L("endnote");
    beginPart(kind == 1 ? L("footnotes") : L("endnotes"));
    m_noteKind = kind;
    // The separators Word draws above the notes.
    const std::pair<L, L> separators[] = {{L("separator"), L("-1")},
                                          {L("continuationSeparator"), L("0")}};
    for (const auto &[type, id] : separators) {
        m_xml.writeStartElement(kNsW, note);
        m_xml.writeAttribute(kNsW, L("type"), type);
        m_xml.writeAttribute(kNsW, L("id"), id);
        m_xml.writeStartElement(kNsW, L("p"));
        m_xml.writeStartElement(kNsW, L("r"));
        m_xml.writeEmptyElement(kNsW, type);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    // Bodies are the main text's paragraphs and tables (a table by its first paragraph).
    struct Item {
        QTextBlock block;
        const QTextTable *table = nullptr;
    };
    QHash<int, QList<Item>> bodies;
    for (auto it = m_document.rootFrame()->begin(); !it.atEnd(); ++it) {
        const auto *table = qobject_cast<const QTextTable *>(it.currentFrame());
        const QTextBlock block = table ? firstBlock(table) : it.currentBlock();
        if (block.isValid() && block.blockFormat().intProperty(TextProp::NoteBody) == kind &&
            (table || !it.currentFrame()))
            bodies[block.blockFormat().intProperty(TextProp::NoteId)].append({block, table});
    }
    for (const QPair<int, int> &key : std::as_const(m_package.noteOrder[kind - 1])) {
        m_noteNumber = m_package.noteIds.value(key);
        m_xml.writeStartElement(kNsW, note);
        m_xml.writeAttribute(kNsW, L("id"), QString::number(m_noteNumber));
        const QList<Item> items = bodies.value(key.second);
        for (const Item &item : items) {
            if (item.table)
                writeTable(item.table);
            else
                writeParagraph(item.block, nullptr);
        }
        if (items.isEmpty()) {
            m_xml.writeStartElement(kNsW, L("p"));
            m_xml.writeStartElement(kNsW, L("r"));
            m_xml.writeEmptyElement(kNsW, kind == 1 ? L("footnoteRef") : L("endnoteRef"));
            m_xml.writeEndElement();
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    return endPart();
}

// The separator before the note bodies, and the bodies of notes whose reference is written, go
// to the notes parts.
bool PartWriter::isDivertedNote(const QTextBlock &block) const {
    const QTextBlockFormat f = block.blockFormat();
    if (f.boolProperty(TextProp::NoteSeparator))
        return true;
    const int kind = f.intProperty(TextProp::NoteBody);
    return m_noteKind == 0 && kind > 0 &&
           m_package.noteIds.contains({kind, f.intProperty(TextProp::NoteId)});
}

// A note's mark: a reference in the main text, the number at the start of a body in a notes
// part. False when the run is written as text (a second mark of one note). Text typed after the
// number in the mark's format stays as text.
bool PartWriter::writeNoteMark(const QTextCharFormat &run, const QString &text) {
    const int kind = run.intProperty(TextProp::NoteMark);
    const QPair<int, int> key{kind, run.intProperty(TextProp::NoteId)};
    const bool reference = m_noteKind == 0;
    if (kind < 1 || kind > 2 || (reference && m_package.noteIds.contains(key)) ||
        (!reference && kind != m_noteKind))
        return false;
    flushAll();
    const L mark = kind == 1 ? (reference ? L("footnoteReference") : L("footnoteRef"))
                             : (reference ? L("endnoteReference") : L("endnoteRef"));
    m_xml.writeStartElement(kNsW, L("r"));
    writeRunProperties(m_xml, run);
    m_xml.writeEmptyElement(kNsW, mark);
    int number = m_noteNumber;
    if (reference) {
        QList<QPair<int, int>> &order = m_package.noteOrder[kind - 1];
        order.append(key);
        number = int(order.size());
        m_package.noteIds.insert(key, number);
        m_xml.writeAttribute(kNsW, L("id"), QString::number(number));
    }
    m_xml.writeEndElement();
    const QString label = formatNumber(number, kind == 1 ? u"decimal" : u"lowerRoman");
    const QString rest = text.startsWith(label) ? text.mid(label.size()) : text;
    if (!rest.isEmpty()) {
        m_runFormat = run;
        m_runFormat.clearProperty(TextProp::NoteMark);
        m_runFormat.clearProperty(TextProp::NoteId);
        m_runText = rest;
    }
    return true;
}

void PartWriter::writeFrameContent(const QTextFrame *frame) {
    writeItems(frame->begin());
}

template <typename Iterator> void PartWriter::writeItems(Iterator it) {
    // Qt keeps a block before and after every child frame: a text frame is anchored in the
    // paragraph before it.
    while (!it.atEnd()) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child)) {
                if (!isDivertedNote(firstBlock(table)))
                    writeTable(table);
            } else if (m_boxDepth > 0)
                writeBoxTable(child); // Word allows no text box inside a text box
            ++it;
            continue;
        }
        const QTextBlock block = it.currentBlock();
        ++it;
        if (isDivertedNote(block))
            continue;
        const QTextFrame *next = it.atEnd() ? nullptr : it.currentFrame();
        writeParagraph(block, next && isTextFrame(next) && m_boxDepth == 0 ? next : nullptr);
    }
}

template void PartWriter::writeItems(QTextFrame::iterator it);

void PartWriter::writeParagraph(const QTextBlock &block, const QTextFrame *anchored) {
    m_xml.writeStartElement(kNsW, L("p"));
    const QTextBlockFormat format = canonicalBlockFormat(block.blockFormat());
    ParagraphExtras list;
    if (const QTextList *textList = block.textList()) {
        int &numId = m_package.numIds[textList];
        if (numId == 0) {
            m_package.lists.append(textList->format());
            numId = int(m_package.lists.size());
        }
        list.numId = numId;
        list.level = qBound(0, textList->format().indent() - 1, 8);
    }
    writeParagraphProperties(m_xml, format, canonicalCharFormat(block.charFormat()), list);

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat original = fragment.charFormat();
        const QTextCharFormat run = canonicalCharFormat(original);
        const int fieldId = run.intProperty(TextProp::FieldId);
        if (fieldId != m_fieldId) {
            flushAll();
            closeField();
            if (fieldId > 0)
                openField(run);
        }
        if (run.intProperty(TextProp::NoteMark) > 0 && writeNoteMark(run, fragment.text()))
            continue;
        if (run.isImageFormat()) {
            flushAll();
            const int count = int(fragment.text().count(kObject));
            for (int i = 0; i < count; ++i)
                writePicture(run.toImageFormat(), run);
            continue;
        }
        if (run != m_runFormat)
            flushRun();
        m_runFormat = run;
        m_runText += fragment.text();
    }
    flushAll();
    closeField();
    if (anchored)
        writeTextBox(anchored);
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter) {
        m_xml.writeStartElement(kNsW, L("r"));
        m_xml.writeEmptyElement(kNsW, L("br"));
        m_xml.writeAttribute(kNsW, L("type"), L("page"));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void PartWriter::flushAll() {
    flushRun();
    flushRuby();
}

void PartWriter::flushRun() {
    if (m_runText.isEmpty())
        return;
    const QString ruby = m_runFormat.stringProperty(TextProp::RubyText);
    const int group = m_runFormat.intProperty(TextProp::RubyGroup);
    if (ruby != m_rubyText || group != m_rubyGroup)
        flushRuby();
    if (!ruby.isEmpty()) {
        m_rubyText = ruby;
        m_rubyGroup = group;
        m_rubyBase.append({m_runFormat, m_runText});
        m_runText.clear();
        return;
    }
    m_xml.writeStartElement(kNsW, L("r"));
    writeRunProperties(m_xml, m_runFormat);
    writeText(m_runText);
    m_xml.writeEndElement();
    m_runText.clear();
}

void PartWriter::flushRuby() {
    if (m_rubyBase.isEmpty())
        return;
    const QTextCharFormat &first = m_rubyBase.first().first;
    // Sizes in half points: the ruby at half the base text's size, raised above it.
    const int base = first.hasProperty(QTextFormat::FontPointSize)
                         ? qMax(2, qRound(first.fontPointSize() * 2))
                         : 21;
    const int size = qMax(1, base / 2);
    auto val = [this](L element, const QString &value) {
        m_xml.writeEmptyElement(kNsW, element);
        m_xml.writeAttribute(kNsW, L("val"), value);
    };
    m_xml.writeStartElement(kNsW, L("r"));
    m_xml.writeStartElement(kNsW, L("ruby"));
    m_xml.writeStartElement(kNsW, L("rubyPr"));
    val(L("rubyAlign"), QStringLiteral("distributeSpace"));
    val(L("hps"), QString::number(size));
    val(L("hpsRaise"), QString::number(qMax(1, base - 3)));
    val(L("hpsBaseText"), QString::number(base));
    val(L("lid"), QStringLiteral("ja-JP"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(kNsW, L("rt"));
    m_xml.writeStartElement(kNsW, L("r"));
    QTextCharFormat rubyFormat;
    if (!first.fontFamilies().toStringList().isEmpty())
        rubyFormat.setFontFamilies(first.fontFamilies().toStringList());
    rubyFormat.setFontPointSize(size / 2.0);
    writeRunProperties(m_xml, rubyFormat);
    writeText(m_rubyText);
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // rt
    m_xml.writeStartElement(kNsW, L("rubyBase"));
    for (const auto &[format, text] : std::as_const(m_rubyBase)) {
        m_xml.writeStartElement(kNsW, L("r"));
        writeRunProperties(m_xml, format);
        writeText(text);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement(); // rubyBase
    m_xml.writeEndElement(); // ruby
    m_xml.writeEndElement(); // r
    m_rubyBase.clear();
    m_rubyText.clear();
    m_rubyGroup = 0;
}

void PartWriter::writeText(const QString &source) {
    // Characters XML cannot carry are left out before the text is split, so that the runs
    // read back are the runs written.
    const auto unwritable = [](QChar c) { return !isXmlChar(c.unicode()); };
    QString text = source;
    if (std::any_of(source.cbegin(), source.cend(), unwritable))
        text.removeIf(unwritable);
    qsizetype start = 0;
    auto plain = [&](qsizetype end) {
        if (end <= start)
            return;
        const QString part = text.mid(start, end - start);
        m_xml.writeStartElement(kNsW, L("t"));
        if (part.front().isSpace() || part.back().isSpace())
            m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        m_xml.writeCharacters(part);
        m_xml.writeEndElement();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c != kLineBreak && c != 0xAD)
            continue;
        plain(i);
        start = i + 1;
        if (c == u'\t')
            m_xml.writeEmptyElement(kNsW, L("tab"));
        else if (c == 0xAD)
            m_xml.writeEmptyElement(kNsW, L("softHyphen"));
        else
            m_xml.writeEmptyElement(kNsW, L("br"));
    }
    plain(n);
}

void PartWriter::openField(const QTextCharFormat &format) {
    FieldRecord record;
    record.id = format.intProperty(TextProp::FieldId);
    record.kind = format.intProperty(TextProp::FieldLinkKind);
    record.attribute = format.intProperty(TextProp::FieldAttribute);
    record.data = format.stringProperty(TextProp::FieldData);
    const int n = m_package.nextBookmark++;
    m_package.fields.append({n, record});
    m_fieldId = record.id;
    m_fieldBookmark = n;

    m_xml.writeEmptyElement(kNsW, L("bookmarkStart"));
    m_xml.writeAttribute(kNsW, L("id"), QString::number(n * 2));
    m_xml.writeAttribute(kNsW, L("name"), fieldBookmarkName(n));

    const QString &data = record.data;
    const QString code = data.left(3).toUpper();
    m_fieldTag = false;
    if (code == L("TG_") && isBookmarkName(data) && !m_package.tagBookmarks.contains(data)) {
        m_package.tagBookmarks.insert(data);
        m_fieldTag = true;
        m_xml.writeEmptyElement(kNsW, L("bookmarkStart"));
        m_xml.writeAttribute(kNsW, L("id"), QString::number(n * 2 + 1));
        m_xml.writeAttribute(kNsW, L("name"), data);
    }

    m_fieldLink = false;
    if (code == L("TP_")) {
        // A tooltip points at its own bookmark, so that both Word and LibreOffice keep the link.
        m_fieldLink = true;
        m_xml.writeStartElement(kNsW, L("hyperlink"));
        m_xml.writeAttribute(kNsW, L("anchor"), fieldBookmarkName(n));
        // Word keeps screen tips up to 255 characters; the record has the whole text.
        m_xml.writeAttribute(kNsW, L("tooltip"), data.mid(3, 255));
    } else if (data.startsWith(u'#') && data.size() > 1) {
        m_fieldLink = true;
        m_xml.writeStartElement(kNsW, L("hyperlink"));
        m_xml.writeAttribute(kNsW, L("anchor"), data.mid(1));
        m_xml.writeAttribute(kNsW, L("history"), L("1"));
    } else if (code != L("TG_") && data != L("@") && !data.isEmpty()) {
        const QUrl url = linkTarget(data);
        const QByteArray encoded = url.toEncoded();
        // Word refuses addresses past its limit; the record has the target anyway.
        if (url.isValid() && !encoded.isEmpty() && encoded.size() <= 2080) {
            m_fieldLink = true;
            m_xml.writeStartElement(kNsW, L("hyperlink"));
            m_xml.writeAttribute(
                kNsR, L("id"),
                relationship(QStringLiteral("hyperlink"), QString::fromUtf8(encoded), true));
            m_xml.writeAttribute(kNsW, L("history"), L("1"));
        }
    }
}

void PartWriter::closeField() {
    if (m_fieldId == 0)
        return;
    if (m_fieldLink)
        m_xml.writeEndElement();
    if (m_fieldTag) {
        m_xml.writeEmptyElement(kNsW, L("bookmarkEnd"));
        m_xml.writeAttribute(kNsW, L("id"), QString::number(m_fieldBookmark * 2 + 1));
    }
    m_xml.writeEmptyElement(kNsW, L("bookmarkEnd"));
    m_xml.writeAttribute(kNsW, L("id"), QString::number(m_fieldBookmark * 2));
    m_fieldId = 0;
    m_fieldLink = false;
    m_fieldTag = false;
}

QString PartWriter::relationship(const QString &type, const QString &target, bool external) {
    const QString key = type + u' ' + target;
    QString &id = m_relByTarget[key];
    if (id.isEmpty()) {
        id = QStringLiteral("rId") + QString::number(m_rels.size() + 1);
        m_rels.append({id, type, target, external});
    }
    return id;
}

} // namespace platform::docx::detail
