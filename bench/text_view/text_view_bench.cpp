// Speed of the editing view, the page renderer and PDF export on a 100,000-character entry.
#include "shown_figures.h"

#include "platform/text/text_fonts.h"
#include "platform/view/page_renderer.h"
#include "platform/view/pdf_writer.h"
#include "platform/view/text_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Characters = 100000;
constexpr int Repeats = 5;
const QSize ViewSize(1000, 800);

QString entryText() {
    const QString paragraph =
        QStringLiteral("今日は朝から雨が降った。The meeting ran long, so we "
                       "went for dinner afterwards. 公園の桜がきれいだった。");
    QString text;
    while (text.size() < Characters)
        text += paragraph + QLatin1Char('\n');
    text.truncate(Characters);
    return text;
}

// Replaces the document's content the way loading an entry does.
void load(QTextDocument *doc) {
    doc->clear();
    QTextCursor(doc).insertText(entryText());
    doc->setUndoRedoEnabled(false);
    doc->setUndoRedoEnabled(true);
}

std::unique_ptr<QTextDocument> makeDocument() {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    doc->setDefaultFont(font);
    load(doc.get());
    return doc;
}

platform::TextContent contentOf(QTextDocument *doc) {
    platform::TextContent content;
    content.main = doc;
    return content;
}

// From an entry loaded into the view's document to the first page on screen, in page view: the
// layout of what is shown and the paint. The rest of the document is laid out afterwards, in
// the background.
void BM_FirstPagePaint(benchmark::State &state) {
    auto doc = makeDocument();
    platform::TextView view;
    view.resize(ViewSize);
    view.setContent(contentOf(doc.get()));
    view.setViewMode(platform::TextView::PageView);
    view.setZoom(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        load(doc.get());
        state.ResumeTiming();
        QCoreApplication::processEvents();
        const QPixmap shot = view.viewport()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}

// The same in normal view, where the text flows in the window.
void BM_FirstPaintNormalView(benchmark::State &state) {
    auto doc = makeDocument();
    platform::TextView view;
    view.resize(ViewSize);
    view.setContent(contentOf(doc.get()));
    for (auto _ : state) {
        state.PauseTiming();
        load(doc.get());
        state.ResumeTiming();
        QCoreApplication::processEvents();
        const QPixmap shot = view.viewport()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}

// A view given a document it has not shown before lays it out in full at once.
void BM_FirstPaintNewDocument(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = makeDocument();
        state.ResumeTiming();
        platform::TextView view;
        view.resize(ViewSize);
        view.setViewMode(platform::TextView::PageView);
        view.setContent(contentOf(doc.get()));
        const QPixmap shot = view.viewport()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}

// Baseline the view was measured against: a plain QTextEdit, which cannot zoom.
void BM_FirstPaintTextEdit(benchmark::State &state) {
    auto doc = makeDocument();
    QTextEdit edit;
    edit.resize(ViewSize);
    edit.setDocument(doc.get());
    for (auto _ : state) {
        state.PauseTiming();
        load(doc.get());
        state.ResumeTiming();
        QCoreApplication::processEvents();
        const QPixmap shot = edit.viewport()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
    edit.setDocument(nullptr);
}

void BM_PageCount(benchmark::State &state) {
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = makeDocument();
        state.ResumeTiming();
        platform::PageRenderer renderer(contentOf(doc.get()));
        pages = renderer.pageCount();
    }
    state.counters["pages"] = pages;
}

void BM_PdfExport(benchmark::State &state) {
    QTemporaryDir dir;
    auto doc = makeDocument();
    const QString path = dir.filePath(QStringLiteral("entry.pdf"));
    for (auto _ : state) {
        if (!platform::savePdf(contentOf(doc.get()), path))
            state.SkipWithError("PDF not written");
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}

} // namespace

BENCHMARK(BM_FirstPagePaint)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstPaintNormalView)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstPaintNewDocument)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstPaintTextEdit)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PageCount)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PdfExport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printShownFigures();
    return 0;
}
