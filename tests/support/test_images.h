#pragma once

#include <QByteArray>
#include <QColor>

namespace testsupport {

// The PNG file bytes of a plain picture of the given size and colour.
QByteArray pngBytes(int width, int height, const QColor &color);

} // namespace testsupport
