#include "scripted_dialogs.h"
#include "settings/yini.h"
#include "windows/main/fm_txt.h"
#include "windows/main/win_pos.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {

class FmTxtTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedDialogsGuard dialogs;
    settings::yIni ini;
    void SetUp() override {
        bool ok = false;
        ini.GetTxt(dir.filePath(QStringLiteral("User.xml")), ok);
        ASSERT_TRUE(ok);
    }
};

QStringList captions(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(FmTxtTest, MenusCarryTheirCaptionsAndIndices) {
    fmTxt w(ini);
    const MainMenus &m = w.menus();
    QStringList bar;
    for (const QAction *a : w.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"操作(&F)", "参照(&L)", "日付(&D)", "設定"}));
    EXPECT_EQ(captions(m.operation), (QStringList{"ﾍﾟｰｼﾞﾋﾞｭｰ", "印刷", "保存", "-", "更新(&U)", "-",
                                                  "削除(&D)", "-", "ﾃﾞｰﾀｰ(&B)", "-", "終了(&X)"}));
    EXPECT_EQ(captions(m.entry(OperationMenu, 9)->menu()), QStringList{"ﾃﾞｰﾀｰﾍﾞｰｽの最適化"});
    EXPECT_EQ(captions(m.reference),
              (QStringList{"検索(&F)", "-", "最近の日記(&D)", "去年の今頃", "おととしの今頃"}));
    EXPECT_EQ(captions(m.date), (QStringList{"登録されている最初の日", "登録されている最後の日",
                                             "-", "本日", "去年の同日付", "おととしの同日付"}));
    EXPECT_EQ(captions(m.options), (QStringList{"ﾌｧﾝｸｼｮﾝｷｰを表示", "ｶﾚﾝﾀﾞｰの列数"}));
    EXPECT_EQ(captions(m.options->actions().at(1)->menu()), (QStringList{"１列", "２列", "３列"}));

    // Designed indices, with the gap at 3 of the operation menu.
    EXPECT_EQ(m.entry(OperationMenu, 5)->text(), QStringLiteral("更新(&U)"));
    EXPECT_EQ(m.entry(OperationMenu, 11)->text(), QStringLiteral("終了(&X)"));
    EXPECT_EQ(m.entry(OperationMenu, 3), nullptr);
    EXPECT_EQ(m.entry(ReferenceMenu, 4)->text(), QStringLiteral("おととしの今頃"));
    EXPECT_EQ(m.entry(DateMenu, 3)->text(), QStringLiteral("本日"));
    EXPECT_TRUE(m.entry(OperationMenu, 11)->isEnabled());
    EXPECT_TRUE(m.showFkeys->isCheckable());
}

TEST_F(FmTxtTest, PositionIsRestoredAndStored) {
    writeWinPos(ini, {1500, 3000, 9000, 6000});
    fmTxt w(ini);
    w.LoadStep();
    const int dpi = w.logicalDpiX();
    EXPECT_EQ(w.pos(), QPoint(pixelsFromTwips(1500, dpi), pixelsFromTwips(3000, dpi)));
    EXPECT_EQ(w.size(), QSize(pixelsFromTwips(9000, dpi), pixelsFromTwips(6000, dpi)));

    w.move(pixelsFromTwips(3000, dpi), pixelsFromTwips(1500, dpi));
    w.resize(pixelsFromTwips(6000, dpi), pixelsFromTwips(4500, dpi));
    w.SaveWinPos();
    EXPECT_EQ(readWinPos(ini), (WinRect{3000, 1500, 6000, 4500}));
}

TEST_F(FmTxtTest, OptionsAreRestoredAndStoredFromTheMenu) {
    storeCalColsIndex(ini, 2);
    storeFkeyShown(ini, false);
    fmTxt w(ini);
    w.LoadStep();
    EXPECT_EQ(w.calColsIndex(), 2);
    EXPECT_TRUE(w.menus().calCols[2]->isChecked());
    EXPECT_FALSE(w.menus().calCols[1]->isChecked());
    EXPECT_FALSE(w.fkeyBarShown());
    EXPECT_FALSE(w.menus().showFkeys->isChecked());

    w.menus().calCols[0]->trigger();
    w.menus().showFkeys->trigger();
    EXPECT_EQ(readCalColsIndex(ini), 0);
    EXPECT_TRUE(readFkeyShown(ini));
    EXPECT_TRUE(w.menus().calCols[0]->isChecked());
    EXPECT_FALSE(w.menus().calCols[2]->isChecked());
}

TEST_F(FmTxtTest, ExitAndCloseBoxStorePositionAndAskForShutdownOnce) {
    {
        fmTxt w(ini);
        QSignalSpy spy(&w, &fmTxt::shutdownRequested);
        w.menus().entry(OperationMenu, 11)->trigger();
        EXPECT_EQ(spy.count(), 1);
        ini.GetGtx(QStringLiteral("位置"));
        EXPECT_TRUE(ini.groupText().contains(QStringLiteral("<LEFT>")));
        w.close();
        EXPECT_EQ(spy.count(), 1);
    }
    {
        fmTxt w(ini);
        w.show();
        QSignalSpy spy(&w, &fmTxt::shutdownRequested);
        EXPECT_TRUE(w.close());
        EXPECT_EQ(spy.count(), 1);
    }
}
