#pragma once

#include <QRect>
#include <QString>

namespace keybar {

// Where the key row and the status panel go inside a bar of w × h twips.
struct BarGeometry {
    bool panelShown = false;
    QRect keys;
    QRect panel;
};

// The panel appears only beside a row that is not the full "4|4|4" one, and only on a bar wider
// than 10000 or taller than 500 twips: under the keys on a tall bar, right of them otherwise.
BarGeometry barLayout(const QString &layoutText, int w, int h);

} // namespace keybar
