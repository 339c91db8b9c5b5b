#include "editor_dialog/find_replace.h"

#include "platform/text/text_surface.h"

namespace editor_dialog {

using platform::TextSurface;

int FindReplace::find(const QString &text, int start, bool matchCase, bool backwards) {
    int options = TextSurface::FindNoMessage;
    if (matchCase)
        options |= TextSurface::FindMatchCase;
    if (backwards)
        options |= TextSurface::FindBackwards;
    const int found = m_surface.find(text, start, options);
    if (found >= 0) {
        m_lastPosition = found;
        m_lastText = text;
    }
    return found;
}

int FindReplace::findFromStart(const QString &text, bool matchCase) {
    return find(text, 0, matchCase, false);
}

int FindReplace::findBackward(const QString &text, bool matchCase) {
    return find(text, m_surface.selStart(), matchCase, true);
}

int FindReplace::findForward(const QString &text, bool matchCase) {
    return find(text, m_surface.selStart() + m_surface.selLength(), matchCase, false);
}

bool FindReplace::replace(const QString &text, const QString &replacement, bool matchCase) {
    if (text.isEmpty())
        return false;
    if (m_lastPosition < 0) {
        m_lastText = m_surface.selText();
        m_lastPosition = m_surface.selStart();
    }
    bool replaced = false;
    if (text == m_lastText && m_surface.selText().compare(m_lastText, Qt::CaseInsensitive) == 0) {
        m_surface.setSelText(replacement);
        replaced = true;
    }
    findForward(text, matchCase);
    return replaced;
}

int FindReplace::replaceAll(const QString &text, const QString &replacement, bool matchCase) {
    if (text.isEmpty())
        return 0;
    int count = 0;
    m_surface.beginBatch();
    int found = find(text, 0, matchCase, false);
    while (found >= 0) {
        m_surface.setSelText(replacement);
        ++count;
        const int next = found + int(replacement.size());
        if (next > m_surface.textLength())
            break;
        found = find(text, next, matchCase, false);
    }
    m_surface.endBatch();
    return count;
}

} // namespace editor_dialog
