#pragma once

#include "platform/text/text_model.h"

#include <QRectF>
#include <memory>

class QPainter;

namespace platform {
class PageRenderer;
class TextSurface;
class TextView;
} // namespace platform

namespace preview {

// What the preview and printing need of a document: its page values, its pages drawn by the page
// renderer, and the display mode of the view showing it (2 page view, 0 normal view).
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual platform::PageSetup page() const = 0;
    virtual int pageCount() = 0;
    // Draws page n (1-based) into target, a rectangle with the page's proportions.
    virtual void drawPage(QPainter *painter, int n, const QRectF &target) = 0;
    virtual int viewMode() const = 0;
    virtual void setViewMode(int mode) = 0;
};

// The pages of a text surface, with the view that shows it (none for a surface that is not on
// screen, whose display mode is page view already).
class SurfacePages final : public PageSource {
public:
    explicit SurfacePages(platform::TextSurface &surface, platform::TextView *view = nullptr);
    ~SurfacePages() override;

    platform::PageSetup page() const override;
    int pageCount() override;
    void drawPage(QPainter *painter, int n, const QRectF &target) override;
    int viewMode() const override;
    void setViewMode(int mode) override;

private:
    platform::PageRenderer &renderer();

    platform::TextSurface &m_surface;
    platform::TextView *m_view;
    std::unique_ptr<platform::PageRenderer> m_renderer;
};

} // namespace preview
