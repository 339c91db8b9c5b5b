#include "preview/page_source.h"

#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"
#include "platform/view/text_view.h"

namespace preview {

SurfacePages::SurfacePages(platform::TextSurface &surface, platform::TextView *view)
    : m_surface(surface), m_view(view) {}

SurfacePages::~SurfacePages() = default;

platform::PageSetup SurfacePages::page() const {
    return m_surface.page();
}

platform::PageRenderer &SurfacePages::renderer() {
    if (!m_renderer)
        m_renderer = std::make_unique<platform::PageRenderer>(m_view ? m_view->content()
                                                                     : m_surface.content());
    return *m_renderer;
}

int SurfacePages::pageCount() {
    return renderer().pageCount();
}

void SurfacePages::drawPage(QPainter *painter, int n, const QRectF &target) {
    renderer().drawPage(painter, n, target);
}

int SurfacePages::viewMode() const {
    return m_view ? m_view->viewMode() : platform::TextView::PageView;
}

void SurfacePages::setViewMode(int mode) {
    if (!m_view || m_view->viewMode() == mode)
        return;
    m_view->setViewMode(mode);
    // The main document is laid out anew; the renderer looks at it again.
    m_renderer.reset();
}

} // namespace preview
