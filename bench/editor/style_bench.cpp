// Applying a body style (本文強調) to a 200-paragraph selection of a 100,000-character entry:
// through the shown editor (command 60 with its snapshot and the relayout of the joined
// paragraph), and on the surface alone (text rewrite, paragraph and character values, marker
// colours). Target: under 50 ms.
#include "editor/interface.h"
#include "editor/styles/style_apply.h"
#include "platform/text/text_fonts.h"
#include "platform/text/text_surface.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

using platform::TextSurface;

namespace {

QString entryText(int *paragraph) {
    const QString sentence =
        QStringLiteral("今日は朝から雨が降っていた。散歩は短めにして、本を読んだ。");
    QString text;
    while (text.size() < 100000) {
        text += sentence.repeated(8);
        text += u'\n';
    }
    *paragraph = int(sentence.size()) * 8 + 1;
    return text;
}

void applyOnSurface(benchmark::State &state) {
    TextSurface surface;
    int paragraph = 0;
    surface.setSelText(entryText(&paragraph));
    const QByteArray original = surface.saveToMemory(TextSurface::Internal);
    const settings::UserStyleTable table = settings::UserStyleTable::defaults();
    for (auto _ : state) {
        surface.select(paragraph * 100, paragraph * 200 - 1);
        editor::applyUserStyle(editor::StyleTarget{surface, table, 0, {}, {}, {}}, 4, false);
        state.PauseTiming();
        surface.loadFromMemory(original, TextSurface::Internal);
        state.ResumeTiming();
    }
}

void applyBodyStyle(benchmark::State &state) {
    editor::uTxm editor;
    editor.cOn(0, 0);
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    int paragraph = 0;
    editor.SetText(entryText(&paragraph));
    TextSurface &surface = editor.surface();
    // 200 paragraphs from the middle of the entry.
    const int start = paragraph * 100;
    const int length = paragraph * 200 - 1;
    surface.select(start, length);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        editor.rtAct(60, 4);
        state.PauseTiming();
        editor.rtAct(11);
        surface.select(start, length);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["characters"] = double(surface.textLength());
}

} // namespace

BENCHMARK(applyBodyStyle)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(applyOnSurface)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    platform::installFontSubstitutes(); // as at start-up: the style's font is drawn in IPA P Gothic
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
