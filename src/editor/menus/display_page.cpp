#include "editor/menus/display_page.h"

#include <QtGlobal>
#include <array>
#include <cmath>

namespace editor {

namespace {

constexpr std::array<int, 5> kPresets{150, 125, 100, 75, 50};

} // namespace

QStringList displayZoomCaptions() {
    return {QStringLiteral("150%"),   QStringLiteral("125%"), QStringLiteral("100%"),
            QStringLiteral("75%"),    QStringLiteral("50%"),  QStringLiteral("ﾍﾟ-ｼﾞ合せ"),
            QStringLiteral("巾合せ"), QStringLiteral("指定")};
}

DisplayValues displayValuesFor(int viewMode, int zoom) {
    DisplayValues values;
    values.pageView = viewMode != 0;
    values.zoom = zoom;
    values.zoomOption = 7;
    for (int i = 0; i < int(kPresets.size()); ++i)
        if (kPresets[i] == zoom)
            values.zoomOption = i;
    return values;
}

int displayZoom(const DisplayValues &values, const QSizeF &view, const QSizeF &page) {
    double zoom = values.zoom;
    const bool measurable = page.width() > 0 && page.height() > 0;
    if (values.zoomOption >= 0 && values.zoomOption < int(kPresets.size()))
        zoom = kPresets[values.zoomOption];
    else if (values.zoomOption == 5 && measurable)
        zoom = 97 * qMin(view.width() / page.width(), view.height() / page.height());
    else if (values.zoomOption == 6 && measurable)
        zoom = 97 * view.width() / page.width();
    return qBound(10, int(std::lround(zoom)), 400);
}

} // namespace editor
