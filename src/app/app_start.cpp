#include "app/app_start.h"

#include "app/listing_link.h"
#include "app/single_instance.h"
#include "app/termination.h"
#include "app/translations.h"
#include "diary/store.h"
#include "editor/entry_points.h"
#include "editor_dialog/editor_entry.h"
#include "image_dialog/image_entry.h"
#include "platform/dialogs.h"
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/text/text_fonts.h"
#include "settings/app_values.h"
#include "settings/yini.h"
#include "windows/main/fm_txt.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <cstdlib>
#include <memory>

namespace appshell {
namespace {

QPointer<mainwin::fmTxt> g_main;
std::unique_ptr<ListingLink> g_listing;

SingleInstance &instanceLock() {
    static SingleInstance lock;
    return lock;
}

void stopStarting(const QString &message) {
    QApplication::restoreOverrideCursor();
    if (!message.isEmpty())
        platform::dialogs().message(message, platform::Buttons::Ok, platform::Icon::Exclamation);
    settings::appValues().appRunning = false;
    settings::releaseStore();
}

} // namespace

bool AppStart(const QString &exeFile) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    settings::AppValues &app = settings::appValues();
    app.appRunning = true;
    app.exeBase = settings::exeBaseOf(exeFile);
    platform::installFontSubstitutes();

    settings::yIni &ini = settings::store();
    const settings::UserFolders folders = ini.W_UserData(exeFile, app.exeBase);
    app.appDir = folders.appDir;
    app.tplDir = folders.tplDir;
    app.userDir = folders.userDir;
    if (!QFileInfo(app.userDir).isDir()) {
        stopStarting(QStringLiteral("ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞ ") + app.userDir +
                     QStringLiteral(" を作成できません"));
        return false;
    }
    if (!instanceLock().acquire(app.userDir, app.exeBase)) {
        if (instanceLock().failure() == SingleInstance::Failure::FolderNotWritable)
            stopStarting(QStringLiteral("ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞ ") + app.userDir +
                         QStringLiteral(" に書き込めません"));
        else
            stopStarting(QStringLiteral("この日記は既に開かれています\n") + app.userDir);
        return false;
    }

    // This copy alone owns the folder now: what a killed run left behind can go.
    settings::yIni::removeLeftovers(app.userDir + QStringLiteral("User.xml"));
    diary::Store::removeLeftovers(app.userDir);

    bool ok = false;
    ini.GetTxt(app.userDir + QStringLiteral("User.xml"), ok);

    ini.F_ChkSb(app.userDir, {QStringLiteral("Wrk")});
    app.wrkDir = app.userDir + QStringLiteral("Wrk/");
    if (!QFileInfo(app.wrkDir).isDir()) {
        instanceLock().release();
        stopStarting(QStringLiteral("ﾌｫﾙﾀﾞ ") + app.wrkDir + QStringLiteral(" を作成できません"));
        return false;
    }

    platform::legacydoc::setWorkFolder(app.wrkDir);
    editor::setEntryPointsFactory(&image_dialog::makeEditorEntryPoints);
    g_main = new mainwin::fmTxt(ini);
    QObject::connect(g_main, &mainwin::fmTxt::shutdownRequested, g_main, &AppShutdown);
    g_listing = std::make_unique<ListingLink>(g_main);
    g_main->setListingWindow(g_listing.get());
    platform::setDialogParent(g_main);
    if (!g_main->LoadStep(app.userDir, app.tplDir)) {
        // The diary could not be opened and the user has been told: an empty diary in its
        // place would hide the entries.
        platform::setDialogParent(nullptr);
        delete g_main;
        g_listing.reset();
        instanceLock().release();
        stopStarting({});
        return false;
    }
    g_main->show();
    // Once a day, behind the shown window.
    g_main->startDailyBackup(QDate::currentDate());
    g_main->startSearchWarmUp();

    QApplication::restoreOverrideCursor();
    return true;
}

int AppRun(const QString &exeFile) {
    installQtTranslations();
    if (!AppStart(exeFile))
        return EXIT_FAILURE;
    closeOnTerminationSignals([] {
        if (g_main)
            g_main->close();
    });
    return QApplication::exec();
}

void AppShutdown() {
    settings::AppValues &app = settings::appValues();
    bool ok = false;
    settings::store().SetTxt(ok);
    if (!ok)
        platform::dialogs().message(QStringLiteral("設定ファイル ") +
                                        QDir::toNativeSeparators(settings::store().fileName()) +
                                        QStringLiteral(" を保存できませんでした"),
                                    platform::Buttons::Ok, platform::Icon::Exclamation);

    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->close();
    if (g_main)
        g_main->deleteLater();
    platform::setDialogParent(nullptr);

    settings::releaseStore();
    instanceLock().release();
    app.appRunning = false;
    QCoreApplication::exit(0);
}

mainwin::fmTxt *mainWindow() {
    return g_main;
}

} // namespace appshell
