// Form filling by the numbers the numbered preview shows, over a form with three data fields,
// two text frames and two tables (one in the main text, one in the first frame).
#include "../markers/marker_fixture.h"
#include "test_images.h"

#include <QFile>
#include <QTemporaryDir>

using namespace editor;
using editortest::MarkerEditorTest;
using platform::TextSurface;

namespace {

class FormFillingTest : public MarkerEditorTest {
protected:
    void SetUp() override {
        MarkerEditorTest::SetUp();
        type(QStringLiteral("申込書\n氏名："));
        editor->rtAct(56, 1);
        append(QStringLiteral("\n住所："));
        editor->rtAct(56, 1);
        append(QStringLiteral("\n電話："));
        editor->rtAct(56, 1);
        append(QStringLiteral("\n"));
        surface().select(surface().textLength(), 0);
        const int items = surface().insertTable(2, 3);
        surface().setCellText(items, 1, 1, QStringLiteral("品名"));
        surface().setCellText(items, 1, 2, QStringLiteral("数量"));
        surface().setCellText(items, 1, 3, QStringLiteral("金額"));
        surface().select(surface().textLength(), 0);
        firstFrame = surface().insertTextFrame(6000, 2000, {0, 0, 0, 0});
        surface().select(surface().textLength(), 0);
        secondFrame = surface().insertTextFrame(6000, 2000, {0, 0, 0, 0});
        surface().selectTextFrame(firstFrame);
        surface().setSelText(QStringLiteral("備考"));
        const int notes = surface().insertTable(1, 2);
        surface().setCellText(notes, 1, 1, QStringLiteral("記入日"));
        surface().selectTextFrame(0);
        editor->setBDcEdt(false);
    }

    QString frameText(int frame) {
        surface().selectTextFrame(frame);
        const QString text = surface().text();
        surface().selectTextFrame(0);
        return text;
    }

    int firstFrame = 0;
    int secondFrame = 0;
};

} // namespace

TEST_F(FormFillingTest, FieldsAndCellsAreFilledByNumber) {
    editor->T_Start(QString());
    editor->T_TxFdTx(1, QStringLiteral("山田"));
    editor->T_TxFdTx(9, QStringLiteral("03-1234")); // beyond the list: the last field
    editor->T_TxFdTx(0, QStringLiteral("無"));      // selects nothing
    const QString text = surface().text();
    EXPECT_TRUE(text.contains(QStringLiteral("氏名：山田\n住所：[FD]\n電話：03-1234")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("無")));

    editor->TvCelVL(1, 2, 1, QStringLiteral("抹茶"));
    editor->TvCelVL(2, 1, 2, QStringLiteral("4月1日") + QChar(10) + QStringLiteral("晴れ"));
    EXPECT_EQ(editor->TvCelVL(1, 2, 1), QStringLiteral("抹茶"));
    EXPECT_EQ(editor->TvCelVL(1, 1, 3), QStringLiteral("金額"));
    EXPECT_EQ(editor->TvCelVL(2, 1, 2), QStringLiteral("4月1日晴れ")) << "line ends removed";
    EXPECT_EQ(editor->formIndex().selector, firstFrame);
    EXPECT_TRUE(frameText(firstFrame).contains(QStringLiteral("4月1日")));
    const QByteArray before = surface().saveWholeToMemory(TextSurface::Internal);
    editor->TvCelVL(3, 1, 1, QStringLiteral("無"));
    EXPECT_EQ(editor->TvCelVL(3, 1, 1), QString());
    EXPECT_EQ(editor->TvCelVL(0, 1, 1), QString());
    EXPECT_EQ(surface().saveWholeToMemory(TextSurface::Internal), before);
    EXPECT_TRUE(editor->bDcEdt());

    editor->T_End();
    EXPECT_EQ(surface().selectedTextFrame(), 0);
    EXPECT_EQ(surface().selStart(), surface().textLength());

    // The form's picture is the preview background until the settings load again.
    editor->T_Start(QStringLiteral("/forms/申込書.png"));
    EXPECT_EQ(editor->formIndex().picture, QStringLiteral("/forms/申込書.png"));
    editor->rtAct(2);
    EXPECT_TRUE(editor->formIndex().picture.isEmpty());
}

TEST_F(FormFillingTest, LegacyWordBytesGoThroughTheConversionOrLeaveTheFrameAlone) {
    editor->T_Start(QString());
    const QByteArray before = surface().saveWholeToMemory(TextSurface::Internal);
    editor->T_TxFrDt(1, QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, '\x7f'));
    editor->T_End();
    EXPECT_EQ(surface().saveWholeToMemory(TextSurface::Internal), before);
    EXPECT_FALSE(editor->bDcEdt());

    QTemporaryDir dir;
    const QString legacy = dir.filePath(QStringLiteral("別紙.doc"));
    TextSurface attachment;
    attachment.setSelText(QStringLiteral("旧形式の別紙"));
    if (!attachment.saveFile(legacy, TextSurface::Word97))
        return; // no Word 97-2003 conversion on this machine
    QFile file(legacy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    editor->T_TxFrDt(1, file.readAll());
    editor->T_End();
    EXPECT_EQ(frameText(firstFrame), QStringLiteral("旧形式の別紙"));
}

TEST_F(FormFillingTest, PictureGoesIntoADataFieldAndADocumentIntoAFrame) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("印.png"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(testsupport::pngBytes(24, 24, Qt::red));
    file.close();

    TextSurface attachment;
    attachment.setSelText(QStringLiteral("別紙のとおり"));
    const QByteArray stored = attachment.saveWholeToMemory(TextSurface::Word97);

    editor->T_Start(QString());
    editor->T_TxFdPc(2, picture);
    editor->T_TxFrDt(2, stored);
    EXPECT_EQ(surface().selectedTextFrame(), secondFrame) << "the frame filled stays selected";
    editor->T_End();
    EXPECT_TRUE(surface().text().contains(QStringLiteral("住所：") + QChar(1) + QChar(10)))
        << surface().text().toStdString();
    EXPECT_EQ(surface().fieldIds().size(), 2);
    const int pictureId = surface().nextObject(0, TextSurface::PictureObject);
    ASSERT_GT(pictureId, 0);
    EXPECT_EQ(surface().pictureSaveMode(pictureId), 1);
    EXPECT_EQ(frameText(secondFrame), QStringLiteral("別紙のとおり"));
    EXPECT_EQ(frameText(firstFrame).left(2), QStringLiteral("備考"));
}

TEST_F(FormFillingTest, NumberedPreviewShowsTheNumbersCallersFillBy) {
    const QByteArray before = surface().saveWholeToMemory(TextSurface::Internal);
    editor->rtActTL(0);
    ASSERT_FALSE(entryPoints->previewedPages.isEmpty());
    const QString page = entryPoints->previewedPages.join(QString());
    for (const char *shown : {"氏名：FD:1", "住所：FD:2", "電話：FD:3", "1,2,1", "1,2,2", "1,2,3",
                              "TF:1", "TF:2", "品名"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(shown))) << shown << "\n" << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("備考"))) << "a frame shows only its number";
    EXPECT_EQ(surface().saveWholeToMemory(TextSurface::Internal), before);
    EXPECT_FALSE(editor->bDcEdt());

    // Filling by those numbers reaches what they stood on.
    editor->T_Start(QString());
    editor->T_TxFdTx(2, QStringLiteral("東京"));
    editor->TvCelVL(1, 2, 3, QStringLiteral("500円"));
    editor->T_TxFrDt(1, [] {
        TextSurface s;
        s.setSelText(QStringLiteral("一枚目"));
        return s.saveWholeToMemory(TextSurface::Word97);
    }());
    editor->T_End();
    EXPECT_TRUE(surface().text().contains(QStringLiteral("住所：東京")));
    EXPECT_EQ(editor->TvCelVL(1, 2, 3), QStringLiteral("500円"));
    EXPECT_EQ(frameText(firstFrame), QStringLiteral("一枚目"));

    // A hyperlink has link kind 1 and is numbered with the data fields.
    surface().select(0, 3);
    makeLink(QStringLiteral("申込書\thttps://example.org/form"));
    entryPoints->previewedPages.clear();
    editor->rtActTL(0);
    const QString renumbered = entryPoints->previewedPages.join(QString());
    EXPECT_TRUE(renumbered.contains(QStringLiteral("FD:1")));
    EXPECT_TRUE(renumbered.contains(QStringLiteral("電話：FD:4"))) << renumbered.toStdString();
}

TEST_F(FormFillingTest, FormPageLayoutAsksBeforeEmptyingAndPlacesFrames) {
    dialogs->answers.enqueue(platform::Answer::Cancel);
    editor->rtActTL(1);
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("文書は初期化されますが良いですか")});
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("申込書")));

    dialogs->answers.enqueue(platform::Answer::Ok);
    editor->rtActTL(2);
    EXPECT_FALSE(surface().text().contains(QStringLiteral("申込書")));
    QList<int> frames;
    for (int id = surface().nextObject(0, TextSurface::TextFrameObject); id > 0;
         id = surface().nextObject(id, TextSurface::TextFrameObject))
        frames << id;
    EXPECT_EQ(frames.size(), 2);
    EXPECT_TRUE(editor->bDcEdt());

    dialogs->answers.enqueue(platform::Answer::Ok);
    editor->rtActTL(1);
    EXPECT_EQ(surface().nextObject(surface().nextObject(0, TextSurface::TextFrameObject),
                                   TextSurface::TextFrameObject),
              0)
        << "one frame for a page of two sections";
}

TEST_F(FormFillingTest, OneFileFillsTheCurrentFrameOrEveryFrame) {
    TextSurface letter;
    letter.setSelText(QStringLiteral("拝啓"));
    entryPoints->documentToOpen = letter.saveWholeToMemory(TextSurface::Word97);

    editor->rtActTL(6);
    EXPECT_EQ(entryPoints->opened, 0) << "no current text frame";
    editor->setCurrentTextFrame(secondFrame);
    editor->rtActTL(6);
    EXPECT_EQ(frameText(secondFrame), QStringLiteral("拝啓"));
    EXPECT_TRUE(frameText(firstFrame).startsWith(QStringLiteral("備考")));

    letter.select(0, -1);
    letter.setSelText(QStringLiteral("敬具"));
    entryPoints->documentToOpen = letter.saveWholeToMemory(TextSurface::Word97);
    editor->rtActTL(8);
    EXPECT_EQ(entryPoints->opened, 2) << "one dialog for every frame";
    EXPECT_EQ(frameText(firstFrame), QStringLiteral("敬具"));
    EXPECT_EQ(frameText(secondFrame), QStringLiteral("敬具"));
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("申込書")));
    EXPECT_TRUE(editor->bDcEdt());
}

TEST(FormIndexTest, ListItemsAndMoreThanAHundredTables) {
    EXPECT_EQ(formListItem(QStringLiteral("4,7,9"), 2), 7);
    EXPECT_EQ(formListItem(QStringLiteral("4,7,9"), 5), 9);
    EXPECT_EQ(formListItem(QStringLiteral("4,7,9"), 0), 0);
    EXPECT_EQ(formListItem(QString(), 1), 0);

    TextSurface s;
    for (int i = 0; i < 102; ++i) {
        s.select(s.textLength(), 0);
        s.insertTable(1, 1);
        s.select(s.textLength(), 0);
        s.setSelText(QStringLiteral("\n"));
    }
    FormIndex index;
    buildFormIndex(s, index, QString());
    ASSERT_EQ(index.tables.size(), 102);
    EXPECT_TRUE(writeFormCell(s, index, 102, 1, 1, QStringLiteral("最後")));
    EXPECT_EQ(readFormCell(s, index, 102, 1, 1), QStringLiteral("最後"));
    EXPECT_FALSE(writeFormCell(s, index, 103, 1, 1, QStringLiteral("無")));
}
