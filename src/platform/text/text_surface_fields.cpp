#include "platform/text/text_surface.h"

#include "platform/text/text_surface_util.h"

#include <QTextBlock>
#include <QTextDocument>

namespace platform {

QList<TextSurface::FieldRun> TextSurface::fieldRuns() const {
    QList<FieldRun> runs;
    const Scope s = scope();
    for (QTextBlock block = doc()->findBlock(s.first); block.isValid() && block.position() < s.last;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int id = fragment.charFormat().intProperty(TextProp::FieldId);
            if (id == 0)
                continue;
            const int first = fragment.position();
            const int end = first + fragment.length();
            // A run goes on across adjacent fragments and across a paragraph end.
            if (!runs.isEmpty() && runs.last().id == id &&
                (runs.last().end == first || runs.last().end + 1 == first))
                runs.last().end = end;
            else
                runs.append({id, first, end});
        }
    }
    return runs;
}

bool TextSurface::findField(int id, FieldRun *run) const {
    id = resolveField(id);
    if (id <= 0)
        return false;
    const QList<FieldRun> runs = fieldRuns();
    for (const FieldRun &r : runs)
        if (r.id == id) {
            *run = r;
            return true;
        }
    return false;
}

int TextSurface::resolveField(int id) const {
    return id != 0 ? id : m_currentField;
}

QTextCharFormat TextSurface::fieldFormat(int id) const {
    FieldRun run;
    if (!findField(id, &run))
        return {};
    QTextCursor probe(doc());
    probe.setPosition(run.first + 1);
    return probe.charFormat();
}

void TextSurface::mergeFieldFormat(int id, const QTextCharFormat &format) {
    FieldRun run;
    if (!findField(id, &run))
        return;
    EditGuard guard(this);
    QTextCursor c(doc());
    c.setPosition(run.first);
    c.setPosition(run.end, QTextCursor::KeepAnchor);
    c.mergeCharFormat(format);
}

int TextSurface::insertField(const QString &text) {
    QString clean = text;
    clean.remove(QChar(1));
    if (clean.isEmpty())
        return 0;
    EditGuard guard(this);
    QTextCursor &c = cur();
    c.beginEditBlock();
    c.removeSelectedText();
    QTextCharFormat format = surfaceutil::withoutField(c.charFormat());
    const int id = takeFieldId();
    format.setProperty(TextProp::FieldId, id);
    surfaceutil::insertCoded(c, clean, format);
    // The typing format after the field is plain text again.
    c.setCharFormat(surfaceutil::withoutField(format));
    c.endEditBlock();
    m_currentField = id;
    m_currentFieldPos = -1;
    cursorChanged();
    return id;
}

QList<int> TextSurface::fieldIds() const {
    QList<int> ids;
    const QList<FieldRun> runs = fieldRuns();
    for (const FieldRun &run : runs)
        if (!ids.contains(run.id))
            ids << run.id;
    return ids;
}

int TextSurface::nextField(int afterId) const {
    const QList<int> ids = fieldIds();
    if (afterId == 0)
        return ids.value(0);
    const qsizetype index = ids.indexOf(afterId);
    return index < 0 ? 0 : ids.value(index + 1);
}

int TextSurface::fieldAtInput() const {
    const int position = cur().selectionStart();
    QTextCursor probe(doc());
    if (position + 1 < doc()->characterCount()) {
        probe.setPosition(position + 1);
        if (const int id = probe.charFormat().intProperty(TextProp::FieldId))
            return id;
    }
    if (position > scope().first) {
        probe.setPosition(position);
        if (const int id = probe.charFormat().intProperty(TextProp::FieldId))
            return id;
    }
    return 0;
}

int TextSurface::currentField() const {
    return m_currentField;
}

bool TextSurface::setCurrentField(int id) {
    FieldRun run;
    if (id <= 0 || !findField(id, &run))
        return false;
    m_currentField = id;
    m_currentFieldPos = -1;
    return true;
}

int TextSurface::fieldStart(int id) const {
    FieldRun run;
    if (findField(id, &run))
        return fromDoc(run.first) + 1;
    if (id == 0 && m_currentField > 0 && m_currentFieldPos >= 0)
        return m_currentFieldPos + 1;
    return 0;
}

int TextSurface::fieldEnd(int id) const {
    FieldRun run;
    if (findField(id, &run))
        return fromDoc(run.end);
    if (id == 0 && m_currentField > 0 && m_currentFieldPos >= 0)
        return m_currentFieldPos;
    return 0;
}

QString TextSurface::fieldText(int id) const {
    FieldRun run;
    if (!findField(id, &run))
        return {};
    QString text = rawToText(run.first, run.end);
    text.remove(QChar(1));
    return text;
}

// An empty text removes the field's characters; its start stays known as the current field's
// position so that a picture can be put where it stood.
bool TextSurface::setFieldText(const QString &text, int id) {
    FieldRun run;
    if (!findField(id, &run))
        return false;
    const QTextCharFormat format = fieldFormat(run.id);
    EditGuard guard(this);
    QTextCursor c(doc());
    c.beginEditBlock();
    c.setPosition(run.first);
    c.setPosition(run.end, QTextCursor::KeepAnchor);
    surfaceutil::insertCoded(c, text, format);
    c.endEditBlock();
    if (run.id == m_currentField)
        m_currentFieldPos = text.isEmpty() ? fromDoc(run.first) : -1;
    if (text.isEmpty()) {
        cur().setPosition(run.first);
        cursorChanged();
    }
    return true;
}

QString TextSurface::fieldData(int id) const {
    return fieldFormat(id).stringProperty(TextProp::FieldData);
}

bool TextSurface::setFieldData(const QString &data, int id) {
    FieldRun run;
    if (!findField(id, &run))
        return false;
    QTextCharFormat format;
    format.setProperty(TextProp::FieldData, data);
    mergeFieldFormat(run.id, format);
    return true;
}

int TextSurface::fieldLinkKind(int id) const {
    return fieldFormat(id).intProperty(TextProp::FieldLinkKind);
}

bool TextSurface::setFieldLinkKind(int kind, int id) {
    FieldRun run;
    if (!findField(id, &run))
        return false;
    QTextCharFormat format;
    format.setProperty(TextProp::FieldLinkKind, kind);
    mergeFieldFormat(run.id, format);
    return true;
}

int TextSurface::fieldAttribute(int id) const {
    return fieldFormat(id).intProperty(TextProp::FieldAttribute);
}

bool TextSurface::setFieldAttribute(int value, int id) {
    FieldRun run;
    if (!findField(id, &run))
        return false;
    QTextCharFormat format;
    format.setProperty(TextProp::FieldAttribute, value);
    mergeFieldFormat(run.id, format);
    return true;
}

bool TextSurface::deleteField(bool withText, int id) {
    FieldRun run;
    if (!findField(id, &run))
        return false;
    EditGuard guard(this);
    QTextCursor c(doc());
    c.beginEditBlock();
    if (withText) {
        c.setPosition(run.first);
        c.setPosition(run.end, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    } else {
        surfaceutil::stripField(*doc(), run.first, run.end, run.id);
    }
    c.endEditBlock();
    if (run.id == m_currentField) {
        m_currentField = 0;
        m_currentFieldPos = -1;
    }
    return true;
}

void TextSurface::activateField(int id) {
    if (id <= 0)
        return;
    m_currentField = id;
    m_currentFieldPos = -1;
    emit fieldActivated(id);
}

} // namespace platform
