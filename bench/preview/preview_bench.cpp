// Speed of the print preview and of printing, on a 20-page entry.
#include "platform/printing.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "preview/page_source.h"
#include "preview/print_service.h"
#include "preview/printer_record.h"
#include "preview/sbtvw.h"
#include "recording_printer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Pages = 20;
constexpr int Repeats = 5;

// Twenty A4 pages of mixed Japanese and Latin text, each ended by a page break.
std::unique_ptr<platform::TextSurface> entry() {
    auto s = std::make_unique<platform::TextSurface>();
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    s->document()->setDefaultFont(font);
    platform::PageSetup page = s->page();
    page.width = 11906;
    page.height = 16838;
    s->setPage(page);
    QString pageText;
    for (int i = 0; i < 18; ++i)
        pageText += QStringLiteral("今日は朝から雨が降った。The meeting ran long, so we went for "
                                   "dinner afterwards. 公園の桜がきれいだった。\n");
    for (int n = 0; n < Pages; ++n) {
        if (n > 0)
            s->setSelText(QString(QChar(12)));
        s->setSelText(pageText);
    }
    return s;
}

// From the preview command to its first page drawn: page view for the document, the fit box,
// the page count and the paint of the page box.
void BM_PreviewFirstPage(benchmark::State &state) {
    auto surface = entry();
    platform::TextView view;
    view.resize(1000, 800);
    view.setSurface(surface.get());
    preview::sbTvw window;
    window.resize(1200, 900);
    QImage target(window.size(), QImage::Format_ARGB32_Premultiplied);
    int pages = 0;
    for (auto _ : state) {
        preview::SurfacePages source(*surface, &view);
        window.prepare(source, QString(), QString(), QString(), nullptr);
        window.canvas()->render(&target);
        pages = window.model().pages().count();
        state.PauseTiming();
        window.finish();
        state.ResumeTiming();
    }
    if (pages != Pages)
        state.SkipWithError("wrong page count");
}

// Printing all pages directly, with stored settings, to a printer that keeps what was drawn.
void BM_PrintTwentyPages(benchmark::State &state) {
    auto surface = entry();
    QTemporaryDir dir;
    auto recorder = std::make_unique<testsupport::RecordingPrinter>();
    testsupport::RecordingPrinter *printer = recorder.get();
    auto previous = platform::setPrinter(std::move(recorder));
    const QString file = dir.filePath(QStringLiteral("Page.prndt"));
    preview::writeRecordFile(file, preview::fillFromPrinter(*printer));
    preview::SurfacePages source(*surface);
    for (auto _ : state) {
        printer->jobs.clear();
        if (preview::PrintService::print(source, true, file, QStringLiteral("bench")) !=
            preview::PrintService::Result::Printed)
            state.SkipWithError("not printed");
    }
    if (printer->jobs.size() != 1 || printer->jobs[0].pages.size() != Pages)
        state.SkipWithError("wrong pages");
    platform::setPrinter(std::move(previous));
}

} // namespace

BENCHMARK(BM_PreviewFirstPage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PrintTwentyPages)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
