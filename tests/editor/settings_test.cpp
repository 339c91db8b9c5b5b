#include "editor/bars/bands.h"
#include "editor/menus/context_menu.h"
#include "editor/settings.h"
#include "editor_fixture.h"
#include "platform/view/text_view.h"
#include "settings/yini.h"

using namespace editor;
using editortest::EditorTest;

TEST(EditorSettings, BandLayoutRoundTrip) {
    const QList<BandState> bands = {{QStringLiteral("1"), 300, true, QStringLiteral("tlBar")},
                                    {QStringLiteral("2"), 0, false, QStringLiteral("frFmt")},
                                    {QStringLiteral("3"), 420, true, QStringLiteral("vButton")},
                                    {QStringLiteral("4"), 200, true, QStringLiteral("vStatus")}};
    const QString value = encodeBandLayout(bands);
    EXPECT_EQ(value, QStringLiteral("1-300-N-tlBar:2-0-R-frFmt:3-420-N-vButton:4-200-N-vStatus:"));
    EXPECT_EQ(decodeBandLayout(value), bands);
    EXPECT_FALSE(decodeBandLayout(QString()));
    EXPECT_FALSE(decodeBandLayout(QStringLiteral("1-300-N:2-0-R-frFmt:")));
    // Entries are restored in the order of the first character of their position.
    const auto sorted =
        decodeBandLayout(QStringLiteral("3-9-N-vButton:1-9-N-tlBar:4-9-N-vStatus:2-9-R-frFmt"));
    ASSERT_TRUE(sorted);
    EXPECT_EQ(sorted->at(0).control, QStringLiteral("tlBar"));
    EXPECT_EQ(sorted->at(2).control, QStringLiteral("vButton"));
}

TEST_F(EditorTest, FirstStartDefaults) {
    const platform::PageSetup page = surface().page();
    EXPECT_EQ(page.width, 12240);
    EXPECT_EQ(page.height, 15840);
    EXPECT_EQ(page.marginLeft, 850);
    EXPECT_EQ(page.marginTop, 850);
    EXPECT_EQ(page.marginRight, 567);
    EXPECT_EQ(page.marginBottom, 567);
    EXPECT_EQ(editor->view()->viewMode(), 0);
    EXPECT_EQ(editor->view()->zoom(), 100);
    EXPECT_TRUE(editor->view()->controlCharactersShown());
    EXPECT_FALSE(editor->rulersShown());
    EXPECT_FALSE(editor->values().plainPaste);
    EXPECT_EQ(editor->values().updateMode, QStringLiteral("確認"));
    EXPECT_EQ(editor->values().ime, QStringLiteral("OFF"));
    EXPECT_EQ(editor->values().textFlow, 2);
    EXPECT_TRUE(editor->contextMenu().richPasteChecked());
    for (int band = 0; band < 4; ++band)
        EXPECT_TRUE(editor->clBar()->bandVisible(band));
}

TEST_F(EditorTest, StoreWritesEveryGroupAndBandsComeBack) {
    editor->rtAct(27, -2); // hide the colour band
    editor->rtAct(27, 5);  // show the rulers
    editor->rtAct(86, QStringLiteral("縮小"));
    editor->rtAct(72, 3);
    editor->cOff();

    settings::yIni &ini = settings::store();
    ini.GetGtx(QStringLiteral("TX_BAR"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("RULE"), QString()), QStringLiteral("表示"));
    const QString layout = ini.vGtVal(QStringLiteral("C_BR"), QString());
    EXPECT_TRUE(layout.contains(QStringLiteral("-0-R-frFmt:"))) << layout.toStdString();
    EXPECT_TRUE(layout.startsWith(QStringLiteral("1-"))) << layout.toStdString();
    ini.GetGtx(QStringLiteral("TX_DISP"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("ZOOM"), 0), 80);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("MODE"), -1), 0);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("C_CH"), QString()), QStringLiteral("表示"));
    ini.GetGtx(QStringLiteral("TX_USR"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("PAST_TX"), QString()), QStringLiteral("Text"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("更新確認"), QString()), QStringLiteral("確認"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("TX_FLW"), 0), 2);

    uTxm second;
    second.cOn(0, 0);
    const int colour = second.clBar()->bandOf(QStringLiteral("frFmt"));
    EXPECT_FALSE(second.clBar()->bandVisible(colour));
    EXPECT_TRUE(second.clBar()->bandVisible(second.clBar()->bandOf(QStringLiteral("tlBar"))));
    EXPECT_FALSE(second.contextMenu().barChecked(1));
    EXPECT_TRUE(second.contextMenu().barChecked(0));
    EXPECT_TRUE(second.rulersShown());
    EXPECT_EQ(second.view()->zoom(), 80);
    EXPECT_TRUE(second.values().plainPaste);
    EXPECT_EQ(second.bandLayoutValue().section(u':', 1, 1).section(u'-', 1, 1),
              QStringLiteral("0"));
    second.cOff();
}

TEST_F(EditorTest, OddStoredValuesFallBack) {
    editor->cOff();
    settings::yIni &ini = settings::store();
    ini.GetGtx(QStringLiteral("TX_DISP"));
    ini.SetVal(QStringLiteral("C_CH"), QStringLiteral("はい"));
    ini.SetGtx();
    ini.GetGtx(QStringLiteral("TX_BAR"));
    ini.SetVal(QStringLiteral("RULE"), QStringLiteral("on"));
    ini.SetVal(QStringLiteral("C_BR"), QStringLiteral("garbage"));
    ini.SetGtx();
    ini.GetGtx(QStringLiteral("TX_USR"));
    ini.SetVal(QStringLiteral("PAST_TX"), QStringLiteral("text"));
    ini.SetGtx();

    uTxm second;
    second.cOn(0, -1);
    EXPECT_FALSE(second.view()->controlCharactersShown());
    EXPECT_FALSE(second.rulersShown());
    EXPECT_FALSE(second.values().plainPaste);
    EXPECT_EQ(second.values().textFlow, 2); // stored by the first editor
    for (int band = 0; band < 4; ++band)
        EXPECT_TRUE(second.clBar()->bandVisible(band));
    second.cOff();
    ini.GetGtx(QStringLiteral("TX_USR"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("PAST_TX"), QString()), QStringLiteral("Rtex"));
}

TEST_F(EditorTest, NegativeTypeDefaultsToInlinePictures) {
    uTxm other;
    other.cOn(0, -1);
    EXPECT_EQ(other.values().textFlow, 1);
    EXPECT_FALSE(other.userStyles().titleIsFirstHeading);
}

TEST_F(EditorTest, NewDocumentReturnsToStoredPage) {
    settings::yIni &ini = settings::store();
    ini.GetGtx(QStringLiteral("TX_PAGE"));
    ini.SetVal(QStringLiteral("WIDTH"), 11900);
    ini.SetVal(QStringLiteral("HEIGHT"), 16838);
    ini.SetGtx();
    platform::PageSetup page = surface().page();
    page.width = 5000;
    surface().setPage(page);
    editor->rtAct(2);
    EXPECT_EQ(surface().page().width, 11900);
    EXPECT_EQ(surface().page().height, 16838);
    EXPECT_EQ(surface().page().marginLeft, 850);
}

TEST_F(EditorTest, SuffixSelectsItsOwnGroups) {
    editor->cOff();
    uTxm other;
    other.cOn(0, 0, false, QStringLiteral("_E"));
    other.rtAct(86, 150);
    other.cOff();
    settings::yIni &ini = settings::store();
    ini.GetGtx(QStringLiteral("TX_DISP_E"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("ZOOM"), 0), 150);
    ini.GetGtx(QStringLiteral("TX_DISP"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("ZOOM"), 0), 100);
}
