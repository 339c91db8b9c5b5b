#pragma once

#include <QSizeF>
#include <QStringList>

namespace editor {

// The display settings page: page view or normal view, and the zoom as one of eight options.
struct DisplayValues {
    bool pageView = false;
    int zoomOption = 2; // 150, 125, 100, 75, 50, whole page, page width, given
    int zoom = 100;     // the given zoom (option 7)

    bool operator==(const DisplayValues &) const = default;
};

// The option captions in option order.
QStringList displayZoomCaptions();
// The page prepared from the view's state: a zoom equal to a preset picks that preset.
DisplayValues displayValuesFor(int viewMode, int zoom);
// The zoom the chosen option gives, 10-400. view is the editing area and page the paper, both
// in the same unit at 100 %.
int displayZoom(const DisplayValues &values, const QSizeF &view, const QSizeF &page);

} // namespace editor
