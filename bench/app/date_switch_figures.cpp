#include "date_switch_figures.h"

#include "app/app_start.h"
#include "platform/view/text_view.h"
#include "windows/main/fm_txt.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 15;

// The previous entry's layout is finished first, as it is once the user has read it.
double switchTo(mainwin::fmTxt *window, platform::TextView *view, const QDate &date) {
    view->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    window->pickDate(date);
    QCoreApplication::processEvents();
    const QPixmap shot = view->viewport()->grab();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (shot.isNull())
        std::fprintf(stderr, "nothing painted\n");
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

void printDateSwitchFigures(const QDate &largeDay) {
    mainwin::fmTxt *window = appshell::mainWindow();
    auto *view = window ? window->findChild<platform::TextView *>() : nullptr;
    if (!view) {
        std::fprintf(stderr, "no editor view in the main window\n");
        return;
    }
    const QDate typicalA = largeDay.addDays(1);
    const QDate typicalB = largeDay.addDays(2);
    switchTo(window, view, typicalA);
    std::vector<double> typical, toTypical, toLarge;
    for (int i = 0; i < Runs; ++i) {
        typical.push_back(switchTo(window, view, typicalB));
        toTypical.push_back(switchTo(window, view, typicalA));
        toLarge.push_back(switchTo(window, view, largeDay));
        switchTo(window, view, typicalA);
    }
    const double a = median(typical);
    const double b = median(toLarge);
    const double c = median(toTypical);
    std::printf("date switch to first paint (median of %d): between typical entries %.1f ms "
                "(target < 10); to the 100,000-character entry %.1f ms, beside %.1f ms to a "
                "typical one: ratio %.2f (target < 2)\n",
                Runs, a, b, c, b / c);
}
