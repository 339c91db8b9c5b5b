// Speed of the diary statements over twenty years of daily entries.
#include "diary/store.h"
#include "platform/text/text_surface.h"

#include "diary_figures.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString RareWord = QStringLiteral("ハレーすい星");
const QString MissingWord = QStringLiteral("存在しない言葉xyz");
constexpr int Days = 7300;
// The diary's largest entry, the one day whose document is a real one.
constexpr int LargestDay = 4000;
constexpr int LargestCharacters = 100000;

QString entryText(QRandomGenerator &random, int day, qsizetype characters = 2000) {
    static const QStringList words = {QStringLiteral("今日は"),
                                      QStringLiteral("朝から"),
                                      QStringLiteral("雨が降った。"),
                                      QStringLiteral("散歩に"),
                                      QStringLiteral("出かけて"),
                                      QStringLiteral("公園の桜が"),
                                      QStringLiteral("きれいだった。"),
                                      QStringLiteral("会議"),
                                      QStringLiteral("資料を作成し、"),
                                      QStringLiteral("夕方には"),
                                      QStringLiteral("友人と"),
                                      QStringLiteral("食事をした。"),
                                      QStringLiteral("Meeting"),
                                      QStringLiteral("project"),
                                      QStringLiteral("review"),
                                      QStringLiteral("train"),
                                      QStringLiteral("coffee"),
                                      QStringLiteral("weather"),
                                      QStringLiteral("本を読む。"),
                                      QStringLiteral("ＡＢＣ商事"),
                                      QStringLiteral("\n")};
    QString text;
    text.reserve(characters + 100);
    while (text.size() < characters)
        text += words.at(random.bounded(int(words.size()))) + u' ';
    if (day % 1500 == 7)
        text.insert(text.size() / 2, RareWord);
    return text;
}

// The generated diary, made once per run in a temporary folder.
struct Fixture {
    QTemporaryDir dir;
    diary::Store store;
    QStringList keys;

    Fixture() {
        store.open(dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR));
        QRandomGenerator random(2024);
        QByteArray document(20 * 1024, '\0');
        const QDate first(2004, 1, 1);
        store.database().beginTransaction();
        for (int day = 0; day < Days; ++day) {
            const QString key = diary::entryKey(first.addDays(day));
            for (auto &byte : document)
                byte = char(random.bounded(256));
            if (day == LargestDay) {
                platform::TextSurface surface;
                surface.setSelText(entryText(random, day, LargestCharacters));
                store.saveEntry(key, surface.text(),
                                surface.saveToMemory(platform::TextSurface::Word97));
                keys.append(key);
                continue;
            }
            const QString text = entryText(random, day);
            store.saveEntry(key, text, document);
            keys.append(key);
        }
        store.database().commit();
    }
};

Fixture &fixture() {
    static Fixture f;
    return f;
}

// Timed by hand: only the open itself, not the close between the iterations.
void BM_Open(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        f.store.close();
        QElapsedTimer timer;
        timer.start();
        if (!f.store.open(f.dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)))
            state.SkipWithError("open");
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_MonthList(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        const auto rows = f.store.monthList(QStringLiteral("1503"));
        if (rows.size() != 31)
            state.SkipWithError("month list");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_FirstLast(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        const QString first = f.store.firstKey();
        const QString last = f.store.lastKey();
        if (first != f.keys.first() || last != f.keys.last())
            state.SkipWithError("first/last");
        benchmark::DoNotOptimize(first);
    }
}

void BM_Recent50(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        const auto rows = f.store.recent(f.keys.at(Days / 2));
        if (rows.size() != 50)
            state.SkipWithError("recent");
        benchmark::DoNotOptimize(rows);
    }
}

void search(benchmark::State &state, const QString &word, qsizetype expected) {
    Fixture &f = fixture();
    for (auto _ : state) {
        const auto rows = f.store.search(word);
        if (rows.size() != expected)
            state.SkipWithError("search");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_SearchRare(benchmark::State &state) {
    search(state, RareWord, 5);
}
void BM_SearchMissing(benchmark::State &state) {
    search(state, MissingWord, 0);
}
// Two-character words are common in Japanese.
void BM_SearchMissingShort(benchmark::State &state) {
    search(state, QStringLiteral("鯨肉"), 0);
}

void BM_SaveUpdate(benchmark::State &state) {
    Fixture &f = fixture();
    QRandomGenerator random(7);
    QByteArray document(20 * 1024, 'x');
    const QString text = entryText(random, 1);
    for (auto _ : state) {
        if (!f.store.saveEntry(f.keys.at(Days / 3), text, document))
            state.SkipWithError("save");
    }
}

constexpr int Repeats = 5;

} // namespace

BENCHMARK(BM_Open)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_MonthList)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstLast)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Recent50)->Unit(benchmark::kMillisecond)->Repetitions(Repeats)->ReportAggregatesOnly();
BENCHMARK(BM_SearchRare)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SearchMissing)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SearchMissingShort)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SaveUpdate)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repeats)
    ->ReportAggregatesOnly();

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The largest entry is written and shown through the program's own text surface and view.
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Fixture &f = fixture();
    printFigures(f.store, f.dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR));
    return 0;
}
