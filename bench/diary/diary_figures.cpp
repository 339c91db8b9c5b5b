#include "diary_figures.h"

#include "diary/search_warm_up.h"
#include "diary/sqlite_step.h"
#include "diary/store.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 11;

double medianMs(const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianCpuMs(const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        timespec from{}, to{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &from);
        work();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &to);
        times.push_back(double(to.tv_sec - from.tv_sec) * 1e3 +
                        double(to.tv_nsec - from.tv_nsec) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray foldedText(sqlite3 *db) {
    QByteArray all;
    diary::Step rows(db, "SELECT sf文書 FROM ms日誌検索 ORDER BY id DESC");
    while (rows.next() == SQLITE_ROW)
        all += rows.text(0);
    return all;
}

volatile int sink = 0;

int occurrences(const QByteArray &haystack, const QByteArray &needle) {
    int n = 0;
    const char *at = haystack.constData();
    const char *end = at + haystack.size();
    while (const void *hit = ::memmem(at, size_t(end - at), needle.constData(), needle.size())) {
        ++n;
        at = static_cast<const char *>(hit) + needle.size();
    }
    return n;
}

double number(diary::Store &store, const char *sql) {
    diary::Step step(store.database().handle(), sql);
    return step.next() == SQLITE_ROW ? sqlite3_column_double(step.get(), 0) : -1;
}

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void printFile(diary::Store &store) {
    const double size = double(QFileInfo(store.path()).size());
    const double pageSize = number(store, "PRAGMA page_size");
    const double unused = number(store, "SELECT sum(unused) FROM dbstat") +
                          number(store, "PRAGMA freelist_count") * pageSize;
    const double index =
        number(store, "SELECT sum(pgsize) FROM dbstat WHERE name LIKE 'ms日誌索引%'");
    const double copy = number(store, "SELECT sum(pgsize) FROM dbstat WHERE name = 'ms日誌検索'");
    const double folded = number(store, "SELECT sum(length(CAST(sf文書 AS BLOB))) FROM ms日誌検索");
    std::printf("file %.1f MB, page %.0f B, unused %.1f %% (target < 15 %%); folded text %.1f MB "
                "in %.1f MB of pages; trigram index %.1f MB = %.2f x the folded text "
                "(target <= 1.5)\n",
                size / 1e6, pageSize, 100 * unused / size, folded / 1e6, copy / 1e6, index / 1e6,
                index / folded);
}

struct Word {
    const char *label;
    QString word;
    qsizetype found = 0;
    double ours = 0;
    double oursCpu = 0;
};

// The program's own search for each word, wall and processor time.
std::vector<Word> searchAll(diary::Store &store) {
    std::vector<Word> words = {{"rare, 6 characters", QStringLiteral("ハレーすい星")},
                               {"absent, 10 characters", QStringLiteral("存在しない言葉xyz")},
                               {"common, 7 characters", QStringLiteral("Meeting")},
                               {"absent, 1 character", QStringLiteral("鯨")},
                               {"absent, 2 characters", QStringLiteral("鯨肉")},
                               {"common, 2 characters", QStringLiteral("会議")}};
    for (Word &w : words) {
        w.ours = medianMs([&] { w.found = store.search(w.word).size(); });
        w.oursCpu = medianCpuMs([&] { store.search(w.word); });
    }
    return words;
}

// The references over the same bytes, measured after the program's searches so that their copy
// of the folded text is not counted in the program's memory.
void printSearches(diary::Store &store, const std::vector<Word> &words) {
    sqlite3 *db = store.database().handle();
    const QByteArray haystack = foldedText(db);
    std::printf("search over %.1f MB of folded text (median of %d; processor time beside, the "
                "machine is shared):\n",
                haystack.size() / 1e6, Runs);
    for (const Word &w : words) {
        const QByteArray needle = w.word.toCaseFolded().toUtf8();
        const double scan = medianMs([&] { sink = occurrences(haystack, needle); });
        double trigram = -1;
        if (w.word.size() >= 3) {
            diary::Step match(db, "SELECT count(*) FROM ms日誌索引 WHERE ms日誌索引 MATCH ?");
            const QByteArray phrase = '"' + needle + '"';
            trigram = medianMs([&] {
                match.reset();
                match.bind(1, QByteArrayView(phrase));
                match.next();
                sink = int(match.integer(0));
            });
        }
        std::printf("  %-22s %8.3f ms (cpu %7.3f ms, %2lld found)   memmem %8.3f ms", w.label,
                    w.ours, w.oursCpu, qlonglong(w.found), scan);
        if (trigram >= 0)
            std::printf("   bare FTS5 count %8.3f ms", trigram);
        std::printf("\n");
    }
}

// The first short search after the diary is opened: reading the folded texts cold, and after the
// warm-up the main window runs while the program is idle.
void printFirstSearch(diary::Store &store, const QString &userDir, const QString &tplDir) {
    const QString word = QStringLiteral("鯨");
    store.close();
    store.open(userDir, tplDir);
    const long before = residentKb();
    QElapsedTimer cold;
    cold.start();
    store.search(word);
    const double coldMs = double(cold.nsecsElapsed()) / 1e6;
    const long afterCold = residentKb();

    store.close();
    store.open(userDir, tplDir);
    int turns = 0;
    double firstTurn = 0;
    double longest = 0;
    double total = 0;
    for (bool more = true; more; ++turns) {
        QElapsedTimer turn;
        turn.start();
        more = store.warmSearch(diary::SearchWarmUp::RowsPerTurn);
        const double ms = double(turn.nsecsElapsed()) / 1e6;
        if (turns == 0)
            firstTurn = ms;
        else
            longest = std::max(longest, ms);
        total += ms;
    }
    QElapsedTimer warm;
    warm.start();
    store.search(word);
    const double warmMs = double(warm.nsecsElapsed()) / 1e6;
    std::printf("first 1-character search after open: %.1f ms without the warm-up (reads the "
                "folded texts), %.3f ms after it; the warm-up: %d idle turns of %d rows, the first "
                "%.1f ms, the longest other %.1f ms, %.0f ms in all\n",
                coldMs, warmMs, turns, diary::SearchWarmUp::RowsPerTurn, firstTurn, longest, total);
    std::printf("resident memory after open %ld MB, after the first search %ld MB, after the "
                "warm-up and a search %ld MB (target < 100)\n",
                before / 1024, afterCold / 1024, residentKb() / 1024);
}

// The largest entry loaded from the diary into the text surface and shown in the view until the
// view has nothing left to do.
void printLargestShown(diary::Store &store) {
    const auto key = [&] {
        diary::Step largest(store.database().handle(),
                            "SELECT sk日付 FROM ms日誌 ORDER BY length(st文書) DESC LIMIT 1");
        return largest.next() == SQLITE_ROW ? largest.string(0) : QString();
    }();
    const auto row = store.load(key);
    if (!row) {
        std::printf("the largest entry could not be read\n");
        return;
    }
    platform::TextSurface surface;
    if (!surface.loadFromMemory(row->document, platform::TextSurface::Word97)) {
        std::printf("the largest entry could not be loaded\n");
        return;
    }
    platform::TextView view;
    view.resize(1000, 800);
    view.setSurface(&surface);
    view.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("resident memory %ld MB with the largest entry (%lld characters) shown "
                "(target < 100)\n",
                residentKb() / 1024, qlonglong(surface.text().size()));
}

} // namespace

void printFigures(diary::Store &store, const QString &userDir, const QString &tplDir) {
    QFile load(QStringLiteral("/proc/loadavg"));
    load.open(QIODevice::ReadOnly);
    std::printf("\n== 20-year diary figures (load average %s) ==\n",
                load.readAll().trimmed().constData());
    std::printf("-- as written by 7300 saves --\n");
    printFile(store);
    printFirstSearch(store, userDir, tplDir);
    const std::vector<Word> words = searchAll(store);
    std::printf("resident memory %ld MB after the searches (target < 100)\n", residentKb() / 1024);
    printLargestShown(store);
    printSearches(store, words);
    std::printf("-- after compaction --\n");
    store.compact();
    printFile(store);
    printSearches(store, searchAll(store));
}
