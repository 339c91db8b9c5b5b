#pragma once

#include "platform/text/text_model.h"
#include "platform/view/page_renderer.h"

#include <QGraphicsView>
#include <QTextCursor>
#include <array>

class QKeyEvent;

namespace platform {

class TextEditItem;
class TextSurface;
class TextPageItem;
class TextMarksItem;

// What the editor control takes over from the view: each call returns true when it handled the
// input, and the view then does nothing more with it.
class TextViewHook {
public:
    virtual ~TextViewHook() = default;
    virtual bool keyPress(QKeyEvent *event) = 0;
    virtual bool contextMenu(const QPoint &globalPos) = 0;
    virtual bool doubleClick(const QPoint &) { return false; }
};

// The editing view of a text content: the main document in normal view (mode 0, the text flows
// in the window) or page view (mode 2, pages one under the other with their margins, headers and
// footers), zoomed 10-400 % as a whole. Page view breaks lines as paper does at every zoom;
// normal view breaks them at the window's width. Headers and footers are edited in place in page
// view.
class TextView : public QGraphicsView {
    Q_OBJECT

public:
    static constexpr int NormalView = 0;
    static constexpr int PageView = 2;
    static constexpr int MinZoom = 10;
    static constexpr int MaxZoom = 400;

    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // Shows and edits the surface's documents, following its caret and active area and keeping
    // it informed of the view's; field clicks activate the surface's fields. Installs the PDF
    // writer of format 12.
    void setSurface(TextSurface *surface);
    TextSurface *surface() const { return m_surface; }
    // Takes the surface's page values, header/footer bits and grid-line setting again.
    void refresh();

    // The view shows the content's documents; it owns none of them except header and footer
    // documents it had to create for bits that had none.
    void setContent(const TextContent &content);
    const TextContent &content() const { return m_content; }
    QTextDocument *document() const { return m_content.main; }

    void setPageSetup(const PageSetup &page);
    const PageGeometry &geometry() const { return m_geometry; }
    int pageCount();
    // Pages of the text laid out so far in page view, 1 in normal view. Unlike pageCount() it
    // never lays out the rest of a long text; pageCountChanged tells when it grows.
    int pagesSoFar() const { return m_mode == PageView ? m_pageCount : 1; }
    // Page (1-based) the caret of the main text is on.
    int currentPage() const;

    QTextCursor textCursor() const;
    void setTextCursor(const QTextCursor &cursor);
    // The main text's caret in viewport coordinates.
    QRect caretRect() const;
    void ensureCaretVisible();

    int viewMode() const { return m_mode; }
    void setViewMode(int mode);
    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    bool controlCharactersShown() const { return m_controlCharacters; }
    void setControlCharactersShown(bool shown);
    bool tableGridShown() const { return m_tableGrid; }
    void setTableGridShown(bool shown);

    // Header/footer bits 1, 2, 4, 8.
    int headerFooterBits() const { return m_content.page.headerFooterBits; }
    void setHeaderFooterBits(int bits);
    // Edits the area of a bit in place (switching to page view); false when the bit is off.
    bool activateArea(int bit);
    void leaveArea();
    // Bit of the area being edited, 0 while the main text is.
    int activeArea() const { return m_activeArea < 0 ? 0 : 1 << m_activeArea; }
    QTextDocument *activeDocument() const;

    // Japanese input. Off asks the platform input method for Latin input, on for native input;
    // the input method itself is never disabled.
    bool inputMethodEnabled() const { return m_inputMethod; }
    void setInputMethodEnabled(bool on);

    void setHook(TextViewHook *hook) { m_hook = hook; }
    TextViewHook *hook() const { return m_hook; }

    // Layout units kept free above every page in page view.
    static qreal pageGap();

signals:
    void fieldActivated(int fieldId);
    void mouseButtonPressed(Qt::MouseButton button, int position);
    void cursorPositionChanged();
    void zoomChanged(int percent);
    void viewModeChanged(int mode);
    void activeAreaChanged(int bit);
    void pageCountChanged(int pages);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TextEditItem;
    friend class TextPageItem;
    friend class TextMarksItem;

    void relayout();
    void applyLayout(const QSizeF &size);
    void checkLayout();
    void updateSceneRect();
    void placeAreaItem();
    QTextDocument *ensureArea(int area);
    void watchArea(QTextDocument *doc);
    bool clipboardKey(QKeyEvent *event);
    int pageAt(qreal sceneY) const;
    qreal pageTop(int n) const;
    QRectF caretSceneRect() const;
    void textClicked(TextEditItem *item, const QPointF &pos);
    bool belowText(const QPoint &viewportPos) const;
    void caretToEnd();
    void caretChanged(TextEditItem *item);
    void followSurfaceCaret();

    TextContent m_content;
    std::array<QTextDocument *, 4> m_ownAreas{};
    QTextDocument *m_ownMain = nullptr;
    QTextDocument *m_watched = nullptr;
    PageGeometry m_geometry;
    QGraphicsScene *m_scene = nullptr;
    TextPageItem *m_pages = nullptr;
    TextEditItem *m_text = nullptr;
    TextMarksItem *m_marks = nullptr;
    TextEditItem *m_areaItem = nullptr;
    TextViewHook *m_hook = nullptr;
    TextSurface *m_surface = nullptr;
    bool m_syncing = false; // the caret is being passed between view and surface
    int m_activeArea = -1;  // index into the areas
    int m_areaPage = 1;     // page the active area is edited on
    int m_mode = NormalView;
    int m_zoom = 100;
    int m_pageCount = 1;
    bool m_controlCharacters = false;
    bool m_tableGrid = true;
    bool m_layoutCheckPending = false;
    bool m_inputMethod = true; // native input preferred
};

} // namespace platform
