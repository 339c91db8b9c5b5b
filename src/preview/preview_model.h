#pragma once

#include "preview/preview_geometry.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace preview {

class PageSource;

// The state of one preview: the document, its paper code and settings file, the fit box and
// zoom, the current page, the background picture and the display mode to restore.
class PreviewModel {
public:
    // Switches the document to page view (remembering to switch back), fits the page into the
    // inner area (twips) and goes to page 1. A background picture that cannot be read is left
    // out.
    void prepare(PageSource &source, const QSize &inner, const QString &backgroundFile,
                 const QString &settingsFile);
    // Restores the document's display mode; the model then holds no document.
    void finish();

    PageSource *source() const { return m_source; }
    int paperCode() const { return m_paperCode; }
    QString settingsFile() const { return m_settingsFile; }
    bool displayModeChanged() const { return m_modeChanged; }

    // Zoom entries 50 … 300 and the whole page.
    void setZoom(int zoom);
    void fitWhole();
    int zoom() const { return m_zoom; }
    int fitZoom() const { return m_fit.fitZoom; }
    QRect fitBox() const { return m_fit.box; }
    PageBox box() const { return withShadow(m_box); }
    QSize inner() const { return m_inner; }

    PageNavigator &pages() { return m_pages; }
    const PageNavigator &pages() const { return m_pages; }

    bool backgroundShown() const { return !m_background.isNull(); }
    const QImage &background() const { return m_background; }

private:
    PageSource *m_source = nullptr;
    QSize m_inner;
    FitResult m_fit;
    QRect m_box;
    int m_zoom = 100;
    int m_paperCode = 0;
    QString m_settingsFile;
    bool m_modeChanged = false;
    PageNavigator m_pages;
    QImage m_background;
};

} // namespace preview
