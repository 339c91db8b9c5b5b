// The view's side of working with a text surface: caret, active area and fields pass both ways.
#include "platform/text/text_surface.h"
#include "platform/view/pdf_writer.h"
#include "platform/view/text_view.h"
#include "platform/view/text_view_items.h"

#include <QGraphicsScene>
#include <QKeyEvent>

namespace platform {

void TextView::setSurface(TextSurface *surface) {
    if (m_surface) {
        m_surface->disconnect(this);
        disconnect(m_surface);
    }
    m_surface = surface;
    if (!surface) {
        setContent(TextContent());
        return;
    }
    installPdfWriter();
    m_tableGrid = surface->gridLines();
    setContent(surface->content());
    connect(surface, &TextSurface::caretMoved, this, &TextView::followSurfaceCaret);
    // A long entry's first screen is painted at once, before the rest of it is read.
    connect(surface, &TextSurface::firstScreenRead, this, [this] {
        refresh();
        if (isVisible())
            viewport()->repaint();
    });
    connect(surface, &TextSurface::activeAreaChanged, this, [this](int bit) {
        if (bit == activeArea())
            return;
        if (bit == 0)
            leaveArea();
        else
            activateArea(bit);
    });
    connect(this, &TextView::activeAreaChanged, surface, [surface](int bit) {
        if (surface->activeArea() != bit)
            surface->setActiveArea(bit);
    });
    connect(this, &TextView::fieldActivated, surface, &TextSurface::activateField);
    if (surface->activeArea() != 0)
        activateArea(surface->activeArea());
    followSurfaceCaret();
}

void TextView::refresh() {
    if (!m_surface)
        return;
    m_tableGrid = m_surface->gridLines();
    m_marks->update();
    const TextContent content = m_surface->content();
    if (content.page == m_content.page)
        return;
    m_content.page = content.page;
    setHeaderFooterBits(content.page.headerFooterBits);
}

bool TextView::clipboardKey(QKeyEvent *event) {
    // The surface's clipboard carries fields and objects, which QGraphicsTextItem's HTML drops.
    if (!m_surface)
        return false;
    int operation = 0;
    if (event->matches(QKeySequence::Copy))
        operation = TextSurface::ClipCopy;
    else if (event->matches(QKeySequence::Cut))
        operation = TextSurface::ClipCut;
    else if (event->matches(QKeySequence::Paste))
        operation = TextSurface::ClipPaste;
    if (operation == 0)
        return false;
    m_surface->clipboard(operation);
    return true;
}

void TextView::caretChanged(TextEditItem *item) {
    // The text control scrolls to its caret itself, but cannot scroll past the part of a long
    // document laid out so far.
    if (!m_scene->sceneRect().contains(caretSceneRect()))
        ensureCaretVisible();
    // The surface takes the caret first: whoever hears of the move reads the format there.
    if (m_surface && !m_syncing) {
        m_syncing = true;
        m_surface->setCursor(item->textCursor());
        m_syncing = false;
    }
    if (item == m_text)
        emit cursorPositionChanged();
}

void TextView::followSurfaceCaret() {
    if (!m_surface || m_syncing)
        return;
    const QTextCursor cursor = m_surface->cursor();
    TextEditItem *item = nullptr;
    if (cursor.document() == m_text->document())
        item = m_text;
    else if (m_areaItem && cursor.document() == m_areaItem->document())
        item = m_areaItem;
    if (!item || item->textCursor() == cursor)
        return;
    m_syncing = true;
    item->setTextCursor(cursor);
    if (item == m_text)
        emit cursorPositionChanged();
    ensureCaretVisible();
    m_syncing = false;
}

} // namespace platform
