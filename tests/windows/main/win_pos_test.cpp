#include "scripted_dialogs.h"
#include "settings/yini.h"
#include "windows/main/win_pos.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {

class WinPosTest : public ::testing::Test {
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

} // namespace

TEST_F(WinPosTest, FirstRunDefaults) {
    EXPECT_EQ(readWinPos(ini), (WinRect{0, 0, 10000, 10000}));
    EXPECT_EQ(readCalColsIndex(ini), 1);
    EXPECT_TRUE(readFkeyShown(ini));
}

TEST_F(WinPosTest, StoredInGroupPositionWithFourKeys) {
    writeWinPos(ini, {120, 300, 9000, 7000});
    ini.GetGtx(QStringLiteral("位置"));
    EXPECT_EQ(ini.groupText(), QStringLiteral("      <HEIGHT>7000</HEIGHT>\r\n"
                                              "      <WIDTH>9000</WIDTH>\r\n"
                                              "      <TOP>300</TOP>\r\n"
                                              "      <LEFT>120</LEFT>\r\n"));
    EXPECT_EQ(readWinPos(ini), (WinRect{120, 300, 9000, 7000}));
}

TEST_F(WinPosTest, OverhangToTheLeftOrTopShrinksTheSize) {
    writeWinPos(ini, {-60, -45, 12000, 9000});
    EXPECT_EQ(readWinPos(ini), (WinRect{0, 0, 11940, 8955}));
}

TEST_F(WinPosTest, CalendarColumnsAndKeyBarOption) {
    storeCalColsIndex(ini, 2);
    storeFkeyShown(ini, false);
    EXPECT_EQ(readCalColsIndex(ini), 2);
    EXPECT_FALSE(readFkeyShown(ini));
    ini.GetGtx(QStringLiteral("設定"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("列数"), QString()), QStringLiteral("3"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("ﾌｧﾝｸｼｮﾝ"), QString()), QStringLiteral("非表示"));
    for (const char *bad : {"0", "4", "x"}) {
        ini.SetVal(QStringLiteral("列数"), QString::fromLatin1(bad));
        ini.SetGtx();
        EXPECT_EQ(readCalColsIndex(ini), 0) << bad;
    }
}

TEST_F(WinPosTest, TwipConversion) {
    EXPECT_EQ(twipsFromPixels(100, 96), 1500);
    EXPECT_EQ(pixelsFromTwips(10000, 96), 667);
    EXPECT_EQ(toPixels(toTwips(QRect(10, 20, 800, 600), 96), 96), QRect(10, 20, 800, 600));
}
