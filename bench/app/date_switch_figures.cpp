#include "date_switch_figures.h"

#include "../support/paint_timing.h"
#include "app/app_start.h"
#include "platform/view/text_view.h"
#include "windows/main/fm_txt.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QTextDocument>
#include <cstdio>
#include <vector>

namespace {

using benchsupport::Timing;

constexpr int Runs = 15;

// The previous entry's layout is finished first, as it is once the user has read it.
Timing switchTo(mainwin::fmTxt *window, platform::TextView *view, const QDate &date) {
    view->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    return benchsupport::timePainted(view->viewport(), [&] { window->pickDate(date); });
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
    std::vector<Timing> typical, toTypical, toLarge;
    for (int i = 0; i < Runs; ++i) {
        typical.push_back(switchTo(window, view, typicalB));
        toTypical.push_back(switchTo(window, view, typicalA));
        toLarge.push_back(switchTo(window, view, largeDay));
        switchTo(window, view, typicalA);
    }
    const Timing a = benchsupport::median(typical);
    const Timing b = benchsupport::median(toLarge);
    const Timing c = benchsupport::median(toTypical);
    std::printf(
        "date switch to first paint (median of %d): between typical entries %.1f ms (CPU "
        "%.1f ms) (target < 10); to the 100,000-character entry %.1f ms (CPU %.1f ms), "
        "beside %.1f ms (CPU %.1f ms) to a typical one: ratio %.2f, CPU %.2f (target < 2); "
        "switch and queued work all done: %.1f ms to the large entry, %.1f ms to a typical one\n",
        Runs, a.wall, a.cpu, b.wall, b.cpu, c.wall, c.cpu, b.wall / c.wall, b.cpu / c.cpu,
        b.settled, c.settled);
}
