#include "windows/main/win_pos.h"

#include "settings/yini.h"

#include <cmath>

namespace mainwin {
namespace {

const QString kPosGroup = QStringLiteral("位置");
const QString kOptGroup = QStringLiteral("設定");
const QString kCalCols = QStringLiteral("列数");
const QString kFkeys = QStringLiteral("ﾌｧﾝｸｼｮﾝ");
const QString kShown = QStringLiteral("表示");
const QString kHidden = QStringLiteral("非表示");

} // namespace

WinRect readWinPos(settings::yIni &ini) {
    const WinRect d;
    ini.GetGtx(kPosGroup);
    WinRect r;
    r.left = ini.vGtVal(QStringLiteral("LEFT"), d.left);
    r.top = ini.vGtVal(QStringLiteral("TOP"), d.top);
    r.width = ini.vGtVal(QStringLiteral("WIDTH"), d.width);
    r.height = ini.vGtVal(QStringLiteral("HEIGHT"), d.height);
    return r;
}

bool winPosStored(settings::yIni &ini) {
    ini.GetGtx(kPosGroup);
    return ini.vGtVal(QStringLiteral("WIDTH"), 0) > 0 &&
           ini.vGtVal(QStringLiteral("HEIGHT"), 0) > 0;
}

QRect firstPlacement(const QRect &available, const QSize &minimum) {
    const QSize size = (available.size() * 0.8).expandedTo(minimum).boundedTo(available.size());
    QRect placed(QPoint(), size);
    placed.moveCenter(available.center());
    return placed;
}

QRect ontoScreens(const QRect &frame, const QList<QRect> &screens) {
    if (screens.isEmpty())
        return frame;
    // Shown means enough of the title bar to take hold of it.
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), qMin(frame.height(), 30)));
    const QRect *nearest = nullptr;
    qint64 best = -1;
    for (const QRect &screen : screens) {
        const QRect seen = screen & titleBar;
        if (seen.width() >= qMin(100, titleBar.width()) &&
            seen.height() >= qMin(10, titleBar.height()))
            return frame;
        const QPoint d = screen.center() - frame.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (best < 0 || distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    QRect placed(frame.topLeft(), frame.size().boundedTo(nearest->size()));
    placed.moveLeft(qBound(nearest->left(), placed.left(), nearest->right() - placed.width() + 1));
    placed.moveTop(qBound(nearest->top(), placed.top(), nearest->bottom() - placed.height() + 1));
    return placed;
}

WinRect withoutOverhang(WinRect r) {
    if (r.left < 0) {
        r.width += r.left;
        r.left = 0;
    }
    if (r.top < 0) {
        r.height += r.top;
        r.top = 0;
    }
    return r;
}

void writeWinPos(settings::yIni &ini, const WinRect &rect) {
    const WinRect r = withoutOverhang(rect);
    ini.GetGtx(kPosGroup);
    ini.SetVal(QStringLiteral("LEFT"), r.left);
    ini.SetVal(QStringLiteral("TOP"), r.top);
    ini.SetVal(QStringLiteral("WIDTH"), r.width);
    ini.SetVal(QStringLiteral("HEIGHT"), r.height);
    ini.SetGtx();
}

int readCalColsIndex(settings::yIni &ini) {
    ini.GetGtx(kOptGroup);
    const int cols = ini.vGtVal(kCalCols, 2);
    return (cols >= 1 && cols <= 3) ? cols - 1 : 0;
}

void storeCalColsIndex(settings::yIni &ini, int index) {
    ini.GetGtx(kOptGroup);
    ini.SetVal(kCalCols, index + 1);
    ini.SetGtx();
}

bool readFkeyShown(settings::yIni &ini) {
    ini.GetGtx(kOptGroup);
    return ini.vGtVal(kFkeys, kShown) == kShown;
}

void storeFkeyShown(settings::yIni &ini, bool shown) {
    ini.GetGtx(kOptGroup);
    ini.SetVal(kFkeys, shown ? kShown : kHidden);
    ini.SetGtx();
}

int twipsFromPixels(int pixels, int dpi) {
    return int(std::lround(double(pixels) * 1440.0 / double(dpi > 0 ? dpi : 96)));
}

int pixelsFromTwips(int twips, int dpi) {
    return int(std::lround(double(twips) * double(dpi > 0 ? dpi : 96) / 1440.0));
}

WinRect toTwips(const QRect &p, int dpi) {
    return {twipsFromPixels(p.x(), dpi), twipsFromPixels(p.y(), dpi),
            twipsFromPixels(p.width(), dpi), twipsFromPixels(p.height(), dpi)};
}

QRect toPixels(const WinRect &t, int dpi) {
    return QRect(pixelsFromTwips(t.left, dpi), pixelsFromTwips(t.top, dpi),
                 pixelsFromTwips(t.width, dpi), pixelsFromTwips(t.height, dpi));
}

} // namespace mainwin
