// Where markers leave the editor: the converted HTML page and the insert menu at the caret.
#include "editor/markers/insert_menu_state.h"
#include "editor/markers/tooltip_list.h"
#include "editor/menus/context_menu.h"
#include "html/surface_export.h"
#include "html/yhtm.h"
#include "marker_fixture.h"
#include "platform/view/text_view.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

using namespace editor;
using editortest::MarkerEditorTest;
using platform::TextSurface;

namespace {

QString readUtf8(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class MarkerOutputTest : public MarkerEditorTest {
protected:
    struct MenuSeen {
        bool linkEnabled = false;
        bool linkEditShown = false;
        bool tagEditShown = false;
        bool tooltipEditShown = false;
        bool pictureEnabled = false;
    };
    // Opens the context menu where the caret is and reads the insert menu before closing it.
    MenuSeen showMenu() {
        editor->view()->setTextCursor(surface().cursor());
        ContextMenu &menu = editor->contextMenu();
        MenuSeen seen;
        QTimer::singleShot(0, menu.menu(), [&menu, &seen] {
            seen.linkEnabled = menu.action(QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸ"))->isEnabled();
            seen.linkEditShown = menu.action(QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸの修正"))->isVisible();
            seen.tagEditShown = menu.action(QStringLiteral("ﾀｸﾞの削除"))->isVisible();
            seen.tooltipEditShown = menu.action(QStringLiteral("ﾂｰﾙﾁｯﾌﾟの修正"))->isVisible();
            seen.pictureEnabled = menu.action(QStringLiteral("画像"))->isEnabled();
            menu.menu()->close();
        });
        editor->showContextMenu(QPoint(10, 10));
        return seen;
    }
};

} // namespace

TEST_F(MarkerOutputTest, TagLinkAndTooltipBecomeAnchorsAndATitledSpan) {
    editor->cTyp(-2);
    QObject::connect(editor.get(), &uTxm::TagRequested, editor.get(),
                     [](QString &, QString &v) { v = QStringLiteral("12"); });
    type(QStringLiteral("前回の旅は案内の通り。抹茶を飲んだ。"));
    selectText(QStringLiteral("前回の旅"));
    editor->rtAct(51);
    selectText(QStringLiteral("案内"));
    makeLink(QStringLiteral("案内\t#TG_12"));
    selectText(QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都の名産"));
    editor->rtAct(53);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString page = dir.filePath(QStringLiteral("entry.htm"));
    // Through the editor's own HTML save, which hands the converter the tooltip list.
    bool saved = false;
    editor->SaveHtm(0, saved, page);
    ASSERT_TRUE(saved);
    const QString out = readUtf8(page);
    const auto has = [&out](const QString &pattern) {
        return QRegularExpression(pattern).match(out).hasMatch();
    };
    EXPECT_TRUE(has(QStringLiteral("<a href=\"012.htm\">\\s*<span[^>]*>前回の旅</span></a>")))
        << out.toStdString();
    EXPECT_TRUE(has(QStringLiteral("<a href=\"012.htm\">\\s*<span[^>]*>案内</span></a>")));
    EXPECT_TRUE(has(QStringLiteral("<span title=\"抹茶 : 京都の名産\"[^>]*>\\s*<span[^>]*>抹茶<")));
    EXPECT_FALSE(out.contains(QStringLiteral("#TP_")));
}

TEST_F(MarkerOutputTest, InsertMenuFollowsTheCaretInAFieldATableAndAFrame) {
    type(QStringLiteral("案内と抹茶\n"));
    selectText(QStringLiteral("案内"));
    makeLink(QStringLiteral("案内\thttps://example.org"));
    caretIn(QStringLiteral("案内"));
    MenuSeen seen = showMenu();
    EXPECT_FALSE(seen.linkEnabled);
    EXPECT_TRUE(seen.linkEditShown);
    EXPECT_FALSE(seen.tagEditShown);
    EXPECT_FALSE(seen.tooltipEditShown);
    EXPECT_TRUE(seen.pictureEnabled);

    selectText(QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都"));
    editor->rtAct(53);
    caretIn(QStringLiteral("抹茶"));
    seen = showMenu();
    EXPECT_FALSE(seen.linkEditShown);
    EXPECT_TRUE(seen.tooltipEditShown);

    surface().select(surface().textLength(), 0);
    const int table = surface().insertTable(2, 2);
    surface().select(surface().cellStart(table, 2, 2), 0);
    seen = showMenu();
    EXPECT_TRUE(seen.linkEnabled);
    EXPECT_TRUE(seen.pictureEnabled);
    EXPECT_FALSE(seen.linkEditShown || seen.tagEditShown || seen.tooltipEditShown);

    surface().select(surface().textLength(), 0);
    const int frame = surface().insertTextFrame(4000, 1500, {0, 0, 0, 0});
    ASSERT_TRUE(surface().selectTextFrame(frame));
    seen = showMenu();
    EXPECT_TRUE(seen.linkEnabled);
    EXPECT_FALSE(seen.pictureEnabled) << "no objects inside a text frame";

    // Headings count only in editors of type 1 and more.
    const InsertMenuState heading = insertMenuState(QString(), true, false);
    EXPECT_FALSE(heading.objectsEnabled);
    EXPECT_FALSE(heading.markersEnabled);
}
