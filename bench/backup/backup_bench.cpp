// Backups and the export of a year over twenty years of daily entries.
#include "diary/backup.h"
#include "diary/store.h"
#include "export/diary_export.h"
#include "platform/text/text_surface.h"
#include "settings/user_styles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>

namespace {

constexpr int Days = 7300;

QString entryText(QRandomGenerator &random) {
    static const QStringList words = {QStringLiteral("今日は"),
                                      QStringLiteral("朝から"),
                                      QStringLiteral("雨が降った。"),
                                      QStringLiteral("散歩に"),
                                      QStringLiteral("公園の桜が"),
                                      QStringLiteral("きれいだった。"),
                                      QStringLiteral("会議"),
                                      QStringLiteral("資料を作成し、"),
                                      QStringLiteral("project"),
                                      QStringLiteral("review"),
                                      QStringLiteral("\n")};
    QString text;
    while (text.size() < 2000)
        text += words.at(random.bounded(int(words.size()))) + u' ';
    return text;
}

// Twenty years of entries; the last whole year's are real Word documents made by the text surface
// (what the export reads), the others 20 KB of document bytes each.
struct Fixture {
    QTemporaryDir dir;
    diary::Store store;
    QDate first{2005, 1, 1};
    QDate lastYearStart;

    Fixture() {
        store.open(dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR));
        QRandomGenerator random(2024);
        QByteArray document(20 * 1024, '\0');
        const QDate last = first.addDays(Days - 1);
        // The last whole year: 365 entries.
        lastYearStart = QDate(last.year() - 1, 1, 1);
        store.database().beginTransaction();
        for (int day = 0; day < Days; ++day) {
            const QDate date = first.addDays(day);
            const QString text = entryText(random);
            if (date.year() == lastYearStart.year()) {
                platform::TextSurface surface;
                surface.setSelText(text);
                store.saveEntry(diary::entryKey(date), text,
                                surface.saveWholeToMemory(platform::TextSurface::Word97));
                continue;
            }
            for (auto &byte : document)
                byte = char(random.bounded(256));
            store.saveEntry(diary::entryKey(date), text, document);
        }
        store.database().commit();
        // As a diary that has been opened before: its log folded into the file.
        store.database().execScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QString diaryFile() const { return QDir(dir.path()).filePath(QStringLiteral("dbJvo.mdb")); }
};

Fixture &fixture() {
    static Fixture f;
    return f;
}

void BM_Backup(benchmark::State &state) {
    Fixture &f = fixture();
    const QString target = QDir(f.dir.path()).filePath(QStringLiteral("copy.mdb"));
    for (auto _ : state) {
        const diary::backup::Result r = diary::backup::copyDiary(f.diaryFile(), target);
        if (!r.ok)
            state.SkipWithError("backup failed");
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["MB"] = double(QFileInfo(f.diaryFile()).size()) / 1e6;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saves every 10 ms while a backup runs (range 1) or for as long without one (range 0); the
// counter is the longest save.
void BM_SaveWaitDuringBackup(benchmark::State &state) {
    Fixture &f = fixture();
    const QString target = QDir(f.dir.path()).filePath(QStringLiteral("copy.mdb"));
    const bool withBackup = state.range(0) == 1;
    double longest = 0;
    int saves = 0;
    for (auto _ : state) {
        std::atomic_bool done{false};
        std::thread worker([&] {
            if (withBackup)
                diary::backup::copyDiary(f.diaryFile(), target);
            else
                std::this_thread::sleep_for(std::chrono::seconds(2));
            done = true;
        });
        while (!done) {
            QElapsedTimer t;
            t.start();
            f.store.saveEntry(QStringLiteral("991231"), QStringLiteral("save %1").arg(saves),
                              QByteArray(20 * 1024, 'x'));
            longest = std::max(longest, t.nsecsElapsed() / 1e6);
            ++saves;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        worker.join();
        QFile::remove(target);
    }
    state.counters["longest_save_ms"] = longest;
    state.counters["saves"] = saves;
}
BENCHMARK(BM_SaveWaitDuringBackup)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportYearToPdf(benchmark::State &state) {
    Fixture &f = fixture();
    settings::UserStyleTable styles;
    const QString target = QDir(f.dir.path()).filePath(QStringLiteral("year.pdf"));
    int entries = 0;
    for (auto _ : state) {
        diaryexport::Request request;
        request.form = diaryexport::Form::PdfBook;
        request.range = diaryexport::year(f.lastYearStart.year());
        request.target = target;
        const diaryexport::Result r = diaryexport::exportDiary(f.store, request, styles);
        if (!r.ok)
            state.SkipWithError("export failed");
        entries = r.entries;
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_ExportYearToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
