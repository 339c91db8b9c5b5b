// The image dialog over a drawing at its own size, saved as a PNG for the
// documentation (argument: the output file). With "--frame" instead the dialog stays up for
// five seconds and prints its frame's geometry (WxH+X+Y), so that a screen grab under a window
// manager shows it with its title bar.
#include "image_dialog/sb_wmf.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir work;
    const QByteArray svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='480' height='300'>"
        "<rect width='480' height='300' fill='#fffbe8'/>"
        "<rect x='40' y='180' width='60' height='100' fill='#4a7bd0'/>"
        "<rect x='130' y='120' width='60' height='160' fill='#4a7bd0'/>"
        "<rect x='220' y='60' width='60' height='220' fill='#d04a4a'/>"
        "<rect x='310' y='150' width='60' height='130' fill='#4a7bd0'/>"
        "<line x1='20' y1='280' x2='460' y2='280' stroke='black' stroke-width='2'/>"
        "<text x='240' y='36' font-size='22' text-anchor='middle'>月ごとの歩数</text></svg>";
    const QString target = QString::fromLocal8Bit(argc > 1 ? argv[1] : "sbwmf.png");
    image_dialog::sbWmf::setPresenter([&](image_dialog::sbWmf &dialog) {
        dialog.show();
        QApplication::processEvents();
        if (target != QStringLiteral("--frame")) {
            dialog.grab().save(target);
            return false;
        }
        QElapsedTimer shown;
        shown.start();
        bool told = false;
        while (shown.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            if (!told && shown.elapsed() > 1500) {
                const QRect f = dialog.frameGeometry();
                QTextStream(stdout)
                    << f.width() << 'x' << f.height() << '+' << f.x() << '+' << f.y() << Qt::endl;
                told = true;
            }
        }
        return false;
    });
    image_dialog::sbWmf dialog;
    dialog.run(svg, work.filePath(QStringLiteral("Wrk.png")), 0);
    return 0;
}
