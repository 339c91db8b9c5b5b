#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

namespace editor_dialog {

// The display page: page view or normal view, and the zoom as one of eight options.
struct DisplayChoice {
    bool pageView = false;
    int zoomOption = 2; // 150, 125, 100, 75, 50, whole page, page width, given
    double zoom = 100;  // the given zoom (option 7)

    bool operator==(const DisplayChoice &) const = default;
};

// The option captions in option order.
QStringList displayZoomCaptions();

// The "DP" answer: view mode, a tab, zoom in percent. A zoom equal to a preset picks that preset,
// any other the given zoom.
DisplayChoice readDisplayAnswer(const QString &sAns);
QString displayAnswer(int viewMode, int zoom);

// The zoom the chosen option gives, rounded and held to 10-400. view is the editing area and page
// the paper, both in the same unit at 100 %.
int chosenZoom(const DisplayChoice &choice, const QSizeF &view, const QSizeF &page);

} // namespace editor_dialog
