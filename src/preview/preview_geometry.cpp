#include "preview/preview_geometry.h"

#include <QtMath>

namespace preview {

FitResult fitPage(const QSize &inner, const QSize &page) {
    FitResult fit;
    if (page.width() <= 0 || page.height() <= 0)
        return fit;
    const double sw = inner.width();
    const double sh = inner.height();
    const double byWidth = sw / page.width();
    const double byHeight = sh / page.height();
    const double scale = (byHeight >= byWidth ? byWidth : byHeight) * 0.9;
    const int width = qRound(page.width() * scale);
    const int height = qRound(page.height() * scale);
    fit.box = QRect(qRound((sw - width) / 2), qRound((sh - height) / 2), width, height);
    fit.fitZoom =
        qMin(qRound(height * 100.0 / page.height()), qRound(width * 100.0 / page.width()));
    fit.fitZoom = qMax(1, fit.fitZoom);
    return fit;
}

QRect zoomBox(const QSize &inner, const QRect &fitBox, int fitZoom, int zoom) {
    const int width = qRound(double(fitBox.width()) * zoom / fitZoom);
    const int height = qRound(double(fitBox.height()) * zoom / fitZoom);
    const int left = qMax(0, qRound((inner.width() - width) / 2.0));
    const int top = qMax(0, qRound((inner.height() - height) / 2.0));
    return QRect(left, top, width, height);
}

PageBox withShadow(const QRect &box) {
    PageBox b;
    b.box = box;
    b.shadowRight =
        QRect(box.left() + box.width(), box.top() + ShadowOffset, ShadowOffset, box.height());
    b.shadowBottom =
        QRect(box.left() + ShadowOffset, box.top() + box.height(), box.width(), ShadowOffset);
    return b;
}

void PageNavigator::reset(int count) {
    m_count = qMax(1, count);
    m_page = 1;
}

void PageNavigator::go(int page) {
    m_page = qBound(1, page, m_count);
}

} // namespace preview
