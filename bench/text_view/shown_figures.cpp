#include "shown_figures.h"

#include "../support/paint_timing.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QTextDocument>
#include <cstdio>

namespace {

using benchsupport::Timing;

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
    return benchsupport::timePainted(view.viewport(), [&] {
        surface.loadWholeFromMemory(bytes, platform::TextSurface::Word97);
        view.refresh();
    });
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
    const Timing a = benchsupport::median(largeMs);
    const Timing b = benchsupport::median(typicalMs);
    std::printf(
        "entry shown in page view (load to first paint, median of %d): 100,000 characters "
        "%.1f ms (CPU %.1f ms); typical 2,000 characters %.1f ms (CPU %.1f ms); ratio %.2f, "
        "CPU %.2f (target < 2); load and queued work all done: %.1f ms against %.1f ms\n",
        Runs, a.wall, a.cpu, b.wall, b.cpu, a.wall / b.wall, a.cpu / b.cpu, a.settled, b.settled);
}
