#include "docx_reader.h"

#include <QTextDocument>

// Ruby, footnotes and endnotes of the packages of other programs and of ours.
namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr int kMaxNotes = 100000;

QString wValue(const QXmlStreamReader &xml, L name = L("val")) {
    return xml.attributes().value(kNsW, name).toString();
}

} // namespace

void PartReader::readRuby() {
    // Ruby is never nested: one inside another is left out.
    if (m_inRuby) {
        m_xml.skipCurrentElement();
        return;
    }
    flushText();
    const QTextCharFormat run = m_runFormat;
    QString ruby;
    while (m_xml.readNextStartElement()) {
        const QStringView n = m_xml.name();
        if (n == L("rt")) {
            // The ruby's runs: their text only.
            int depth = 1;
            while (depth > 0 && !m_xml.atEnd()) {
                const QXmlStreamReader::TokenType token = m_xml.readNext();
                if (token == QXmlStreamReader::StartElement && m_xml.name() == L("t"))
                    ruby += m_xml.readElementText(QXmlStreamReader::SkipChildElements);
                else if (token == QXmlStreamReader::StartElement)
                    ++depth;
                else if (token == QXmlStreamReader::EndElement)
                    --depth;
            }
        } else if (n == L("rubyBase")) {
            m_inRuby = true;
            m_ruby = ruby;
            // Next to a ruby with the same text, this one takes the other group, so that the
            // two are not one.
            const QTextCharFormat before = m_cursor.charFormat();
            m_rubyGroup = m_blockOpen && !m_cursor.atBlockStart() &&
                          before.stringProperty(TextProp::RubyText) == ruby &&
                          before.intProperty(TextProp::RubyGroup) == 0;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == L("r"))
                    readRun();
                else
                    m_xml.skipCurrentElement();
            }
            m_ruby.clear();
            m_inRuby = false;
            m_rubyGroup = false;
        } else {
            m_xml.skipCurrentElement();
        }
    }
    m_runFormat = run;
}

void PartReader::noteMark(int kind, const QString &id) {
    int number = 0;
    if (id.isNull()) {
        // The number at the start of a note's body.
        if (m_noteKind != kind)
            return;
        number = m_noteId;
    } else {
        // References stand in the main text only.
        QHash<QString, int> &numbers = m_package.notes[kind - 1];
        if (!m_section || m_noteKind > 0 || numbers.contains(id) || numbers.size() >= kMaxNotes)
            return;
        number = int(numbers.size()) + 1;
        numbers.insert(id, number);
    }
    beginContent();
    flushText();
    ensureBlock();
    QTextCharFormat f = contentFormat();
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    f.setProperty(TextProp::NoteMark, kind);
    f.setProperty(TextProp::NoteId, number);
    m_cursor.insertText(formatNumber(number, kind == 1 ? u"decimal" : u"lowerRoman"), f);
}

bool PartReader::readNotes(const QByteArray &bytes, int kind, const QString &partPath,
                           QString *error) {
    // The parts of a package are read one after another by this reader: the notes go on at the
    // end of the main text, with the note part's own relationships.
    m_partPath = partPath;
    m_rels.clear();
    const QString relsPath = partPath.section(u'/', 0, -2) + QStringLiteral("/_rels/") +
                             partPath.section(u'/', -1) + QStringLiteral(".rels");
    QByteArray rels;
    if (m_package.zip.contains(relsPath) && m_package.zip.read(relsPath, rels, nullptr))
        m_rels = readRelationships(rels, partPath);
    m_section = nullptr;
    m_joinNext = false;
    m_complex.clear();
    m_field = QTextCharFormat();
    m_fieldBookmark.clear();
    m_xml.clear();
    feedXml(m_xml, bytes);
    m_cursor.movePosition(QTextCursor::End);
    const QHash<QString, int> &numbers = m_package.notes[kind - 1];
    const L element = kind == 1 ? L("footnote") : L("endnote");
    m_cursor.beginEditBlock();
    if (m_xml.readNextStartElement()) {
        while (m_xml.readNextStartElement()) {
            const QStringView type = m_xml.attributes().value(kNsW, L("type"));
            const int number = m_xml.name() == element ? numbers.value(wValue(m_xml, L("id"))) : 0;
            if (number <= 0 || !(type.isEmpty() || type == L("normal"))) {
                m_xml.skipCurrentElement();
                continue;
            }
            if (!m_package.notesSeparated) {
                QTextBlockFormat separator;
                separator.setProperty(TextProp::NoteSeparator, true);
                separator.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                                      QTextLength(QTextLength::PercentageLength, 30));
                if (m_fresh)
                    m_cursor.setBlockFormat(separator);
                else
                    m_cursor.insertBlock(separator, QTextCharFormat());
                m_fresh = false;
                m_package.notesSeparated = true;
            }
            m_noteKind = kind;
            m_noteId = number;
            readContainer();
            m_noteKind = 0;
            m_noteId = 0;
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

} // namespace platform::docx::detail
