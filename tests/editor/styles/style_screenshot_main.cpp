// Not a test: an entry laid out with the user styles (表題1, 本文, 本文強調, 補足, an indented
// paragraph, header and footer) in page view, grabbed into the PNG file named by the argument.
#include "editor/interface.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QApplication>
#include <QPixmap>
#include <QStandardPaths>

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    editor::uTxm editor;
    editor.resize(1000, 900);
    // Headings apply in a document editor (type 1); the diary editor leaves them alone.
    editor.cOn(0, 1);
    editor.rtAct(2);
    editor.SetText(QStringLiteral("雪の日の記録\n"
                                  "朝から雪が降り、庭の木々が白く染まった。\n"
                                  "駅までの道はとても滑りやすかった。\n"
                                  "夕方には晴れて、西の空が赤く染まった。\n"
                                  "※ 明日は気温が上がる予報。"));
    platform::TextSurface &s = editor.surface();
    const QString text = s.text();
    const auto paragraph = [&](int index) {
        int start = 0;
        for (int i = 0; i < index; ++i)
            start = int(text.indexOf(QChar(10), start)) + 1;
        const int end = int(text.indexOf(QChar(10), start));
        s.select(start, (end < 0 ? int(text.size()) : end) - start);
    };
    paragraph(1);
    editor.rtAct(60, 3);
    paragraph(2);
    editor.rtAct(60, 4);
    paragraph(3);
    editor.rtAct(60, 3);
    paragraph(3);
    editor.rtAct(55, 0);
    paragraph(3);
    editor.rtAct(55, 0);
    paragraph(4);
    editor.rtAct(60, 5);
    s.setSelStart(2);
    editor.rtAct(60, 0);
    editor.rtAct(57, 1);
    editor.rtAct(57, 4);
    editor.view()->setZoom(70);
    editor.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("styles.png");
    return editor.grab().save(path) ? 0 : 1;
}
