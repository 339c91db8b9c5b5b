#include "editor_dialog/display.h"

#include <QtGlobal>
#include <array>
#include <cmath>

namespace editor_dialog {
namespace {

constexpr std::array<int, 5> kPresets{150, 125, 100, 75, 50};
constexpr int kWholePage = 5;
constexpr int kPageWidth = 6;

} // namespace

QStringList displayZoomCaptions() {
    return {QStringLiteral("150%"),   QStringLiteral("125%"), QStringLiteral("100%"),
            QStringLiteral("75%"),    QStringLiteral("50%"),  QStringLiteral("ﾍﾟ-ｼﾞ合せ"),
            QStringLiteral("巾合せ"), QStringLiteral("指定")};
}

DisplayChoice readDisplayAnswer(const QString &sAns) {
    const qsizetype tab = sAns.indexOf(QLatin1Char('\t'));
    DisplayChoice choice;
    choice.pageView = sAns.left(tab < 0 ? sAns.size() : tab).trimmed().toInt() != 0;
    bool ok = false;
    const int zoom = tab < 0 ? 0 : sAns.mid(tab + 1).trimmed().toInt(&ok);
    choice.zoom = ok ? qBound(10, zoom, 400) : 100;
    choice.zoomOption = 7;
    for (int i = 0; i < int(kPresets.size()); ++i)
        if (kPresets[i] == choice.zoom)
            choice.zoomOption = i;
    return choice;
}

QString displayAnswer(int viewMode, int zoom) {
    return QString::number(viewMode) + QLatin1Char('\t') + QString::number(zoom);
}

int chosenZoom(const DisplayChoice &choice, const QSizeF &view, const QSizeF &page) {
    double zoom = choice.zoom;
    const bool measurable = page.width() > 0 && page.height() > 0;
    if (choice.zoomOption >= 0 && choice.zoomOption < int(kPresets.size()))
        zoom = kPresets[choice.zoomOption];
    else if (choice.zoomOption == kWholePage && measurable)
        zoom = 97 * qMin(view.width() / page.width(), view.height() / page.height());
    else if (choice.zoomOption == kPageWidth && measurable)
        zoom = 97 * view.width() / page.width();
    if (!std::isfinite(zoom))
        zoom = 100;
    return qBound(10, int(std::lround(qBound(-1.0e6, zoom, 1.0e6))), 400);
}

} // namespace editor_dialog
