#include "editor/commands.h"
#include "editor/interface.h"
#include "editor/menus/format_dialogs.h"
#include "editor/menus/format_values.h"
#include "editor_dialog/editor_entry.h"
#include "editor_dialog/sbtxm.h"
#include "editor_dialog/user_style_samples.h"
#include "editor_dialog/user_styles_page.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"
#include "settings/user_styles.h"
#include "settings/yini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

using editor_dialog::sbTxm;
using settings::UserStyleTable;

namespace {

// The text control's dialogs, answering as a user would.
class ScriptedFormat final : public editor::FormatDialogs {
public:
    editor::FontValues font;
    editor::ParagraphValues paragraph;
    bool editFont(QWidget *, editor::FontValues &values) override {
        values = font;
        return true;
    }
    bool editParagraph(QWidget *, editor::ParagraphValues &values) override {
        values = paragraph;
        return true;
    }
    bool editList(QWidget *, editor::ListValues &) override { return false; }
    bool editTable(QWidget *, editor::TableValues &) override { return false; }
};

void setSizes(UserStyleTable &t, int h1, int h2, int h3, int body, int emphasis) {
    t.styles[0].size = qint16(h1);
    t.styles[1].size = qint16(h2);
    t.styles[2].size = qint16(h3);
    t.styles[3].size = qint16(body);
    t.styles[4].size = qint16(emphasis);
}

std::array<int, 5> sizes(const UserStyleTable &t) {
    return {t.styles[0].size, t.styles[1].size, t.styles[2].size, t.styles[3].size,
            t.styles[4].size};
}

// The table as its stored texts, so that a difference reads as one.
std::string records(const UserStyleTable &t) {
    QStringList out;
    for (const settings::UserStyle &style : t.styles)
        out << settings::styleRecordText(style);
    out << QString::number(double(t.lineSpacingFactor)) << QString::number(t.titleIsFirstHeading)
        << QString::number(t.enterIsLineBreak);
    return out.join(QLatin1Char('\n')).toStdString();
}

} // namespace

TEST(UserStyleChecks, HeadingOrderAndLineSpacing) {
    UserStyleTable t = UserStyleTable::defaults();
    EXPECT_FALSE(editor_dialog::keepHeadingOrder(t));
    setSizes(t, 14, 12, 10, 11, 10);
    EXPECT_TRUE(editor_dialog::keepHeadingOrder(t));
    EXPECT_EQ(sizes(t), (std::array<int, 5>{14, 13, 12, 10, 10})); // 本文 down to 強調
    setSizes(t, 12, 13, 11, 12, 12);
    EXPECT_TRUE(editor_dialog::keepHeadingOrder(t));
    EXPECT_EQ(sizes(t), (std::array<int, 5>{15, 14, 13, 12, 12}));
    setSizes(t, 20, 18, 16, 16, 20); // 強調 above 見出3
    EXPECT_TRUE(editor_dialog::keepHeadingOrder(t));
    EXPECT_EQ(sizes(t), (std::array<int, 5>{15, 14, 13, 12, 12}));
    setSizes(t, 11, 10, 9, 8, 8); // 見出3 below 10 points
    EXPECT_TRUE(editor_dialog::keepHeadingOrder(t));
    EXPECT_EQ(sizes(t), (std::array<int, 5>{14, 13, 12, 8, 8}));

    EXPECT_FLOAT_EQ(editor_dialog::checkedLineSpacing(1.5), 1.5f);
    EXPECT_FLOAT_EQ(editor_dialog::checkedLineSpacing(2.0), 2.0f);
    EXPECT_FLOAT_EQ(editor_dialog::checkedLineSpacing(2.5), 1.2f);
    EXPECT_FLOAT_EQ(editor_dialog::checkedLineSpacing(0.8), 1.2f);
}

TEST(UserStyleChecks, SamplesGiveBackWhatTheyShow) {
    editor_dialog::StyleSamples samples;
    UserStyleTable shown = UserStyleTable::defaults();
    shown.styles[1].alignment = 2;
    shown.styles[1].spacingA = 120;
    shown.styles[1].lineSpacing = 150;
    shown.styles[6].alignment = 2;
    shown.styles[7].fontName = QStringLiteral("IPAMincho");
    samples.show(shown);
    EXPECT_EQ(samples.text().paragraphText(0), QStringLiteral("見出1　今日の出来事"));
    UserStyleTable t = shown;
    EXPECT_FALSE(editor_dialog::confirmUserStyles(samples, t, 1.2, true, true));
    // Body styles always store automatic line spacing.
    for (int i = 3; i <= 5; ++i)
        shown.styles[std::size_t(i)].lineSpacing = 7936;
    EXPECT_EQ(records(t), records(shown));

    // Body styles store no paragraph values; 補足 takes 本文's font on white.
    shown.styles[4].alignment = 2;
    shown.styles[4].spacingA = 80;
    shown.styles[5].fontName = QStringLiteral("IPAMincho");
    shown.styles[5].backColor = 0x00FFFF;
    samples.show(shown);
    t = shown;
    editor_dialog::confirmUserStyles(samples, t, 3.0, false, false);
    EXPECT_EQ(t.styles[4].alignment, 0);
    EXPECT_EQ(t.styles[4].spacingA, 0);
    EXPECT_EQ(t.styles[4].lineSpacing, 7936);
    EXPECT_EQ(t.styles[5].fontName, t.styles[3].fontName);
    EXPECT_EQ(t.styles[5].backColor, 0xFFFFFF);
    EXPECT_FLOAT_EQ(t.lineSpacingFactor, 1.2f);
    EXPECT_FALSE(t.titleIsFirstHeading);
    EXPECT_FALSE(t.enterIsLineBreak);
}

TEST(UserStylesPage, EditsConfirmsAndStores) {
    settings::releaseStore();
    testsupport::ScriptedDialogsGuard messages;
    platform::TextSurface surface;
    UserStyleTable table = UserStyleTable::defaults();
    sbTxm dialog;
    dialog.cOn(surface, nullptr);
    dialog.setUserStyles(&table);
    ASSERT_TRUE(dialog.prepare(QStringLiteral("US"), QString()));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾕｰｻﾞｰ定義書式"));
    auto *page = static_cast<editor_dialog::UserStylesPage *>(dialog.currentPage());
    auto scripted = std::make_unique<ScriptedFormat>();
    ScriptedFormat &format = *scripted;
    page->setFormatDialogs(std::move(scripted));
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("cbHead"))->currentText(),
              QStringLiteral("右寄せ"));

    // 本文 to 11 points and 見出3 to 10: out of order.
    format.font = editor::readFont(page->samples().text());
    format.font.name = QStringLiteral("IPAGothic");
    format.font.size = 11;
    format.font.color = 0x0000FF;
    page->cmFont(3);
    format.font.size = 10;
    format.font.bold = true;
    page->cmFont(2);
    format.paragraph.alignment = 2;
    format.paragraph.spaceBefore = 60;
    format.paragraph.leftIndent = 200;
    page->cmPrg(0);
    auto *footer = dialog.findChild<QComboBox *>(QStringLiteral("cbFoot"));
    footer->setCurrentIndex(0);
    emit footer->activated(0);
    dialog.findChild<QComboBox *>(QStringLiteral("cbLine"))->setCurrentText(QStringLiteral("1,5"));
    dialog.findChild<QCheckBox *>(QStringLiteral("ckLF"))->setChecked(false);

    // Cancel keeps the table.
    dialog.cmOk(1);
    EXPECT_EQ(records(table), records(UserStyleTable::defaults()));

    ASSERT_TRUE(dialog.prepare(QStringLiteral("US"), QString()));
    format.font.size = 11;
    format.font.bold = false;
    page->cmFont(3);
    format.font.size = 10;
    page->cmFont(2);
    page->cmPrg(0);
    dialog.findChild<QComboBox *>(QStringLiteral("cbLine"))->setCurrentText(QStringLiteral("1,5"));
    dialog.findChild<QCheckBox *>(QStringLiteral("ckLF"))->setChecked(false);
    footer->setCurrentIndex(0);
    emit footer->activated(0);
    dialog.cmOk(0);
    EXPECT_EQ(messages->messages(), QStringList{QStringLiteral("見出しのﾌｫﾝﾄｻｲｽﾞ順に変えます")});
    EXPECT_EQ(sizes(table), (std::array<int, 5>{14, 13, 12, 10, 10}));
    EXPECT_EQ(table.styles[3].fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(table.styles[3].textColor, 0x0000FF);
    EXPECT_EQ(table.styles[5].fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(table.styles[0].alignment, 2);
    EXPECT_EQ(table.styles[0].spacingA, 60);
    EXPECT_EQ(table.styles[0].leftIndent, 200);
    EXPECT_EQ(table.styles[7].alignment, 0);
    EXPECT_FLOAT_EQ(table.lineSpacingFactor, 1.5f);
    EXPECT_FALSE(table.enterIsLineBreak);
    EXPECT_TRUE(table.titleIsFirstHeading);

    // What was stored is what a restart reads.
    UserStyleTable loaded;
    settings::UsrStyleLoad(settings::store(), loaded);
    EXPECT_EQ(records(loaded), records(table));
    settings::releaseStore();
}

// Command 66 edits the editor's own table: unticking "本文はEnter= <br>" makes Enter in body text
// start a paragraph, in this editor at once and in one switched on after a restart.
TEST(UserStylesPage, EditorCommandChangesEnterAlsoAfterRestart) {
    settings::releaseStore();
    editor::setEntryPointsFactory(&editor_dialog::makeEditorEntryPoints);
    {
        editor::uTxm editor;
        editor.cOn(0, 0);
        editor.resize(800, 600);
        editor.show();
        editor.view()->setFocus();
        sbTxm::setModalRunner([](sbTxm &d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("ﾕｰｻﾞｰ定義書式"));
            d.findChild<QCheckBox *>(QStringLiteral("ckLF"))->setChecked(false);
            d.cmOk(0);
        });
        editor.rtAct(editor::cmd::UserStyles);
        sbTxm::setModalRunner(nullptr);
        EXPECT_FALSE(editor.userStyles().enterIsLineBreak);
        editor.SetText(QStringLiteral("本文"));
        editor.surface().setSelStart(2);
        QTest::keyClick(editor.view()->viewport(), Qt::Key_Return);
        EXPECT_EQ(editor.surface().text(), QStringLiteral("本文\n"));
        editor.cOff();
    }
    {
        editor::uTxm restarted;
        restarted.cOn(0, 0);
        EXPECT_FALSE(restarted.userStyles().enterIsLineBreak);
        restarted.cOff();
    }
    editor::setEntryPointsFactory(nullptr);
    settings::releaseStore();
}
