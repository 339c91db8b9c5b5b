#include "editor/commands.h"
#include "editor/interface.h"
#include "editor_dialog/editor_entry.h"
#include "editor_dialog/pages.h"
#include "editor_dialog/sbtxm.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <gtest/gtest.h>

using editor_dialog::sbTxm;

namespace {

template <typename T> T *child(QWidget &parent, const char *name) {
    T *widget = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::releaseStore();
        dialog.cOn(surface, nullptr);
    }
    void TearDown() override { settings::releaseStore(); }
    platform::TextSurface surface;
    sbTxm dialog;
};

} // namespace

TEST_F(DialogTest, CaptionsAndPagesBuilt) {
    EXPECT_EQ(sbTxm::caption(QStringLiteral("PG")), QStringLiteral("ﾍﾟｰｼﾞ設定"));
    EXPECT_EQ(sbTxm::caption(QStringLiteral("RP")), QStringLiteral("検索･置換"));
    EXPECT_EQ(sbTxm::caption(QStringLiteral("IM")), QStringLiteral("IME･更新保存の設定"));
    ASSERT_TRUE(dialog.prepare(QStringLiteral("RP"), QString()));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("検索･置換"));
    EXPECT_EQ(child<QTabBar>(dialog, "srTab")->currentIndex(), 1);
    EXPECT_TRUE(child<QPushButton>(dialog, "cmOk0")->isHidden());
    ASSERT_TRUE(dialog.prepare(QStringLiteral("FD"), QString()));
    EXPECT_EQ(child<QTabBar>(dialog, "srTab")->currentIndex(), 0);
    ASSERT_TRUE(dialog.prepare(QStringLiteral("IM"), QString()));
    EXPECT_FALSE(child<QPushButton>(dialog, "cmOk0")->isHidden());
    // A page this dialog does not have answers "" and shows nothing.
    QString answer = QStringLiteral("12");
    EXPECT_FALSE(dialog.Act(QStringLiteral("ZZ"), answer));
    EXPECT_EQ(answer, QString());
}

TEST_F(DialogTest, ImePageAnswersInAndOut) {
    sbTxm::setModalRunner([](sbTxm &d) {
        EXPECT_TRUE(child<QCheckBox>(d, "chIME")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(d, "opSave1")->isChecked());
        child<QRadioButton>(d, "opSave2")->setChecked(true);
        d.cmOk(0);
    });
    QString answer = QStringLiteral("ON\t上書");
    dialog.Act(QStringLiteral("IM"), answer);
    EXPECT_EQ(answer, QStringLiteral("ON\t無視"));

    sbTxm::setModalRunner([](sbTxm &d) {
        EXPECT_FALSE(child<QCheckBox>(d, "chIME")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(d, "opSave0")->isChecked());
        child<QCheckBox>(d, "chIME")->setChecked(true);
        d.cmOk(1);
    });
    answer = QStringLiteral("OFF\t何か");
    dialog.Act(QStringLiteral("IM"), answer);
    EXPECT_EQ(answer, QString()); // cancel
    sbTxm::setModalRunner(nullptr);
}

TEST_F(DialogTest, PageSetupPageChoosesPaperAndApplies) {
    platform::PageSetup page;
    page.width = 11900;
    page.height = 16838;
    page.headerFooterBits = 1;
    surface.setPage(page);
    ASSERT_TRUE(dialog.prepare(QStringLiteral("PG"), QString()));
    QComboBox *papers = child<QComboBox>(dialog, "cbPage");
    EXPECT_EQ(papers->count(), 16);
    EXPECT_EQ(papers->itemText(15), QStringLiteral("ﾕｰｻﾞｰ定義"));
    EXPECT_EQ(papers->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(dialog, "txLftMrg")->text(), QStringLiteral("1.50"));

    child<QRadioButton>(dialog, "OpVH1")->setChecked(true);
    EXPECT_EQ(child<QLineEdit>(dialog, "txPgWd")->text(), QStringLiteral("29.70"));
    emit papers->activated(5);
    EXPECT_EQ(child<QLineEdit>(dialog, "txPgWd")->text(), QStringLiteral("14.79"));
    EXPECT_EQ(child<QLineEdit>(dialog, "txPgHi")->text(), QStringLiteral("9.99"));
    QLineEdit *width = child<QLineEdit>(dialog, "txPgWd");
    width->setText(QStringLiteral("15"));
    emit width->textEdited(width->text());
    EXPECT_EQ(papers->currentIndex(), 15);
    child<QLineEdit>(dialog, "txTopMrg")->setText(QStringLiteral("2,5"));

    // Cancel leaves the page as it was.
    dialog.cmOk(1);
    EXPECT_EQ(surface.page(), page);
    EXPECT_FALSE(dialog.changedDocument());

    ASSERT_TRUE(dialog.prepare(QStringLiteral("PG"), QString()));
    child<QRadioButton>(dialog, "OpVH1")->setChecked(true);
    child<QLineEdit>(dialog, "txTopMrg")->setText(QStringLiteral("2,5"));
    dialog.cmOk(0);
    EXPECT_EQ(dialog.answer(), QString());
    EXPECT_TRUE(dialog.changedDocument());
    EXPECT_EQ(surface.page().width, 16840);
    EXPECT_EQ(surface.page().height, 11901);
    EXPECT_TRUE(surface.page().landscape);
    EXPECT_EQ(surface.page().marginTop, 1418);
    EXPECT_EQ(surface.page().headerFooterBits, 1);

    ASSERT_TRUE(dialog.prepare(QStringLiteral("PG"), QString()));
    EXPECT_TRUE(child<QRadioButton>(dialog, "OpVH1")->isChecked());
    EXPECT_EQ(papers->currentIndex(), 0);
    child<QPushButton>(dialog, "cmPage")->click();
    settings::yIni &ini = settings::store();
    ini.GetGtx(QStringLiteral("TX_PAGE"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("WIDTH"), 0), 16840);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("M_TOP"), 0), 1418);
}

TEST_F(DialogTest, FindPageButtons) {
    surface.setSelText(QStringLiteral("日記と日記と日記"));
    ASSERT_TRUE(dialog.prepare(QStringLiteral("FD"), QString()));
    child<QComboBox>(dialog, "cbFnd0")->setCurrentText(QStringLiteral("日記"));
    child<QPushButton>(dialog, "ssCom0")->click();
    EXPECT_EQ(surface.selStart(), 0);
    EXPECT_EQ(surface.selLength(), 2);
    child<QPushButton>(dialog, "ssCom2")->click();
    EXPECT_EQ(surface.selStart(), 3);
    child<QPushButton>(dialog, "ssCom1")->click();
    EXPECT_EQ(surface.selStart(), 0);
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd0")->count(), 1);

    // Opened again without a selection, the page shows the last text found.
    surface.select(1, 0);
    child<QComboBox>(dialog, "cbFnd0")->setCurrentText(QString());
    ASSERT_TRUE(dialog.prepare(QStringLiteral("FD"), QString()));
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd0")->currentText(), QStringLiteral("日記"));
    child<QPushButton>(dialog, "ssCom1")->click();
    EXPECT_EQ(surface.selStart(), 0);

    ASSERT_TRUE(dialog.prepare(QStringLiteral("RP"), QString()));
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd1")->currentText(), QStringLiteral("日記"));
    child<QComboBox>(dialog, "cbFnd3")->setCurrentText(QStringLiteral("手帳"));
    // The selection is the last found text: replaced, and the next one found.
    child<QPushButton>(dialog, "ssRep0")->click();
    EXPECT_EQ(surface.text(), QStringLiteral("手帳と日記と日記"));
    EXPECT_EQ(surface.selStart(), 3);
    EXPECT_TRUE(child<QPushButton>(dialog, "ssUndo")->isEnabled());
    child<QPushButton>(dialog, "ssRep1")->click();
    EXPECT_EQ(surface.text(), QStringLiteral("手帳と手帳と手帳"));
    EXPECT_TRUE(dialog.changedDocument());
    child<QPushButton>(dialog, "ssUndo")->click();
    EXPECT_EQ(surface.text(), QStringLiteral("手帳と日記と日記"));
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd3")->itemText(0), QStringLiteral("手帳"));

    // The conversion buttons fill the replacement from the search text.
    child<QComboBox>(dialog, "cbFnd1")->setCurrentText(QStringLiteral("ひらがな"));
    child<QPushButton>(dialog, "cmStrCnv1")->click();
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd3")->currentText(), QStringLiteral("ﾋﾗｶﾞﾅ"));
    child<QComboBox>(dialog, "cbFnd1")->setCurrentText(QStringLiteral("ｶﾞ"));
    child<QPushButton>(dialog, "cmStrCnv0")->click();
    EXPECT_EQ(child<QComboBox>(dialog, "cbFnd3")->currentText(), QStringLiteral("ガ"));
}

TEST_F(DialogTest, PictureLayoutAndTablePages) {
    sbTxm::setModalRunner([](sbTxm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("画像ﾚｲｱｳﾄの既定値"));
        EXPECT_TRUE(child<QRadioButton>(d, "opTxf1")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(d, "opImg2")->isChecked());
        child<QRadioButton>(d, "opTxf3")->setChecked(true);
        child<QRadioButton>(d, "opImg0")->setChecked(true);
        d.cmOk(0);
    });
    QString answer = QStringLiteral("22");
    dialog.Act(QStringLiteral("TF"), answer);
    EXPECT_EQ(answer, QStringLiteral("40"));
    sbTxm::setModalRunner([](sbTxm &d) {
        child<QRadioButton>(d, "opTxf0")->setChecked(true);
        d.cmOk(1);
    });
    dialog.Act(QStringLiteral("TF"), answer);
    EXPECT_EQ(answer, QStringLiteral("40")); // cancel gives back what came in

    surface.setSelText(QStringLiteral("表の前"));
    ASSERT_TRUE(dialog.prepare(QStringLiteral("TB"), QString()));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("表の設定"));
    EXPECT_EQ(child<QComboBox>(dialog, "cbRows")->currentText(), QStringLiteral("5"));
    EXPECT_EQ(child<QComboBox>(dialog, "cbColumns")->currentText(), QStringLiteral("1"));
    child<QComboBox>(dialog, "cbColumns")->setCurrentIndex(2);
    dialog.cmOk(1);
    EXPECT_TRUE(surface.tableIds().isEmpty());
    ASSERT_TRUE(dialog.prepare(QStringLiteral("TB"), QString()));
    child<QComboBox>(dialog, "cbColumns")->setCurrentIndex(2);
    dialog.cmOk(0);
    EXPECT_TRUE(dialog.changedDocument());
    ASSERT_EQ(surface.tableIds().size(), 1);
    EXPECT_EQ(surface.tableRows(surface.tableIds()[0]), 5);
    EXPECT_EQ(surface.tableColumns(surface.tableIds()[0]), 3);
    sbTxm::setModalRunner(nullptr);
}

TEST(DialogEntryPoints, EditorCommandsOpenTheDialog) {
    settings::releaseStore();
    editor::setEntryPointsFactory(&editor_dialog::makeEditorEntryPoints);
    {
        editor::uTxm editor;
        editor.cOn(0, 0);
        editor.surface().setSelText(QStringLiteral("朝と夜と朝"));
        QString seen;
        sbTxm::setModalRunner([&seen](sbTxm &d) {
            seen = d.windowTitle();
            child<QComboBox>(d, "cbFnd1")->setCurrentText(QStringLiteral("朝"));
            child<QComboBox>(d, "cbFnd3")->setCurrentText(QStringLiteral("昼"));
            child<QPushButton>(d, "ssRep1")->click();
        });
        editor.rtAct(editor::cmd::Replace);
        EXPECT_EQ(seen, QStringLiteral("検索･置換"));
        EXPECT_EQ(editor.surface().text(), QStringLiteral("昼と夜と昼"));
        EXPECT_TRUE(editor.bDcEdt());

        // The IME page's answer reaches the editor's values; cancelling changes nothing.
        sbTxm::setModalRunner([](sbTxm &d) {
            child<QRadioButton>(d, "opSave1")->setChecked(true);
            d.cmOk(0);
        });
        editor.rtAct(editor::cmd::ImeSettings);
        EXPECT_EQ(editor.values().updateMode, QStringLiteral("上書"));
        sbTxm::setModalRunner([](sbTxm &d) {
            child<QRadioButton>(d, "opSave2")->setChecked(true);
            d.cmOk(1);
        });
        editor.rtAct(editor::cmd::ImeSettings);
        EXPECT_EQ(editor.values().updateMode, QStringLiteral("上書"));
        sbTxm::setModalRunner(nullptr);
    }
    editor::setEntryPointsFactory(nullptr);
    settings::releaseStore();
}
