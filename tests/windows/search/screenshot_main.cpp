// Shows the search listing ("search") or the entry edit window ("edit") on a temporary diary,
// for the documentation screenshots (taken from outside with "import -window root").
#include "diary/connection.h"
#include "platform/text/text_surface.h"
#include "windows/entry_edit/sbedt.h"
#include "windows/search/sbfnd.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QByteArray documentOf(const QString &text) {
    platform::TextSurface surface;
    surface.setSelText(text);
    return surface.saveToMemory(platform::TextSurface::Word97);
}

void put(const QString &key, const QString &summary, const QString &text) {
    diary::connection().save(key, summary, text, documentOf(text));
}

} // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!diary::DbOpen(dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)))
        return 1;
    put(QStringLiteral("240110"), QStringLiteral("初釣り"),
        QStringLiteral("川で初釣り。Snow が舞う中、三匹釣れた。\n帰りに温泉に寄った。"));
    put(QStringLiteral("240112"), QStringLiteral("読書会"),
        QStringLiteral("読書会で冬の小説を読んだ。\n次回は二月。"));
    put(QStringLiteral("240115"), QStringLiteral("SNOW の朝"),
        QStringLiteral("朝から snow。庭の木々が白く染まった。\n駅までの道は滑りやすかった。"
                       "\n夕方には晴れて、夕焼けがとてもきれいだった。"));
    put(QStringLiteral("240118"), QStringLiteral("雪かき"),
        QStringLiteral("一日中雪かき。Snowplow が通ったあとも玄関前は積もったまま。"));

    const bool edit = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("edit");
    const QRect main(40, 40, 1300, 900);
    const QRect editorArea(380, 30, 900, 840);
    if (edit) {
        entryedit::sbEdt &window = entryedit::sbEdt::instance();
        window.setPlacement(main, editorArea);
        window.ActDc(QStringLiteral("240115"));
    } else {
        searchwin::sbFnd &window = searchwin::sbFnd::instance();
        window.setPlacement(main, editorArea, QMargins());
        window.ActWd(QStringLiteral("snow"));
    }
    const int result = app.exec();
    entryedit::sbEdt::releaseInstance();
    searchwin::sbFnd::releaseInstance();
    diary::DbClose();
    return result;
}
