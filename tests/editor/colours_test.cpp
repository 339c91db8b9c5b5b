#include "editor/bars/bands.h"
#include "editor/colours.h"
#include "editor_fixture.h"

#include <QToolButton>

using namespace editor;
using editortest::EditorTest;

TEST(EditorColours, Palette) {
    ASSERT_EQ(colourPalette().size(), 10u);
    EXPECT_STREQ(colourPalette()[0].key, "Bk");
    EXPECT_STREQ(colourPalette()[9].text, "White");
    const PaletteEntry *red = paletteEntry(QStringLiteral("Rd"));
    ASSERT_TRUE(red);
    EXPECT_EQ(red->value(), 0x0000ff);
    EXPECT_EQ(paletteEntry(QStringLiteral("Nv"))->value(), 0x800000);
    EXPECT_FALSE(paletteEntry(QStringLiteral("Xx")));
    EXPECT_EQ(valueFromColor(colorFromValue(0x123456)), 0x123456);
    EXPECT_EQ(repeatToolTip(ColourTarget::Background, QStringLiteral("Red")),
              QStringLiteral("文字背景色(Red)を設定します"));
}

TEST_F(EditorTest, PickersApplyAndRepeat) {
    ColourBand *band = editor->frFmt();
    EXPECT_EQ(band->imFcr->toolTip(), QStringLiteral("文字色を設定します"));
    EXPECT_EQ(band->imBcr->toolTip(), QStringLiteral("文字背景色を設定します"));
    EXPECT_EQ(band->imFcr->shownText(), QStringLiteral("文字色"));
    EXPECT_FALSE(band->cmFcr->isEnabled());

    editor->SetText(QStringLiteral("赤い字と次"));
    surface().select(0, 2);
    band->imFcr->setCurrentIndex(5);
    editor->colourChosen(band->imFcr);
    EXPECT_TRUE(band->cmFcr->isEnabled());
    EXPECT_EQ(band->cmFcr->toolTip(), QStringLiteral("文字色(Red)を設定します"));
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_TRUE(editor->snapshotArmed());
    surface().select(0, 2);
    EXPECT_EQ(surface().textColor(), 0x0000ff);

    surface().select(4, 1);
    band->cmFcr->click();
    surface().select(4, 1);
    EXPECT_EQ(surface().textColor(), 0x0000ff);

    surface().select(2, 1);
    band->imBcr->setCurrentIndex(7);
    editor->colourChosen(band->imBcr);
    surface().select(2, 1);
    EXPECT_EQ(surface().backColor(), 0x00ffff);
}

TEST_F(EditorTest, PickerIgnoredWhileBusy) {
    editor->SetText(QStringLiteral("字"));
    surface().select(0, 1);
    editor->GetObj();
    editor->frFmt()->imFcr->setCurrentIndex(4);
    editor->colourChosen(editor->frFmt()->imFcr);
    editor->EndObj();
    surface().select(0, 1);
    EXPECT_EQ(surface().textColor(), 0);
    EXPECT_FALSE(editor->bDcEdt());
}
