#include "shown_figures.h"

#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

struct Timing {
    double wall = 0; // ms
    double cpu = 0;  // ms of processor time
};

constexpr int Runs = 9;

QByteArray entryBytes(int characters) {
    const QString line = QStringLiteral("今日は朝から雨が降った。The meeting ran long, so we "
                                        "went for dinner afterwards. 公園の桜がきれいだった。\n");
    QString text;
    while (text.size() < characters)
        text += line;
    text.truncate(characters);
    platform::TextSurface surface;
    surface.setSelText(text);
    return surface.saveToMemory(platform::TextSurface::Word97);
}

// One entry switched to: loaded, the queued work done and the view painted. The previous entry's
// layout is finished beforehand, as it is once the user has read it.
Timing showOnce(platform::TextSurface &surface, platform::TextView &view, const QByteArray &bytes) {
    view.document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    surface.loadWholeFromMemory(bytes, platform::TextSurface::Word97);
    view.refresh();
    QCoreApplication::processEvents();
    const QPixmap shot = view.viewport()->grab();
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

void printShownFigures() {
    const QByteArray typical = entryBytes(2000);
    const QByteArray large = entryBytes(100000);
    platform::TextSurface surface;
    platform::TextView view;
    view.resize(1000, 800);
    view.setSurface(&surface);
    view.setViewMode(platform::TextView::PageView);
    view.show();
    QCoreApplication::processEvents();
    showOnce(surface, view, typical);
    std::vector<Timing> typicalMs, largeMs;
    for (int i = 0; i < Runs; ++i) {
        largeMs.push_back(showOnce(surface, view, large));
        typicalMs.push_back(showOnce(surface, view, typical));
    }
    const Timing a = median(largeMs);
    const Timing b = median(typicalMs);
    std::printf(
        "entry shown in page view (load to first paint, median of %d): 100,000 characters "
        "%.1f ms (CPU %.1f ms); typical 2,000 characters %.1f ms (CPU %.1f ms); ratio %.2f, "
        "CPU %.2f (target < 2)\n",
        Runs, a.wall, a.cpu, b.wall, b.cpu, a.wall / b.wall, a.cpu / b.cpu);
}
