#include "keybar/bar_layout.h"

#include <cmath>

namespace keybar {

BarGeometry barLayout(const QString &layoutText, int w, int h) {
    BarGeometry g;
    g.panelShown = layoutText != QLatin1String("4|4|4") && (w > 10000 || h > 500);
    if (!g.panelShown) {
        g.keys = QRect(0, 0, w, h);
    } else if (h >= 500) {
        g.keys = QRect(0, 0, w, 270);
        g.panel = QRect(0, 270, w, h - 270);
    } else {
        const int kw = static_cast<int>(std::lround(w * 0.72));
        g.keys = QRect(0, 0, kw, h);
        g.panel = QRect(kw, 0, w - kw, h);
    }
    return g;
}

} // namespace keybar
