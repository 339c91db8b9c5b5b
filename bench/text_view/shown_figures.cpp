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

namespace {

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
double showOnce(platform::TextSurface &surface, platform::TextView &view, const QByteArray &bytes) {
    view.document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    surface.loadWholeFromMemory(bytes, platform::TextSurface::Word97);
    view.refresh();
    QCoreApplication::processEvents();
    const QPixmap shot = view.viewport()->grab();
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
    std::vector<double> typicalMs, largeMs;
    for (int i = 0; i < Runs; ++i) {
        largeMs.push_back(showOnce(surface, view, large));
        typicalMs.push_back(showOnce(surface, view, typical));
    }
    const double a = median(largeMs);
    const double b = median(typicalMs);
    std::printf("entry shown in page view (load to first paint, median of %d): 100,000 characters "
                "%.1f ms; typical 2,000 characters %.1f ms; ratio %.2f (target < 2)\n",
                Runs, a, b, a / b);
}
