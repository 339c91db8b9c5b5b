#pragma once

#include <QRect>
#include <QSize>

namespace preview {

// Where the page box and its shadow sit in the preview window, in twips.
constexpr int ShadowOffset = 100;

struct PageBox {
    QRect box;
    QRect shadowRight;  // along the right edge, ShadowOffset down
    QRect shadowBottom; // along the bottom edge, ShadowOffset right
};

// The box of a page (pw × ph twips) at zoom: 0.9 of the size that fits the window's inner area
// (sw × sh twips), centred; fitZoom is the zoom at which the page fills that box.
struct FitResult {
    QRect box;
    int fitZoom = 100;
};
FitResult fitPage(const QSize &inner, const QSize &page);

// The box at zoom z, scaled from the fit box, centred in the inner area and never left of or
// above its origin.
QRect zoomBox(const QSize &inner, const QRect &fitBox, int fitZoom, int zoom);

PageBox withShadow(const QRect &box);

// Page navigation of the page menu: 1-based page clamped to 1 … count.
class PageNavigator {
public:
    void reset(int count);
    int page() const { return m_page; }
    int count() const { return m_count; }
    void first() { go(1); }
    void previous() { go(m_page - 1); }
    void next() { go(m_page + 1); }
    void last() { go(m_count); }
    bool previousEnabled() const { return m_page > 1; }
    bool nextEnabled() const { return m_page < m_count; }
    bool lastEnabled() const { return m_page < m_count; }

private:
    void go(int page);
    int m_page = 1;
    int m_count = 1;
};

} // namespace preview
