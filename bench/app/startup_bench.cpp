// Start-up time: from AppStart to the main window shown with today's entry loaded, on a
// generated diary of 20 years of daily entries whose documents are real Word packages.
#include "date_switch_figures.h"

#include "app/app_start.h"
#include "diary/keys.h"
#include "diary/store.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"
#include "windows/main/fm_txt.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Days = 7300;
constexpr int LargeDayOffset = -3; // the day holding a 100,000-character entry

QString g_exe;

QByteArray entryDocument(QString *text, int characters = 2000) {
    platform::TextSurface surface;
    QString body;
    while (body.size() < characters)
        body +=
            QStringLiteral("今日は朝から雨が降った。Meeting with the project team. 本を読む。\n");
    surface.setSelText(body);
    *text = surface.text();
    return surface.saveToMemory(platform::TextSurface::Word97);
}

bool prepare(const QString &root) {
    const QString bin = root + QStringLiteral("/bin");
    QDir().mkpath(bin + QStringLiteral("/apData"));
    QFile ini(bin + QStringLiteral("/UserData.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    ini.write("%usr%");
    ini.close();
    if (!QFile::copy(QStringLiteral(DRJVO_TEMPLATE_DIR "/dbJvo.mdb"),
                     bin + QStringLiteral("/apData/dbJvo.mdb")))
        return false;
    g_exe = bin + QStringLiteral("/drJvo");

    // A first start makes the user data folder; the diary is then filled in it.
    if (!appshell::AppStart(g_exe))
        return false;
    const QString userDir = settings::appValues().userDir;
    appshell::mainWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    diary::Store store;
    if (!store.open(userDir, bin + QStringLiteral("/apData")))
        return false;
    QString text;
    const QByteArray document = entryDocument(&text);
    const QDate today = QDate::currentDate();
    store.database().beginTransaction();
    for (int day = 0; day < Days; ++day)
        store.saveEntry(diary::entryKey(today.addDays(-day)), text, document);
    QString largeText;
    const QByteArray large = entryDocument(&largeText, 100000);
    store.saveEntry(diary::entryKey(today.addDays(LargeDayOffset)), largeText, large);
    store.database().commit();
    store.close();
    return true;
}

void BM_StartUpToTodaysEntry(benchmark::State &state) {
    for (auto _ : state) {
        const bool started = appshell::AppStart(g_exe);
        QApplication::processEvents();
        if (!started || !appshell::mainWindow() || !appshell::mainWindow()->isVisible()) {
            state.SkipWithError("the main window did not come up");
            break;
        }
        state.PauseTiming();
        appshell::mainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToTodaysEntry)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char **argv) {
    QTemporaryDir temporary;
    // "--prepare FOLDER": only write the generated diary under FOLDER/data, for the whole-process
    // script (startup_whole.sh) to start the real program on.
    const bool prepareOnly = argc == 3 && qstrcmp(argv[1], "--prepare") == 0;
    const QString root = prepareOnly ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    if (!prepareOnly && !temporary.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!prepare(root)) {
        fprintf(stderr, "could not prepare the diary\n");
        return 1;
    }
    if (prepareOnly)
        return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!appshell::AppStart(g_exe))
        return 1;
    QApplication::processEvents();
    printDateSwitchFigures(QDate::currentDate().addDays(LargeDayOffset));
    appshell::mainWindow()->close();
    return 0;
}
