#include "editor/bars/bands.h"
#include "editor/bars/tool_icon_drawing.h"
#include "editor/bars/tool_icons.h"
#include "editor/menus/context_menu.h"
#include "editor_fixture.h"
#include "platform/view/text_view.h"

#include <QAction>
#include <QMenu>
#include <QTextDocument>

using namespace editor;
using editortest::EditorTest;

namespace {

// Stands in for the parts that fill the entry points: paste inserts a fixed text, the settings
// pages answer from a script.
class TestEntryPoints final : public EntryPoints {
public:
    QString pageAnswer;
    QStringList pages;
    bool paste(uTxm &editor, const QString &) override {
        editor.surface().setSelText(QStringLiteral("貼付"));
        return true;
    }
    bool settingsPage(uTxm &, const QString &code, QString &answer) override {
        pages.append(code + u'=' + answer);
        answer = pageAnswer;
        return !answer.isEmpty();
    }
};

class DispatchTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        auto points = std::make_unique<TestEntryPoints>();
        entryPoints = points.get();
        editor->setEntryPoints(std::move(points));
    }
    TestEntryPoints *entryPoints = nullptr;
};

} // namespace

TEST_F(DispatchTest, SnapshotUndoRestoresWholeDocument) {
    bool ok = false;
    editor->SetText(QStringLiteral("元の文"));
    surface().setSelStart(3);
    editor->rtAct(15, QString());
    EXPECT_EQ(surface().text(), QStringLiteral("元の文貼付"));
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_TRUE(editor->snapshotArmed());
    editor->rtAct(11);
    EXPECT_EQ(surface().text(), QStringLiteral("元の文"));
    EXPECT_FALSE(editor->snapshotArmed());

    // After typing, undo is the surface's own again.
    surface().setSelStart(3);
    editor->rtAct(15, QString());
    surface().setSelStart(surface().textLength());
    type(QStringLiteral("字"));
    EXPECT_FALSE(editor->snapshotArmed());
    editor->rtAct(11);
    EXPECT_EQ(surface().text(), QStringLiteral("元の文貼付"));

    // A snapshot never carries one document into another.
    editor->rtAct(15, QString());
    editor->SetData(QByteArray(), ok, true);
    EXPECT_FALSE(editor->snapshotArmed());
}

TEST_F(DispatchTest, EventsAndChangedFlag) {
    QSignalSpy done(editor.get(), &uTxm::CommandDone);
    QSignalSpy switched(editor.get(), &uTxm::DocumentSwitched);
    QSignalSpy edited(editor.get(), &uTxm::EditedChanged);
    editor->rtAct(25);
    editor->rtAct(31);
    ASSERT_EQ(done.count(), 2);
    EXPECT_EQ(done.at(1).at(0).toInt(), 31);
    EXPECT_EQ(switched.count(), 0);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_FALSE(editor->bDcEdt());

    editor->rtAct(54);
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_EQ(surface().text(), QString(QChar(12)));

    QSignalSpy saves(editor.get(), &uTxm::SaveRequested);
    editor->rtAct(4);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_EQ(switched.count(), 1);
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_FALSE(editor->busy());
}

TEST_F(DispatchTest, NewDocumentAsksAndClears) {
    type(QStringLiteral("書きかけ"));
    dialogs->answers.enqueue(platform::Answer::No);
    QSignalSpy saves(editor.get(), &uTxm::SaveRequested);
    editor->rtAct(2);
    EXPECT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).buttons, platform::Buttons::YesNo);
    EXPECT_EQ(saves.count(), 0);
    EXPECT_EQ(surface().text(), QString());
    EXPECT_FALSE(editor->bDcEdt());
}

TEST_F(DispatchTest, CutAndClearMarkTheDocumentChanged) {
    editor->SetText(QStringLiteral("消す文字"));
    surface().select(0, 2);
    editor->rtAct(20);
    EXPECT_EQ(surface().text(), QStringLiteral("文字"));
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(DispatchTest, Zoom) {
    platform::TextView *view = editor->view();
    editor->rtAct(86, QStringLiteral("縮小"));
    EXPECT_EQ(view->zoom(), 80);
    editor->rtAct(86, QStringLiteral("拡大"));
    EXPECT_EQ(view->zoom(), 100);
    for (const char *ignored : {"1000", "10", "0", "abc"}) {
        editor->rtAct(86, QString::fromLatin1(ignored));
        EXPECT_EQ(view->zoom(), 100) << ignored;
    }
    editor->rtAct(86, QStringLiteral("150"));
    EXPECT_EQ(view->zoom(), 150);
}

TEST_F(DispatchTest, PasteModeIsOneChoiceOfTwo) {
    ContextMenu &menu = editor->contextMenu();
    auto exactlyOne = [&](bool plain) {
        EXPECT_EQ(editor->values().plainPaste, plain);
        EXPECT_EQ(menu.plainPasteChecked(), plain);
        EXPECT_EQ(menu.richPasteChecked(), !plain);
    };
    for (int argument : {1, 0, 3, 2}) {
        editor->rtAct(72, argument);
        exactlyOne(argument % 2 == 1);
    }
    // Choosing in the menu: the other mark goes, and a second click keeps the choice.
    QAction *plain = menu.action(QStringLiteral("ﾃｷｽﾄ(書式無し)で貼付"));
    QAction *rich = menu.action(QStringLiteral("ﾘｯﾁﾃｷｽﾄ(書式付)で貼付"));
    ASSERT_TRUE(plain && rich);
    for (QAction *entry : {plain, plain, rich, rich}) {
        entry->trigger();
        editor->actOnMenu();
        exactlyOne(entry == plain);
    }
}

TEST_F(DispatchTest, DiaryToolbarNeverShowsNewAndOpen) {
    ToolBarBand *bar = editor->tlBar();
    auto check = [&] {
        EXPECT_FALSE(bar->action(QStringLiteral("New"))->isVisible());
        EXPECT_FALSE(bar->action(QStringLiteral("Open"))->isVisible());
        EXPECT_TRUE(bar->action(QStringLiteral("Save"))->isVisible());
    };
    check();
    type(QStringLiteral("本文"));
    editor->refreshToolbar();
    check();
    EXPECT_TRUE(bar->action(QStringLiteral("Save"))->isEnabled());
    EXPECT_TRUE(bar->action(QStringLiteral("Print"))->isEnabled());
    editor->rtAct(2);
    check();
    EXPECT_FALSE(bar->action(QStringLiteral("Save"))->isEnabled());
    EXPECT_FALSE(bar->action(QStringLiteral("Find"))->isEnabled());

    uTxm files;
    files.cOn(0, 1);
    EXPECT_TRUE(files.tlBar()->action(QStringLiteral("Open"))->isVisible());
    EXPECT_TRUE(files.tlBar()->action(QStringLiteral("New"))->isVisible());
    EXPECT_FALSE(files.tlBar()->action(QStringLiteral("New"))->isEnabled());
}

TEST_F(DispatchTest, RepeatEntryAfterFont) {
    ContextMenu &menu = editor->contextMenu();
    QAction *font = menu.action(QStringLiteral("ﾌｫﾝﾄ(&F)"));
    ASSERT_TRUE(font);
    formatDialogs->confirm = false;
    font->trigger();
    editor->actOnMenu();
    EXPECT_EQ(formatDialogs->fontCalls, 1);
    EXPECT_FALSE(editor->bDcEdt()); // cancelled: no change
    EXPECT_EQ(menu.repeatAction()->text(),
              QStringLiteral("繰り返し(&R)") + QChar(0x3000) + QStringLiteral("ﾌｫﾝﾄ"));
    menu.repeatAction()->trigger();
    editor->actOnMenu();
    EXPECT_EQ(formatDialogs->fontCalls, 2);
    EXPECT_EQ(menu.repeatAction()->text(),
              QStringLiteral("繰り返し(&R)") + QChar(0x3000) + QStringLiteral("ﾌｫﾝﾄ"));

    menu.action(QStringLiteral("元に戻す(&U)"))->trigger();
    editor->actOnMenu();
    EXPECT_EQ(menu.repeatAction()->text(), QStringLiteral("やり直し(&R)"));
}

TEST_F(DispatchTest, FontDialogAppliesWhenConfirmed) {
    editor->SetText(QStringLiteral("文字"));
    surface().select(0, 2);
    formatDialogs->setFont = true;
    formatDialogs->font =
        FontValues{QStringLiteral("IPAMincho"), 16, true, true, false, true, 0x0000ff};
    editor->rtAct(61);
    EXPECT_TRUE(editor->bDcEdt());
    surface().select(0, 2);
    const FontValues now = readFont(surface());
    EXPECT_EQ(now.name, QStringLiteral("IPAMincho"));
    EXPECT_EQ(now.size, 16);
    EXPECT_TRUE(now.bold && now.italic && now.strikeout && !now.underline);
    EXPECT_EQ(now.color, 0x0000ff);
}

TEST_F(DispatchTest, TextColourDialog) {
    editor->SetText(QStringLiteral("色"));
    surface().select(0, 1);
    dialogs->colors.enqueue(QColor());
    editor->rtAct(62);
    EXPECT_FALSE(editor->bDcEdt());
    dialogs->colors.enqueue(QColor(0, 128, 0));
    editor->rtAct(62);
    EXPECT_TRUE(editor->bDcEdt());
    ASSERT_GE(dialogs->shown.size(), 2);
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("文字色"));
    surface().select(0, 1);
    EXPECT_EQ(surface().textColor(), 0x008000);
}

TEST_F(DispatchTest, SettingsPagesRoundTrip) {
    entryPoints->pageAnswer = QStringLiteral("ON\t上書");
    editor->rtAct(68);
    EXPECT_EQ(entryPoints->pages.last(), QStringLiteral("IM=OFF\t確認"));
    EXPECT_EQ(editor->values().ime, QStringLiteral("ON"));
    EXPECT_EQ(editor->values().updateMode, QStringLiteral("上書"));
    entryPoints->pageAnswer = QStringLiteral("OFF");
    editor->rtAct(68);
    EXPECT_EQ(editor->values().ime, QStringLiteral("ON"));

    entryPoints->pageAnswer = QStringLiteral("32");
    editor->rtAct(67);
    EXPECT_EQ(entryPoints->pages.last(), QStringLiteral("TF=20"));
    EXPECT_EQ(editor->values().textFlow, 3);
    EXPECT_EQ(editor->values().colourReduction, 2);
}

TEST_F(DispatchTest, BarToggles) {
    editor->rtAct(27, -8);
    for (int band = 0; band < 4; ++band)
        EXPECT_FALSE(editor->clBar()->bandVisible(band));
    EXPECT_FALSE(editor->rulersShown());
    editor->rtAct(27, 7);
    for (int band = 0; band < 4; ++band)
        EXPECT_TRUE(editor->clBar()->bandVisible(band));
    EXPECT_TRUE(editor->rulersShown());
    EXPECT_TRUE(editor->contextMenu().barChecked(4));
    editor->rtAct(27, -4);
    EXPECT_FALSE(editor->clBar()->bandVisible(3));
    EXPECT_FALSE(editor->contextMenu().barChecked(3));
}

TEST_F(DispatchTest, TableCommands) {
    ASSERT_GT(surface().insertTable(2, 2), 0);
    const int table = surface().tableIds().value(0);
    surface().setSelStart(surface().cellStart(table, 1, 1));
    editor->rtAct(80, QStringLiteral("右"));
    EXPECT_EQ(surface().tableColumns(table), 3);
    EXPECT_TRUE(editor->bDcEdt());
    editor->rtAct(80, QStringLiteral("下"));
    EXPECT_EQ(surface().tableRows(table), 3);
    editor->rtAct(82, QStringLiteral("行"));
    EXPECT_EQ(surface().tableRows(table), 2);
    editor->setBDcEdt(false);
    surface().setSelStart(surface().cellStart(table, 1, 1));
    editor->rtAct(85, QStringLiteral("ｾﾙ"));
    EXPECT_TRUE(editor->bDcEdt());
    TableValues values;
    surface().setSelStart(surface().cellStart(table, 1, 1));
    ASSERT_TRUE(readTable(surface(), values));
    EXPECT_EQ(values.cellBackground, 0x0000ff);
    const bool grid = surface().gridLines();
    editor->rtAct(84);
    EXPECT_NE(surface().gridLines(), grid);
}

TEST_F(DispatchTest, TextFrameCommandsNeedAFrame) {
    editor->SetText(QStringLiteral("本文"));
    editor->rtActTL(4);
    EXPECT_EQ(surface().text(), QStringLiteral("本文"));
    EXPECT_FALSE(editor->bDcEdt());
}

TEST(EditorIcons, EveryKeyShowsTheIconDrawnForIt) {
    for (const ToolbarKey &key : toolbarKeys())
        EXPECT_TRUE(toolIconKeys().contains(QString::fromLatin1(key.key))) << key.key;
    // The program shows the pictures the build drew: none missing, none left from older drawings.
    for (const QString &key : toolIconKeys()) {
        const QIcon icon = toolIcon(key);
        ASSERT_FALSE(icon.isNull()) << key.toStdString();
        EXPECT_EQ(icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32),
                  drawToolIcon(key).convertToFormat(QImage::Format_ARGB32))
            << key.toStdString();
    }
}

TEST_F(DispatchTest, TextFramesAreEmptied) {
    editor->SetText(QStringLiteral("本文"));
    surface().setSelStart(2);
    const int first = surface().insertTextFrame(2000, 1000, {0, 0, 0, 0});
    const int second = surface().insertTextFrame(2000, 1000, {0, 0, 0, 0});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    for (int id : {first, second}) {
        ASSERT_TRUE(surface().selectTextFrame(id));
        surface().setSelText(QStringLiteral("枠の中"));
    }
    bool inHeading = true, inFrame = false;
    editor->ChkJbMn3(inHeading, inFrame);
    EXPECT_TRUE(inFrame);
    EXPECT_FALSE(inHeading);
    surface().selectTextFrame(0);
    editor->setBDcEdt(false);

    editor->setCurrentTextFrame(first);
    editor->rtActTL(4);
    EXPECT_TRUE(editor->bDcEdt());
    ASSERT_TRUE(surface().selectTextFrame(first));
    EXPECT_EQ(surface().text(), QString());
    ASSERT_TRUE(surface().selectTextFrame(second));
    EXPECT_EQ(surface().text(), QStringLiteral("枠の中"));
    surface().selectTextFrame(0);

    editor->rtActTL(7);
    ASSERT_TRUE(surface().selectTextFrame(second));
    EXPECT_EQ(surface().text(), QString());
    surface().selectTextFrame(0);
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("本文")));
}

namespace editortest {

// Until the paste part is installed, command 15 pastes through the surface, keeping fields.
TEST_F(EditorTest, PasteWithoutThePastePartKeepsFieldsAndMarksTheDocumentChanged) {
    type(QStringLiteral("前 "));
    const int id = surface().insertField(QStringLiteral("公園"));
    ASSERT_GT(id, 0);
    surface().setFieldData(QStringLiteral("https://example.test/"), id);
    surface().select(surface().fieldStart(id) - 1, 2);
    ASSERT_TRUE(surface().clipboard(platform::TextSurface::ClipCopy));
    surface().setSelStart(surface().textLength());
    editor->rtAct(15, QString());
    EXPECT_EQ(surface().text(), QStringLiteral("前 公園公園"));
    EXPECT_EQ(surface().fieldIds().size(), 2);
    const int pasted = surface().nextField(id);
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(surface().fieldData(pasted), QStringLiteral("https://example.test/"));
    EXPECT_TRUE(editor->bDcEdt());
}

} // namespace editortest
