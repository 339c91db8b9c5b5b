#include "scripted_dialogs.h"
#include "settings/user_styles.h"
#include "settings/yini.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settings;

namespace {

class UserStyleTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedDialogsGuard dialogs;
    yIni ini;
    void SetUp() override {
        bool ok = false;
        ini.GetTxt(dir.filePath(QStringLiteral("User.xml")), ok);
        ASSERT_TRUE(ok);
    }
    void store(const QString &key, const QString &value) {
        ini.GetGtx(QStringLiteral("TX_FORMAT"));
        ini.SetVal(key, value);
        ini.SetGtx();
    }
    UserStyleTable load(bool expectOk = true) {
        UserStyleTable t;
        t.styles.fill(UserStyle{});
        EXPECT_EQ(UsrStyleLoad(ini, t), expectOk);
        return t;
    }
};

const QString kFont = QStringLiteral("ＭＳ Ｐゴシック");

} // namespace

TEST_F(UserStyleTest, NoGroupGivesTheBuiltInTable) {
    const UserStyleTable t = load();
    EXPECT_EQ(t, UserStyleTable::defaults());
    EXPECT_FLOAT_EQ(t.lineSpacingFactor, 1.2f);
    EXPECT_TRUE(t.titleIsFirstHeading);
    EXPECT_TRUE(t.enterIsLineBreak);
    EXPECT_EQ(styleRecordText(t.styles[Body]),
              kFont + QStringLiteral("|10|0|16777215|0|0|0|0|0|60|0|0|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Heading1]),
              kFont + QStringLiteral("|14|5266053|16777215|1|0|0|0|0|160|180|160|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Heading2]),
              kFont + QStringLiteral("|12|5072980|16777215|1|0|0|0|0|160|140|120|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Heading3]),
              kFont + QStringLiteral("|11|5652282|16777215|1|0|0|0|0|160|100|80|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Emphasis]),
              kFont + QStringLiteral("|10|128|16777215|0|0|0|0|0|60|0|0|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Supplement]),
              kFont + QStringLiteral("|9|8421504|16777215|0|0|0|0|0|60|0|0|0|0"));
    EXPECT_EQ(styleRecordText(t.styles[Header]),
              kFont + QStringLiteral("|9|5652282|16777215|0|1|0|0|0|0|0|0|0|0"));
    EXPECT_EQ(t.styles[Footer], t.styles[Header]);
}

TEST_F(UserStyleTest, RecordsWithTheWrongFieldCountTakeTheirDefault) {
    store(QStringLiteral("USR_FORMAT_1"), QStringLiteral("Serif|1|2|3|4|5|6|7|8|9|10|11|12"));
    store(QStringLiteral("USR_FORMAT_2"), QStringLiteral("Serif|1|2|3|4|5|6|7|8|9|10|11|12|13|14"));
    store(QStringLiteral("USR_FORMAT_3"), QStringLiteral("Serif|1|2|3|4|5|6|7|8|9|10|11|12|13"));
    const UserStyleTable t = load();
    const UserStyleTable d = UserStyleTable::defaults();
    EXPECT_EQ(t.styles[1], d.styles[1]);
    EXPECT_EQ(t.styles[2], d.styles[2]);
    EXPECT_EQ(t.styles[3].fontName, QStringLiteral("Serif"));
    EXPECT_EQ(t.styles[3].size, 1);
    EXPECT_EQ(t.styles[3].lineSpacing, 8);
    EXPECT_EQ(t.styles[3].indentE, 13);
}

TEST_F(UserStyleTest, LineSpacing32StandsFor7936) {
    store(QStringLiteral("USR_FORMAT_0"), QStringLiteral("A|10|0|0|0|0|0|0|32|0|0|0|0|0"));
    store(QStringLiteral("USR_FORMAT_1"), QStringLiteral("A|10|0|0|0|0|0|0|31|0|0|0|0|0"));
    store(QStringLiteral("USR_FORMAT_2"), QStringLiteral("A|10|0|0|0|0|0|0|320|0|0|0|0|0"));
    const UserStyleTable t = load();
    EXPECT_EQ(t.styles[0].lineSpacing, 7936);
    EXPECT_EQ(t.styles[1].lineSpacing, 31);
    EXPECT_EQ(t.styles[2].lineSpacing, 320);
}

TEST_F(UserStyleTest, NumbersAreNumericPrefixesRoundedHalfToEven) {
    store(QStringLiteral("USR_FORMAT_4"), QStringLiteral("X|10.5|255abc|x|11.5|0|0|0|0|0|0|0|0|0"));
    const UserStyle s = load().styles[4];
    EXPECT_EQ(s.size, 10);
    EXPECT_EQ(s.textColor, 255);
    EXPECT_EQ(s.backColor, 0);
    EXPECT_EQ(s.bold, 12);
}

TEST_F(UserStyleTest, NumberTooLargeForItsFieldTakesTheDefaultAndReports) {
    store(QStringLiteral("USR_FORMAT_5"), QStringLiteral("X|40000|0|0|0|0|0|0|0|0|0|0|0|0"));
    store(QStringLiteral("USR_FORMAT_6"), QStringLiteral("Y|8|0|0|0|0|0|0|0|0|0|0|0|0"));
    const UserStyleTable t = load(false);
    EXPECT_EQ(t.styles[5], UserStyleTable::defaults().styles[5]);
    EXPECT_EQ(t.styles[6].fontName, QStringLiteral("Y")); // the rest is still read
}

TEST_F(UserStyleTest, FactorOutsideOneToTwoFallsBack) {
    for (const auto &[stored, expected] :
         {std::pair{"2.5", 1.2f}, {"0.8", 1.2f}, {"1.5", 1.5f}, {"2", 2.0f}, {"1", 1.0f}}) {
        store(QStringLiteral("USR_LSP"), QString::fromLatin1(stored));
        EXPECT_FLOAT_EQ(load().lineSpacingFactor, expected) << stored;
    }
}

TEST_F(UserStyleTest, SaveAndLoadRoundTrip) {
    UsrStyleSave(ini, UserStyleTable::defaults());
    EXPECT_EQ(load(), UserStyleTable::defaults());

    UserStyleTable changed = UserStyleTable::defaults();
    changed.styles[Body].fontName = QStringLiteral("IPAPGothic");
    changed.styles[Body].textColor = 0x00FF8040;
    changed.styles[Body].lineSpacing = 7936;
    changed.styles[Heading2].indentE = -300;
    changed.lineSpacingFactor = 1.5f;
    changed.titleIsFirstHeading = false;
    changed.enterIsLineBreak = false;
    UsrStyleSave(ini, changed);
    EXPECT_EQ(load(), changed);

    ini.GetGtx(QStringLiteral("TX_FORMAT"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("USR_LSP"), QString()), QStringLiteral("1.5"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("USR_DTP"), QString()), QStringLiteral("False"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("USR_FORMAT_3"), QString()),
              QStringLiteral("IPAPGothic|10|16744512|16777215|0|0|0|0|7936|60|0|0|0|0"));
    EXPECT_TRUE(dialogs->messages().isEmpty());
}
