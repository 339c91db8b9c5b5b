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
#include <ctime>
#include <vector>

namespace {

struct Timing {
    double wall = 0; // ms
    double cpu = 0;  // ms of processor time
};

constexpr int Runs = 15;

// The previous entry's layout is finished first, as it is once the user has read it.
Timing switchTo(mainwin::fmTxt *window, platform::TextView *view, const QDate &date) {
    view->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    window->pickDate(date);
    QCoreApplication::processEvents();
    const QPixmap shot = view->viewport()->grab();
    const Timing ms{timer.nsecsElapsed() / 1e6, (std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC};
    if (shot.isNull())
        std::fprintf(stderr, "nothing painted\n");
    return ms;
}

// Medians of the wall-clock and the processor time: on a loaded machine the second is steadier.
Timing median(const std::vector<Timing> &runs) {
    std::vector<double> wall, cpu;
    for (const Timing &t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
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
    const Timing a = median(typical);
    const Timing b = median(toLarge);
    const Timing c = median(toTypical);
    std::printf(
        "date switch to first paint (median of %d): between typical entries %.1f ms (CPU "
        "%.1f ms) (target < 10); to the 100,000-character entry %.1f ms (CPU %.1f ms), "
        "beside %.1f ms (CPU %.1f ms) to a typical one: ratio %.2f, CPU %.2f (target < 2)\n",
        Runs, a.wall, a.cpu, b.wall, b.cpu, c.wall, c.cpu, b.wall / c.wall, b.cpu / c.cpu);
}
