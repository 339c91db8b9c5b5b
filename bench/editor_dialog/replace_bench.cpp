// Speed of replace-all: a two-character word occurring 5,000 times in a 100,000-character entry.
#include "editor_dialog/find_replace.h"
#include "platform/text/text_surface.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int Occurrences = 5000;
constexpr int Length = 100000;

// Paragraphs of Japanese text with the word "日記" every 20 characters.
QString entryText() {
    const QString filler = QStringLiteral("今日は晴れて風が強く、とても寒い");
    QString text;
    text.reserve(Length);
    for (int i = 0; i < Occurrences; ++i) {
        text += QStringLiteral("日記");
        text += filler.left(17);
        text += (i % 10 == 9) ? QChar(QChar::ParagraphSeparator) : QChar(u'。');
    }
    return text;
}

void ReplaceAll(benchmark::State &state) {
    const QString text = entryText();
    for (auto _ : state) {
        state.PauseTiming();
        platform::TextSurface surface;
        surface.setSelText(text);
        editor_dialog::FindReplace finder(surface);
        state.ResumeTiming();
        const int count = finder.replaceAll(QStringLiteral("日記"), QStringLiteral("手帳"), false);
        if (count != Occurrences)
            state.SkipWithError("wrong number of replacements");
    }
}
BENCHMARK(ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
