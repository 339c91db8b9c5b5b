#include "image_dialog/wmf_layout.h"

#include <cmath>

namespace image_dialog {

WmfLayout wmfLayout(QSize pictureTwips, int maxWidthTwips, QPoint pointerTwips,
                    QRect mainWindowTwips) {
    WmfLayout layout;
    int w = pictureTwips.width();
    int h = pictureTwips.height();
    if (maxWidthTwips >= 1 && w > maxWidthTwips) {
        const double ratio = double(maxWidthTwips) / w;
        layout.message = QStringLiteral("元の画像の巾が現在の文書の巾より大きいので、") +
                         QString::number(ratio * 100, 'f', 1) + QStringLiteral("%縮小されます");
        h = int(std::nearbyint(ratio * h)); // halves to even, the default rounding mode
        w = maxWidthTwips;
    }
    layout.picture = QSize(w, h);
    const QSize window(w + kExtraWidth, h + kExtraHeight);
    int left = pointerTwips.x() - w / 2;
    int top = pointerTwips.y() - h / 2;
    if (left + window.width() > mainWindowTwips.left() + mainWindowTwips.width())
        left = mainWindowTwips.left() + mainWindowTwips.width() - window.width();
    if (top + window.height() > mainWindowTwips.top() + mainWindowTwips.height())
        top = mainWindowTwips.top() + mainWindowTwips.height() - window.height();
    layout.window = QRect(QPoint(qMax(0, left), qMax(0, top)), window);
    return layout;
}

QSize pictureForWindow(QSize windowTwips) {
    return QSize(qMax(15, windowTwips.width() - kExtraWidth),
                 qMax(15, windowTwips.height() - kExtraHeight));
}

} // namespace image_dialog
