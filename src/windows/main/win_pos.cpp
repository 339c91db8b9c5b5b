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
