// Not a test: starts the program on a fresh user folder and saves what a new user sees, for the
// documentation screenshots. Run under a virtual screen of the size to show, with HOME pointing
// at an empty folder:
//   screenshot FILE.png first    the whole screen after a first start
//   screenshot FILE.png page     the main window in page view, an entry of two pages
//   screenshot FILE.png message  the save question over the main window
#include "app/app_start.h"
#include "app/translations.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "windows/main/fm_txt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

// The program's folder: the executable name, "UserData.ini" and the empty diary beside it.
QString programFolder() {
    const QString bin = QDir::home().filePath(QStringLiteral("program"));
    QDir().mkpath(bin + QStringLiteral("/apData"));
    QFile ini(bin + QStringLiteral("/UserData.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("%usr%");
    QFile::copy(QStringLiteral(DRJVO_TEMPLATE_DIR "/dbJvo.mdb"),
                bin + QStringLiteral("/apData/dbJvo.mdb"));
    return bin + QStringLiteral("/drJvo");
}

void twoPages(editor::uTxm &editor) {
    platform::TextSurface &s = editor.surface();
    s.setSelText(QStringLiteral("一枚目の日記です。朝から雪が降った。"));
    editor.rtAct(54);
    s.setSelText(QStringLiteral("二枚目の日記です。夕方には晴れた。"));
    editor.view()->setViewMode(platform::TextView::PageView);
    editor.view()->setZoom(30);
    editor.refreshStatus();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString mode = QString::fromLocal8Bit(argv[2]);
    appshell::installQtTranslations();
    if (!appshell::AppStart(programFolder()))
        return 1;
    mainwin::fmTxt *main = appshell::mainWindow();
    if (mode == QLatin1String("page"))
        twoPages(*main->editorControl());
    int result = 0;
    QTimer::singleShot(1500, [&] {
        if (mode == QLatin1String("first")) {
            result = QGuiApplication::primaryScreen()->grabWindow(0).save(file) ? 0 : 1;
            QCoreApplication::exit(result);
            return;
        }
        if (mode == QLatin1String("page")) {
            result = main->grab().save(file) ? 0 : 1;
            QCoreApplication::exit(result);
            return;
        }
        QTimer::singleShot(800, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            result = box && box->grab().save(file) ? 0 : 1;
            if (box)
                box->reject();
        });
        platform::dialogs().message(QStringLiteral("現在の文書を保存しますか"),
                                    platform::Buttons::YesNoCancel, platform::Icon::Question);
        QCoreApplication::exit(result);
    });
    app.exec();
    return result;
}
