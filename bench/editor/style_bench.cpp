// Applying the body style to a 200-paragraph selection of a 100,000-character entry in a shown
// editor (text rewrite, paragraph and character values, marker colours), undone between runs.
// Target: under 50 ms.
#include "editor/interface.h"
#include "platform/text/text_surface.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

using platform::TextSurface;

namespace {

void applyBodyStyle(benchmark::State &state) {
    editor::uTxm editor;
    editor.cOn(0, 0);
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    const QString sentence =
        QStringLiteral("今日は朝から雨が降っていた。散歩は短めにして、本を読んだ。");
    QString text;
    while (text.size() < 100000) {
        text += sentence.repeated(8);
        text += u'\n';
    }
    editor.SetText(text);
    TextSurface &surface = editor.surface();
    // 200 paragraphs from the middle of the entry.
    const int paragraph = int(sentence.size()) * 8 + 1;
    const int start = paragraph * 100;
    const int length = paragraph * 200 - 1;
    QCoreApplication::processEvents();
    for (auto _ : state) {
        surface.select(start, length);
        editor.rtAct(60, 4);
        state.PauseTiming();
        editor.rtAct(11);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["characters"] = double(surface.textLength());
}

} // namespace

BENCHMARK(applyBodyStyle)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
