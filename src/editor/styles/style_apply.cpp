#include "editor/styles/style_apply.h"

#include "editor/styles/marker_colours.h"
#include "editor/styles/paragraph_rewrite.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"

#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

namespace editor {

namespace {

using platform::TextSurface;

const settings::UserStyle &record(const settings::UserStyleTable &table, int index) {
    return table.styles[std::size_t(qBound(0, index, 7))];
}

// Whether any paragraph the selection touches is part of a list.
bool touchesList(const TextSurface &surface) {
    const QTextCursor cursor = surface.cursor();
    const QTextDocument *document = cursor.document();
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        if (block.textList())
            return true;
        if (block.position() + block.length() > cursor.selectionEnd())
            break;
    }
    return false;
}

void applyParagraphValues(TextSurface &surface, const settings::UserStyleTable &table, int style) {
    const int e = style >= 6 ? settings::Body : style;
    const settings::UserStyle &values = record(table, e);
    if (e > settings::Heading3) {
        surface.setAlignment(0);
        surface.setLineSpacing(TextSurface::AutomaticLineSpacing);
        surface.setSpaceBefore(0);
        surface.setSpaceAfter(0);
    } else {
        surface.setAlignment(values.alignment);
        surface.setSpaceBefore(values.spacingA);
        surface.setSpaceAfter(values.spacingB);
        surface.setLineSpacing(values.lineSpacing);
    }
    // Indents and the list value would take a list apart: they are left alone when any
    // paragraph of the selection is in one.
    if (style <= settings::Body && !touchesList(surface)) {
        surface.setLeftIndent(values.leftIndent);
        surface.setRightIndent(values.indentB);
        surface.setFirstLineIndent(values.indentC);
        surface.setIndentD(values.indentD);
        surface.setIndentE(values.indentE);
        surface.setListState(0);
        surface.setLineAmount(int(std::lround(values.size * 20.0 * table.lineSpacingFactor)));
    }
}

void applyCharacterValues(TextSurface &surface, const settings::UserStyleTable &table, int style) {
    const settings::UserStyle &values = record(table, style <= 7 ? style : settings::Body);
    surface.setFontName(values.fontName);
    surface.setFontSize(values.size);
    if (style <= settings::Supplement) {
        surface.setTextColor(values.textColor);
        surface.setBold(values.bold == 1);
        surface.setBackColor(values.backColor);
    } else {
        surface.setTextColor(colourMarkColour(style));
    }
}

} // namespace

int colourMarkColour(int style) {
    switch (style) {
    case 6:
        return 0xff8080; // light blue
    case 7:
        return 0x808000; // teal
    default:
        return 0x404080; // brown, the tooltip marker colour
    }
}

bool applyUserStyle(const StyleTarget &target, int style, bool quiet) {
    TextSurface &surface = target.surface;
    if (style < 0 || style > 8)
        return false;
    const bool heading = style <= settings::Heading3;
    if (heading) {
        if (target.editorType <= 0)
            return false;
        if (touchesList(surface)) {
            if (!quiet)
                platform::dialogs().message(
                    QStringLiteral("ﾘｽﾄを含む範囲に対しては､見出しのｽﾀｲﾙは設定できません"));
            return false;
        }
    }
    SurfaceBatch batch(surface);
    int caret = surface.selStart();
    int restoreLength = surface.selLength();

    if (!quiet) {
        const int e = style >= 6 ? settings::Body : style;
        bool inside = rewriteBoundaries(surface, e < settings::Body, BreakDirection::EndsToBreaks);
        if (heading) {
            const int at = surface.selStart();
            if (!inside && at < surface.textLength()) {
                const QChar ch = surface.charAt(at);
                inside = ch != QChar(10) && ch != QChar(11) && ch != QChar(12);
            }
            if (inside) {
                caret = isolateLine(surface, at);
                restoreLength = 0;
            }
        }
    }

    if (surface.selLength() == 0) {
        // Nothing selected: a temporary blank carries the format, so the typing format at the
        // caret is a full character format merged with the one that was there.
        const int c = surface.selStart();
        const bool ime = target.imeOpen && target.imeOpen();
        if (ime && target.setIme)
            target.setIme(false);
        surface.setSelText(QStringLiteral(" "));
        surface.select(c, 1);
        applyParagraphValues(surface, target.table, style);
        applyCharacterValues(surface, target.table, style);
        QTextCursor blank = surface.cursor();
        const QTextCharFormat carried = blank.charFormat();
        surface.select(c, 1);
        surface.setSelText(QString());
        QTextCursor typing = surface.cursor();
        typing.setCharFormat(carried);
        // An empty paragraph keeps the format for a caret that comes back to it.
        if (typing.block().length() == 1)
            typing.setBlockCharFormat(carried);
        surface.setCursor(typing);
        if (ime && target.setIme)
            target.setIme(true);
        return true;
    }

    applyParagraphValues(surface, target.table, style);
    applyCharacterValues(surface, target.table, style);
    if (style < 6) {
        if (target.recolour)
            target.recolour(surface.selStart(), surface.selLength());
        else
            recolourMarkers(surface, target.table, surface.selStart(), surface.selLength());
    }
    surface.select(caret, restoreLength);
    return true;
}

} // namespace editor
