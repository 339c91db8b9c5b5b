#include "preview/preview_model.h"

#include "preview/page_source.h"
#include "preview/printer_record.h"

#include <QImageReader>

namespace preview {

namespace {
constexpr int kPageView = 2;
constexpr int kNormalView = 0;
constexpr int kMaxBackgroundSide = 8000;
} // namespace

void PreviewModel::prepare(PageSource &source, const QSize &inner, const QString &backgroundFile,
                           const QString &settingsFile) {
    m_source = &source;
    const platform::PageSetup page = source.page();
    m_paperCode = paperCodeFor(page);
    m_settingsFile = settingsFileForUse(settingsFile);
    m_modeChanged = source.viewMode() != kPageView;
    if (m_modeChanged)
        source.setViewMode(kPageView);
    m_inner = inner;
    m_fit = fitPage(inner, QSize(page.width, page.height));
    m_box = m_fit.box;
    m_zoom = m_fit.fitZoom;
    m_pages.reset(source.pageCount());
    m_background = QImage();
    if (!backgroundFile.isEmpty()) {
        QImageReader reader(backgroundFile);
        const QSize size = reader.size();
        if (size.isValid() && size.width() <= kMaxBackgroundSide &&
            size.height() <= kMaxBackgroundSide)
            m_background = reader.read();
    }
}

void PreviewModel::finish() {
    if (m_source && m_modeChanged)
        m_source->setViewMode(kNormalView);
    m_modeChanged = false;
    m_source = nullptr;
    m_background = QImage();
}

void PreviewModel::setZoom(int zoom) {
    m_box = zoomBox(m_inner, m_fit.box, m_fit.fitZoom, zoom);
    m_zoom = zoom;
}

void PreviewModel::fitWhole() {
    m_box = m_fit.box;
    m_zoom = m_fit.fitZoom;
}

} // namespace preview
