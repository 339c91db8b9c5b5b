#include "editor/styles/paragraph_rewrite.h"

#include "platform/text/text_surface.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace editor {

namespace {

constexpr QChar kEnd(10);
constexpr QChar kBreak(11);
constexpr QChar kPage(12);

bool endsParagraph(QChar ch) {
    return ch == kEnd || ch == kPage;
}

int listStateAt(platform::TextSurface &surface, int position) {
    surface.select(position, 0);
    return surface.listState();
}

// The values that decide whether two paragraphs look alike.
struct ParagraphLook {
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    int alignment = 0;
    int lineSpacing = 0;
    bool operator==(const ParagraphLook &) const = default;
};

ParagraphLook lookAt(platform::TextSurface &surface, int position) {
    surface.select(position, 0);
    return {surface.leftIndent(),  surface.rightIndent(), surface.firstLineIndent(),
            surface.spaceBefore(), surface.spaceAfter(),  surface.alignment(),
            surface.lineSpacing()};
}

// Both sides of the paragraph end at the cursor lie in the same frame and table cell, so
// removing the end merges two paragraphs and crosses no structure.
bool mergeable(const QTextCursor &cursor) {
    const QTextBlock block = cursor.block();
    const QTextBlock next = block.next();
    if (!next.isValid() || cursor.position() != block.position() + block.length() - 1)
        return false;
    QTextCursor after(next);
    if (cursor.currentFrame() != after.currentFrame())
        return false;
    if (QTextTable *table = cursor.currentTable())
        return table->cellAt(cursor.position()) == table->cellAt(next.position());
    return true;
}

} // namespace

SurfaceBatch::SurfaceBatch(platform::TextSurface &surface) : m_surface(surface) {
    m_surface.beginBatch();
}

SurfaceBatch::~SurfaceBatch() {
    m_surface.endBatch();
}

// Both read the character through the cursor: the surface's own character reading copies the
// whole paragraph, which grows long while paragraphs are being joined.
bool paragraphEndToLineBreak(platform::TextSurface &surface, int position) {
    surface.select(position, 0);
    const QTextCursor cursor = surface.cursor();
    if (!mergeable(cursor) ||
        cursor.block().next().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    surface.select(position, 1);
    surface.setSelText(QString(kBreak));
    return true;
}

bool lineBreakToParagraphEnd(platform::TextSurface &surface, int position) {
    surface.select(position, 1);
    if (surface.cursor().selectedText() != QString(QChar(QChar::LineSeparator)))
        return false;
    surface.setSelText(QString(kEnd));
    return true;
}

bool rewriteBoundaries(platform::TextSurface &surface, bool extend, BreakDirection direction) {
    const QString text = surface.text();
    if (text.isEmpty())
        return false;
    const int start = surface.selStart();
    const int length = surface.selLength();
    bool inside = false;
    if (extend) {
        const QChar before = start == 0 ? kEnd : text.at(start - 1);
        if (before == kBreak)
            lineBreakToParagraphEnd(surface, start - 1);
        else if (!endsParagraph(before))
            inside = true;
        if (!inside) {
            const int last = start + length - 1;
            const int after = start + length;
            const QChar lastChar = length > 0 ? text.at(last) : QChar();
            if (lastChar == kBreak) {
                lineBreakToParagraphEnd(surface, last);
            } else if (!endsParagraph(lastChar)) {
                // A selection that already ends its paragraph needs no second end.
                if (after >= text.size()) {
                    surface.select(int(text.size()), 0);
                    surface.setSelText(QString(kEnd));
                } else if (text.at(after) == kBreak) {
                    lineBreakToParagraphEnd(surface, after);
                }
            }
        }
        surface.select(start, length);
    }
    QString selected = surface.selText();
    if (!selected.isEmpty() && (selected.back() == kEnd || selected.back() == kBreak))
        selected.chop(1);
    for (int i = 0; i < selected.size(); ++i) {
        const QChar ch = selected.at(i);
        if (direction == BreakDirection::EndsToBreaks && ch == kEnd) {
            // A list item next door would be swallowed by the paragraph before it.
            if (listStateAt(surface, start + i) == platform::TextSurface::NoList &&
                listStateAt(surface, start + i + 1) == platform::TextSurface::NoList)
                paragraphEndToLineBreak(surface, start + i);
        } else if (direction == BreakDirection::BreaksToEnds && ch == kBreak) {
            lineBreakToParagraphEnd(surface, start + i);
        }
    }
    surface.select(start, length);
    return inside;
}

int isolateLine(platform::TextSurface &surface, int position) {
    QString text = surface.text();
    const int p = qBound(0, position, int(text.size()));

    int lineStart = 0;
    for (int i = p - 1; i >= 0; --i) {
        const QChar ch = text.at(i);
        if (ch == kBreak)
            lineBreakToParagraphEnd(surface, i);
        // A page break ends its paragraph itself: the line starts after it.
        if (ch == kBreak || endsParagraph(ch)) {
            lineStart = i + 1;
            break;
        }
    }

    int lineEnd = int(text.size());
    if (p == text.size()) {
        surface.select(p, 0);
        surface.setSelText(QString(kEnd));
        lineEnd = p;
    } else {
        int found = -1;
        for (int i = p; i < text.size(); ++i) {
            const QChar ch = text.at(i);
            if (ch == kBreak || endsParagraph(ch)) {
                found = i;
                break;
            }
        }
        if (found < 0) {
            surface.select(int(text.size()), 0);
            surface.setSelText(QString(kEnd));
        } else {
            if (text.at(found) == kBreak)
                lineBreakToParagraphEnd(surface, found);
            lineEnd = found;
        }
    }
    surface.select(lineStart, lineEnd - lineStart);
    return lineEnd;
}

void joinSelectedParagraphs(platform::TextSurface &surface) {
    const int start = surface.selStart();
    const int length = surface.selLength();
    QString selected = surface.selText();
    if (!selected.isEmpty() && selected.back() == kEnd)
        selected.chop(1);
    for (int i = 0; i < selected.size(); ++i) {
        if (selected.at(i) != kEnd)
            continue;
        const int position = start + i;
        if (listStateAt(surface, position) == platform::TextSurface::NoList &&
            listStateAt(surface, position + 1) == platform::TextSurface::NoList)
            paragraphEndToLineBreak(surface, position);
    }
    surface.select(start, length);
}

void joinEqualParagraphs(platform::TextSurface &surface) {
    const int caret = surface.selStart();
    const QString text = surface.text();
    for (int i = 2; i < text.size() - 1; ++i) {
        if (text.at(i) != kEnd)
            continue;
        if (listStateAt(surface, i) != platform::TextSurface::NoList ||
            listStateAt(surface, i + 1) != platform::TextSurface::NoList)
            continue;
        if (lookAt(surface, i) == lookAt(surface, i + 1))
            paragraphEndToLineBreak(surface, i);
    }
    surface.select(qMin(caret, surface.textLength()), 0);
}

} // namespace editor
