#include "editor/interface.h"
#include "launcher/param_file.h"
#include "launcher/zktl.h"
#include "platform/shell.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using launcher::zKtl;

namespace {

// Runs programs for real and keeps the tool-path store in memory.
class RunningShell final : public platform::Shell {
public:
    std::unique_ptr<platform::Shell> real; // the program's own shell
    QHash<QString, QString> toolPaths;
    QList<QStringList> started;

    bool open(const QString &) override { return false; }
    QString specialFolder(int) override { return {}; }
    int runAndWait(const QString &program, const QStringList &arguments) override {
        started << (QStringList{program} + arguments);
        return real->runAndWait(program, arguments);
    }
    void cancelRun() override { real->cancelRun(); }
    QString toolPath(const QString &key) override { return toolPaths.value(key); }
    void setToolPath(const QString &key, const QString &value) override {
        toolPaths.insert(key, value);
    }
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        auto running = std::make_unique<RunningShell>();
        shell = running.get();
        shell->real = platform::setShell(std::move(running));
        root = QDir(tmp.path());
        root.mkpath(QStringLiteral("G/P/bin"));
        programFolder = root.filePath(QStringLiteral("G/P/bin"));
        root.mkpath(QStringLiteral("Wrk"));
        work = root.filePath(QStringLiteral("Wrk"));
        qputenv("DRJVO_COMPANION_MODE", "ok");
    }
    void TearDown() override { platform::setShell(std::move(shell->real)); }

    // The test companion installed under folder as the program of index.
    QString install(const QString &folder, int index) {
        root.mkpath(folder);
        const QString path = QDir(root.filePath(folder)).filePath(zKtl::executableName(index));
        QFile::copy(QStringLiteral(DRJVO_TEST_COMPANION), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    testsupport::ScriptedDialogsGuard dialogs;
    QTemporaryDir tmp;
    QDir root;
    QString programFolder;
    QString work;
    RunningShell *shell = nullptr;
};

} // namespace

TEST(ParamFile, RecordsHaveTheirLayout) {
    launcher::PictureParams pic;
    pic.folder = QStringLiteral("/work/作業");
    pic.file = QStringLiteral("*.png");
    pic.width = 640;
    pic.height = -2;
    const QByteArray record = launcher::encodePicture(pic);
    ASSERT_EQ(record.size(), 532);
    EXPECT_EQ(record.mid(255, 10), QByteArray("*.png     "));
    EXPECT_EQ(record.mid(520, 4), QByteArray("\x80\x02\x00\x00", 4));
    EXPECT_EQ(record.mid(524, 4), QByteArray("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(record.mid(528, 4), QByteArray(4, '\0'));
    launcher::PictureParams back;
    ASSERT_TRUE(launcher::decodePicture(record, back));
    EXPECT_EQ(back.folder, pic.folder);
    EXPECT_EQ(back.height, -2);

    launcher::GraphParams graph;
    graph.file = QStringLiteral("chart.dat");
    QByteArray g = launcher::encodeGraph(graph);
    ASSERT_EQ(g.size(), 522);
    g.replace(265, 12, QByteArray("  a.png\0junk", 12));
    ASSERT_TRUE(launcher::decodeGraph(g, graph));
    EXPECT_EQ(graph.file, QStringLiteral("a.png"));
    EXPECT_FALSE(launcher::decodeGraph(g.left(521), graph));
    pic.folder = QString(300, u'x');
    EXPECT_TRUE(launcher::encodePicture(pic).isEmpty());
}

TEST_F(Launcher, FindsTheCompanionByRememberedPathNeighbourFolderOrChoice) {
    const QString remembered = install(QStringLiteral("tools"), 0);
    shell->toolPaths.insert(QStringLiteral("ptWend"), remembered);
    zKtl ktl(programFolder);
    EXPECT_EQ(ktl.path(0), remembered);
    QString file;
    bool flag = true;
    bool ok = false;
    ktl.ActPic(0, work, file, 120, 80, flag, ok);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(flag);
    EXPECT_EQ(file, QDir(work).filePath(QStringLiteral("made.png")));
    EXPECT_EQ(QImage(file).size(), QSize(120, 80));
    EXPECT_EQ(shell->started.last(),
              (QStringList{remembered, QDir(work).filePath(QStringLiteral("PT_HT.pdat"))}));

    // Beside the program's folder, and one level further out; the path is remembered.
    const QString graph = install(QStringLiteral("G/P/GRLUMO"), 1);
    const QString chart = install(QStringLiteral("G/other/grSiva"), 2);
    EXPECT_TRUE(ktl.bChkApp(1));
    EXPECT_EQ(ktl.path(1), graph);
    EXPECT_EQ(shell->toolPaths.value(QStringLiteral("grLumo")), graph);
    QString chartFile = QDir(work).filePath(QStringLiteral("old.png"));
    QFile::copy(QDir(work).filePath(QStringLiteral("made.png")), chartFile);
    ktl.ActChrt(work, chartFile, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ktl.path(2), chart);
    EXPECT_EQ(chartFile, QDir(work).filePath(QStringLiteral("old.png.new.png")));

    // Not found: the user's choice, which must carry the program's name.
    const QString chosen = install(QStringLiteral("elsewhere"), 4);
    const QString wrong = install(QStringLiteral("wrong"), 3);
    dialogs->files.enqueue({true, wrong, 1});
    EXPECT_FALSE(ktl.bChkApp(4));
    EXPECT_EQ(dialogs->shown.last().text, QStringLiteral("宛名 実行ﾌｧｲﾙの指定"));
    dialogs->files.enqueue({true, chosen, 1});
    EXPECT_TRUE(ktl.bChkApp(4));
    EXPECT_EQ(shell->toolPaths.value(QStringLiteral("adOmbra")), chosen);
    EXPECT_FALSE(ktl.bChkApp(5)); // cancelled
}

TEST_F(Launcher, CompanionWithoutResultInsertsNothing) {
    settings::appValues().wrkDir = work + u'/';
    shell->toolPaths.insert(QStringLiteral("grLumo"), install(QStringLiteral("tools"), 1));
    editor::uTxm editor;
    editor.cOn(0, 0);
    qputenv("DRJVO_COMPANION_MODE", "none");
    editor.rtAct(editor::cmd::InsertGraph);
    EXPECT_EQ(editor.surface().nextObject(0, platform::TextSurface::PictureObject), 0);
    EXPECT_FALSE(editor.bDcEdt());

    qputenv("DRJVO_COMPANION_MODE", "ok");
    editor.rtAct(editor::cmd::InsertGraph);
    EXPECT_NE(editor.surface().nextObject(0, platform::TextSurface::PictureObject), 0);
    EXPECT_TRUE(editor.bDcEdt());
    settings::appValues().wrkDir.clear();
}

TEST_F(Launcher, WindowStaysResponsiveAndTheUserCanCancel) {
    shell->toolPaths.insert(QStringLiteral("ptWend"), install(QStringLiteral("tools"), 0));
    qputenv("DRJVO_COMPANION_MODE", "hang");
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks < 5)
            return;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("launcherWait") && w->isVisible())
                w->findChild<QPushButton *>()->click();
    });
    ticker.start(50);
    zKtl ktl(programFolder);
    QString file;
    bool flag = false;
    bool ok = true;
    QElapsedTimer clock;
    clock.start();
    ktl.ActPic(0, work, file, 0, 0, flag, ok);
    EXPECT_FALSE(ok);
    EXPECT_GE(ticks, 5);
    EXPECT_LT(clock.elapsed(), 20000);
}
