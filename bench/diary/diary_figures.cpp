#include "diary_figures.h"

#include "diary/sqlite_step.h"
#include "diary/store.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>
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

void printSearches(diary::Store &store) {
    sqlite3 *db = store.database().handle();
    const QByteArray haystack = foldedText(db);
    struct Word {
        const char *label;
        QString word;
    };
    const Word words[] = {{"rare, 6 characters", QStringLiteral("ハレーすい星")},
                          {"absent, 10 characters", QStringLiteral("存在しない言葉xyz")},
                          {"common, 7 characters", QStringLiteral("Meeting")},
                          {"absent, 1 character", QStringLiteral("鯨")},
                          {"absent, 2 characters", QStringLiteral("鯨肉")},
                          {"common, 2 characters", QStringLiteral("会議")}};
    std::printf("search over %.1f MB of folded text (median of %d):\n", haystack.size() / 1e6,
                Runs);
    for (const Word &w : words) {
        const QByteArray needle = w.word.toCaseFolded().toUtf8();
        qsizetype found = 0;
        const double ours = medianMs([&] { found = store.search(w.word).size(); });
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
        std::printf("  %-22s %8.3f ms (%2lld found)   memmem %8.3f ms", w.label, ours,
                    qlonglong(found), scan);
        if (trigram >= 0)
            std::printf("   bare FTS5 count %8.3f ms", trigram);
        std::printf("\n");
    }
}

} // namespace

void printFigures(diary::Store &store, const QString &userDir, const QString &tplDir) {
    QFile load(QStringLiteral("/proc/loadavg"));
    load.open(QIODevice::ReadOnly);
    std::printf("\n== 20-year diary figures (load average %s) ==\n",
                load.readAll().trimmed().constData());
    std::printf("-- as written by 7300 saves --\n");
    printFile(store);
    store.close();
    store.open(userDir, tplDir);
    const long before = residentKb();
    QElapsedTimer first;
    first.start();
    store.search(QStringLiteral("鯨"));
    std::printf("first 1-character search after open (reads the folded texts) %.1f ms; resident "
                "memory %ld -> %ld MB\n",
                double(first.nsecsElapsed()) / 1e6, before / 1024, residentKb() / 1024);
    printSearches(store);
    std::printf("resident memory %ld MB after the searches (the figures' own copy of the folded "
                "text for memmem included)\n",
                residentKb() / 1024);
    std::printf("-- after compaction --\n");
    store.compact();
    printFile(store);
    printSearches(store);
    std::printf("resident memory %ld MB\n", residentKb() / 1024);
}
