#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace image_dialog {

// How the image dialog opens, in twips: the picture's shown size (narrowed to the maximum width,
// with the message telling so), and the window's place centred on the pointer and kept inside
// the main window's right and bottom edges and the screen's top-left corner.
struct WmfLayout {
    QSize picture;
    QString message; // empty when the picture is not reduced
    QRect window;
};

// Space around the picture for the window's margins and the button row.
constexpr int kExtraWidth = 500;
constexpr int kExtraHeight = 920;

WmfLayout wmfLayout(QSize pictureTwips, int maxWidthTwips, QPoint pointerTwips,
                    QRect mainWindowTwips);

// The picture size for a window size (both twips).
QSize pictureForWindow(QSize windowTwips);

} // namespace image_dialog
