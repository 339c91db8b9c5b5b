// Shows the editor in a window with every band and the rulers on, for the documentation
// screenshot (taken from outside with "import -window root" while this runs).
#include "editor/interface.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    editor::uTxm editor;
    editor.setWindowTitle(QStringLiteral("drJvo"));
    editor.resize(1000, 700);
    editor.cOn(0, 0, true);
    editor.rtAct(27, 7);
    editor.setTitle(QStringLiteral("十二月七日の日記"));

    platform::TextSurface &s = editor.surface();
    struct Run {
        QString text;
        QString font;
        double size;
        int color; // 0x00BBGGRR
        bool bold;
    };
    const QList<Run> runs = {
        {QStringLiteral("今日の出来事\n"), QStringLiteral("IPAPGothic"), 16, 0x80302a, true},
        {QStringLiteral("朝から雪が降り、庭の木々が白く染まった。"), QStringLiteral("IPAMincho"),
         12, 0x000000, false},
        {QStringLiteral("駅までの道は滑りやすかった。\n"), QStringLiteral("IPAMincho"), 12,
         0x0000c0, false},
        {QStringLiteral("夕方には晴れて、夕焼けがとてもきれいだった。\n"),
         QStringLiteral("IPAGothic"), 11, 0x008000, false},
    };
    for (const Run &run : runs) {
        const int start = s.textLength();
        s.setSelStart(start);
        s.setSelText(run.text);
        s.select(start, int(run.text.size()));
        s.setFontName(run.font);
        s.setFontSize(run.size);
        s.setTextColor(run.color);
        s.setBold(run.bold);
    }
    s.select(0, 6);
    s.setLeftIndent(284);
    s.select(7, 0);
    s.setFirstLineIndent(240);
    s.setSelStart(14);
    const bool pageView = argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("page");
    editor.view()->setViewMode(pageView ? platform::TextView::PageView
                                        : platform::TextView::NormalView);
    editor.view()->setZoom(pageView ? 80 : 120);
    editor.refreshStatus();
    editor.showPanelText(QStringLiteral("編集中"),
                         QStringLiteral("ルーラーのｲﾝﾃﾞﾝﾄをﾄﾞﾗｯｸﾞして変更できます"));
    editor.show();
    editor.move(0, 0);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 6;
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
