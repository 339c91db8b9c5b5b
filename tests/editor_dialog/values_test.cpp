#include "editor_dialog/dialog_values.h"
#include "editor_dialog/page_setup.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <gtest/gtest.h>

using namespace editor_dialog;

TEST(CentimetreTexts, TwipsToTextAndBack) {
    EXPECT_EQ(sTwpsDlg(567), QStringLiteral("1.00"));
    EXPECT_EQ(sTwpsDlg(850.5), QStringLiteral("1.50"));
    EXPECT_EQ(sTwpsDlg(0), QStringLiteral("0.00"));
    // A comma is a decimal point; 1.5 cm is 850.5 twips, which goes to the even 850.
    EXPECT_EQ(nDlgTwps(QStringLiteral("1,5")), 850);
    EXPECT_EQ(nDlgTwps(QStringLiteral("1.5")), 850);
    // 2.5 cm is 1417.5 twips: the even neighbour is 1418.
    EXPECT_EQ(nDlgTwps(QStringLiteral("2.5")), 1418);
    EXPECT_EQ(nDlgTwps(QStringLiteral("1")), 567);
    EXPECT_EQ(nDlgTwps(QStringLiteral(" 2.00")), 1134);
}

TEST(CentimetreTexts, NonNumbersReadZero) {
    EXPECT_EQ(nDlgTwps(QStringLiteral("abc")), 0);
    EXPECT_EQ(nDlgTwps(QString()), 0);
    EXPECT_EQ(nDlgTwps(QStringLiteral("３")), 0);
    // The leading number counts, the rest is ignored.
    EXPECT_EQ(nDlgTwps(QStringLiteral("2cm")), 1134);
    // Absurdly long numbers do not overflow.
    EXPECT_EQ(nDlgTwps(QString(400, QLatin1Char('9'))), 0);
}

TEST(ImeAnswer, ReadAndWritten) {
    ImeChoice on = readImeAnswer(QStringLiteral("ON\t上書"));
    EXPECT_TRUE(on.ime);
    EXPECT_EQ(on.saveOption, 1);
    ImeChoice ignore = readImeAnswer(QStringLiteral("OFF\t無視"));
    EXPECT_FALSE(ignore.ime);
    EXPECT_EQ(ignore.saveOption, 2);
    // A missing or unknown mode counts as "確認".
    EXPECT_EQ(readImeAnswer(QStringLiteral("ON")).saveOption, 0);
    EXPECT_EQ(readImeAnswer(QStringLiteral("OFF\tなにか")).saveOption, 0);
    EXPECT_EQ(readImeAnswer(QString()).ime, false);
    EXPECT_EQ(imeAnswer(on), QStringLiteral("ON\t上書"));
    EXPECT_EQ(imeAnswer(ignore), QStringLiteral("OFF\t無視"));
    EXPECT_EQ(imeAnswer({false, 0}), QStringLiteral("OFF\t確認"));
}

TEST(PictureLayoutAnswer, ReadAndWritten) {
    EXPECT_EQ(layoutAnswer(readLayoutAnswer(QStringLiteral("31"))), QStringLiteral("31"));
    // A shorter answer gives the layout only.
    EXPECT_EQ(layoutAnswer(readLayoutAnswer(QStringLiteral("4"))), QStringLiteral("40"));
    // 0 is inline, out-of-range values show the first options.
    EXPECT_EQ(layoutAnswer(readLayoutAnswer(QStringLiteral("09"))), QStringLiteral("10"));
    EXPECT_EQ(layoutAnswer(readLayoutAnswer(QStringLiteral("x2"))), QStringLiteral("12"));
    EXPECT_EQ(layoutAnswer(readLayoutAnswer(QString())), QStringLiteral("10"));
}

TEST(PaperList, FifteenPapersMatchedInEitherOrientation) {
    ASSERT_EQ(papers().size(), 15);
    EXPECT_EQ(papers()[0].caption, QStringLiteral("A4   210 * 297 mm"));
    EXPECT_EQ(papers()[14].caption, QStringLiteral("洋形4号 105*235mm"));
    for (int i = 0; i < papers().size(); ++i) {
        const Paper &p = papers()[i];
        EXPECT_EQ(matchPaper(sTwpsDlg(p.width), sTwpsDlg(p.height)), i) << i;
        EXPECT_EQ(matchPaper(sTwpsDlg(p.height), sTwpsDlg(p.width)), i) << i;
    }
    // Typed with a comma and fewer digits still matches A4.
    EXPECT_EQ(matchPaper(QStringLiteral("20,99"), QStringLiteral("29.7")), 0);
    EXPECT_EQ(matchPaper(QStringLiteral("10"), QStringLiteral("10")), 15);
    EXPECT_EQ(matchPaper(QStringLiteral("abc"), QStringLiteral("")), 15);
}

TEST(PaperList, ChoosingAndSwappingOrientation) {
    PageTexts texts = pageTexts(platform::PageSetup{});
    texts.landscape = true;
    choosePaper(texts, 5); // ﾊｶﾞｷ in landscape
    EXPECT_EQ(texts.width, QStringLiteral("14.79"));
    EXPECT_EQ(texts.height, QStringLiteral("9.99"));
    EXPECT_EQ(matchPaper(texts.width, texts.height), 5);
    setLandscape(texts, false);
    EXPECT_EQ(texts.width, QStringLiteral("9.99"));
    EXPECT_EQ(texts.height, QStringLiteral("14.79"));
    setLandscape(texts, false); // no change, no exchange
    EXPECT_EQ(texts.width, QStringLiteral("9.99"));
    choosePaper(texts, 15); // "ﾕｰｻﾞｰ定義" keeps the typed size
    EXPECT_EQ(texts.width, QStringLiteral("9.99"));
}

TEST(PaperList, AppliedAndStoredAsDefault) {
    platform::PageSetup page;
    page.headerFooterBits = 5;
    PageTexts texts{QStringLiteral("21.00"),
                    QStringLiteral("29,70"),
                    QStringLiteral("1,5"),
                    QStringLiteral("2"),
                    QStringLiteral("abc"),
                    QStringLiteral("1.00"),
                    true};
    const platform::PageSetup applied = applyTexts(texts, page);
    EXPECT_EQ(applied.width, 11907);
    EXPECT_EQ(applied.height, 16840);
    EXPECT_EQ(applied.marginLeft, 850);
    EXPECT_EQ(applied.marginTop, 1134);
    EXPECT_EQ(applied.marginRight, 0);
    EXPECT_EQ(applied.marginBottom, 567);
    EXPECT_TRUE(applied.landscape);
    EXPECT_EQ(applied.headerFooterBits, 5);

    settings::releaseStore();
    settings::yIni &ini = settings::store();
    writeDefaultPage(ini, texts);
    ini.GetGtx(QStringLiteral("TX_PAGE"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("WIDTH"), 0), 11907);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("HEIGHT"), 0), 16840);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("M_LFT"), 0.0), 850.0);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("M_TOP"), 0), 1134);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("M_RGH"), -1), 0);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("M_BTM"), 0), 567);
    settings::releaseStore();
}
