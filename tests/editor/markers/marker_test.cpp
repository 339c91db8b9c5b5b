// Links, tags, tooltips and data fields through the editor's commands: made, read back,
// edited, removed and recoloured, kept by the stored format and by copy and paste.
#include "editor/link_opening.h"
#include "editor/markers/marker_commands.h"
#include "editor/markers/marker_make.h"
#include "editor/markers/marker_read.h"
#include "editor/markers/tooltip_list.h"
#include "marker_fixture.h"
#include "recording_shell.h"
#include "test_images.h"

using namespace editor;
using editortest::MarkerEditorTest;
using platform::TextSurface;

namespace {

const settings::UserStyle &body() {
    static const settings::UserStyleTable table = settings::UserStyleTable::defaults();
    return table.styles[settings::Body];
}

QList<int> fields(const TextSurface &s) {
    return s.fieldIds();
}

class MarkerTest : public MarkerEditorTest {
protected:
    // Format of the first character of the field.
    void selectFieldStart(int id) { surface().select(surface().fieldStart(id) - 1, 1); }
    void tagAnswers(const QString &text, const QString &value) {
        editor->cTyp(-2);
        QObject::connect(editor.get(), &uTxm::TagRequested, editor.get(),
                         [text, value](QString &t, QString &v) {
                             t = text;
                             v = value;
                         });
    }
};

} // namespace

TEST_F(MarkerTest, KindAndValueAreReadFromTheFieldData) {
    type(QStringLiteral("abcdef"));
    const auto field = [this](const QString &data) {
        surface().select(surface().textLength(), 0);
        const int id = surface().insertField(QStringLiteral("x"));
        surface().setFieldData(data, id);
        return id;
    };
    EXPECT_EQ(readMarker(surface(), field(QStringLiteral("tg_12"))).value, QStringLiteral("12"));
    const MarkerInfo intro = readMarker(surface(), field(QStringLiteral("TG_3_Intro")));
    EXPECT_EQ(intro.kind, QStringLiteral("TG"));
    EXPECT_EQ(intro.value, QStringLiteral("Intro"));
    const MarkerInfo anchor = readMarker(surface(), field(QStringLiteral("#TG_12")));
    EXPECT_EQ(anchor.kind, QStringLiteral("LK"));
    EXPECT_EQ(anchor.value, QStringLiteral("#TG_12"));
    const MarkerInfo tip = readMarker(surface(), field(QStringLiteral("TP_京都の名産")));
    EXPECT_EQ(tip.kind, QStringLiteral("TP"));
    EXPECT_EQ(tip.value, QStringLiteral("京都の名産"));
    const MarkerInfo missing = readMarker(surface(), 999);
    EXPECT_TRUE(missing.kind.isEmpty() && missing.value.isEmpty());
}

TEST_F(MarkerTest, LinkIsMadeEditedAndRemovedKeepingOrDroppingItsText) {
    type(QStringLiteral("今日は公園へ\n行った"));
    selectText(QStringLiteral("公園へ\n"));
    const int id = makeLink(QStringLiteral("公園へ\thttps://example.org/park"));
    ASSERT_EQ(fields(surface()), QList<int>{id});
    EXPECT_EQ(entryPoints->pagesOpened, QStringList{QStringLiteral("LK 公園へ")})
        << "the paragraph end is not part of the link";
    EXPECT_EQ(surface().fieldText(id), QStringLiteral("公園へ"));
    EXPECT_EQ(readMarker(surface(), id).kind, QStringLiteral("LK"));
    EXPECT_EQ(readMarker(surface(), id).value, QStringLiteral("https://example.org/park"));
    EXPECT_EQ(surface().fieldLinkKind(id), 1);
    EXPECT_EQ(surface().fieldAttribute(id), kMarkerAttribute);
    EXPECT_TRUE(editor->bDcEdt());
    // Typing goes on in the body style after the link.
    EXPECT_EQ(surface().selStart(), surface().fieldEnd(id));
    EXPECT_FALSE(surface().underline());
    EXPECT_EQ(surface().textColor(), body().textColor);
    selectFieldStart(id);
    EXPECT_EQ(surface().textColor(), 0xff8080);
    EXPECT_TRUE(surface().underline());

    caretIn(QStringLiteral("公園"));
    entryPoints->linkAnswers.enqueue(QStringLiteral("広場\thttps://example.org/square"));
    editor->rtAct(50, 1);
    EXPECT_EQ(entryPoints->pagesOpened.last(),
              QStringLiteral("LK 公園へ\thttps://example.org/park"));
    EXPECT_EQ(surface().fieldText(id), QStringLiteral("広場"));
    EXPECT_EQ(surface().fieldData(id), QStringLiteral("https://example.org/square"));

    caretIn(QStringLiteral("広場"));
    editor->rtAct(50, 2);
    EXPECT_TRUE(fields(surface()).isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("今日は広場\n行った"));
    selectText(QStringLiteral("広場"));
    EXPECT_FALSE(surface().underline());
    EXPECT_EQ(surface().textColor(), body().textColor);

    makeLink(QStringLiteral("広場\thttps://example.org/square"));
    caretIn(QStringLiteral("広場"));
    EXPECT_TRUE(removeMarker(surface(), editor->userStyles(), true));
    EXPECT_EQ(surface().text(), QStringLiteral("今日は\n行った"));
    EXPECT_FALSE(removeMarker(surface(), editor->userStyles(), true)) << "no marker there";
}

TEST_F(MarkerTest, LinkWithoutTargetOrCaptionIsRefusedWithAMessage) {
    type(QStringLiteral("写真"));
    editor->setBDcEdt(false);
    selectText(QStringLiteral("写真"));
    makeLink(QStringLiteral("写真\t  "));
    surface().select(0, 0);
    makeLink(QStringLiteral("\t/home/me/写真"));
    makeLink(QString()); // the page was cancelled
    EXPECT_TRUE(fields(surface()).isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("写真"));
    EXPECT_EQ(dialogs->messages(), (QStringList{QStringLiteral("ﾘﾝｸ先が指定されていません"),
                                                QStringLiteral("ｷｬﾌﾟｼｮﾝが指定されていません")}));
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(linkCommand(*editor, {MarkerEdit, false, 0}), MarkerCancelled) << "no link there";
}

TEST_F(MarkerTest, LinkAroundAPictureWrapsItAndItsRemovalLeavesThePicture) {
    type(QStringLiteral("旅の写真："));
    surface().insertPictureData(testsupport::pngBytes(40, 30, Qt::darkCyan));
    surface().select(5, 1);
    entryPoints->linkAnswers.enqueue(QStringLiteral("\t/home/me/旅/写真.jpg"));
    EXPECT_TRUE(editor->entryPoints().marker(*editor, 50, markerArgument(MarkerNew, true)));
    EXPECT_EQ(entryPoints->pagesOpened.last().left(6), QStringLiteral("LK_OBJ"));
    ASSERT_EQ(fields(surface()).size(), 1);
    const int id = fields(surface()).first();
    EXPECT_EQ(surface().text(), QStringLiteral("旅の写真： ") + QChar(1) + u' ');
    EXPECT_EQ(surface().fieldText(id), QStringLiteral("  "));
    EXPECT_EQ(surface().fieldData(id), QStringLiteral("/home/me/旅/写真.jpg"));

    surface().select(6, 0);
    editor->rtAct(50, 2);
    EXPECT_TRUE(fields(surface()).isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("旅の写真：") + QChar(1));
    EXPECT_EQ(surface().nextObject(0, TextSurface::PictureObject) > 0, true);

    // The object menu copies a neighbouring link onto the picture.
    surface().select(0, 2);
    const int neighbour = makeLink(QStringLiteral("旅の\thttps://example.org/trip"));
    surface().select(surface().textLength() - 1, 1);
    EXPECT_TRUE(
        editor->entryPoints().marker(*editor, 50, markerArgument(MarkerNew, true, neighbour)));
    ASSERT_EQ(fields(surface()).size(), 2);
    EXPECT_EQ(surface().fieldData(fields(surface()).last()),
              QStringLiteral("https://example.org/trip"));
}

TEST_F(MarkerTest, TagIsMadeEditedAndRefusedOnlyAsTheHostAnswers) {
    type(QStringLiteral("前回の旅"));
    selectText(QStringLiteral("前回"));
    editor->rtAct(51);
    EXPECT_TRUE(fields(surface()).isEmpty()) << "a diary editor makes no tags";

    tagAnswers(QStringLiteral("前回"), QStringLiteral("12"));
    selectText(QStringLiteral("前回"));
    editor->rtAct(51);
    ASSERT_EQ(fields(surface()).size(), 1);
    const int id = fields(surface()).first();
    EXPECT_EQ(surface().fieldData(id), QStringLiteral("TG_12"));
    EXPECT_EQ(surface().fieldLinkKind(id), 2);
    EXPECT_EQ(readMarker(surface(), id).value, QStringLiteral("12"));
    selectFieldStart(id);
    EXPECT_EQ(surface().textColor(), 0x808000);

    uTxm other;
    other.cOn(0, -2);
    QObject::connect(&other, &uTxm::TagRequested, &other, [](QString &, QString &v) {
        EXPECT_EQ(v, QString()) << "nothing prefilled for a new tag";
        v = QStringLiteral("abc");
    });
    other.surface().setSelText(QStringLiteral("旅"));
    other.surface().select(0, 1);
    EXPECT_EQ(tagCommand(other, {}), MarkerCancelled) << "a value that reads as 0";
    EXPECT_TRUE(other.surface().fieldIds().isEmpty());
}

TEST_F(MarkerTest, TooltipsAreMadeEditedAndListedForTheHtmlWriter) {
    EXPECT_TRUE(tooltipList(surface()).isEmpty());
    type(QStringLiteral("抹茶と桜餅"));
    selectText(QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都の名産"));
    editor->rtAct(53);
    selectText(QStringLiteral("桜餅"));
    dialogs->inputs.enqueue(QStringLiteral("春の菓子"));
    editor->rtAct(53);
    ASSERT_EQ(fields(surface()).size(), 2);
    const int first = fields(surface()).first();
    EXPECT_EQ(surface().fieldLinkKind(first), 2);
    selectFieldStart(first);
    EXPECT_EQ(surface().textColor(), 0x404080);
    EXPECT_EQ(tooltipList(surface()), QStringLiteral("抹茶\t京都の名産\r桜餅\t春の菓子\r"));

    caretIn(QStringLiteral("桜餅"));
    dialogs->inputs.enqueue(QStringLiteral("道明寺"));
    editor->rtAct(53, 1);
    EXPECT_EQ(dialogs->shown.last().kind, QStringLiteral("input"));
    EXPECT_EQ(tooltipList(surface()), QStringLiteral("抹茶\t京都の名産\r桜餅\t道明寺\r"));
    caretIn(QStringLiteral("抹茶"));
    editor->rtAct(53, 2);
    EXPECT_EQ(tooltipList(surface()), QStringLiteral("桜餅\t道明寺\r"));

    surface().select(0, 0);
    editor->rtAct(53);
    EXPECT_EQ(dialogs->messages().last(), QStringLiteral("ﾂｰﾙﾁｯﾌﾟを付ける文字を選択して下さい"));
}

TEST_F(MarkerTest, DataFieldRoundTripsTheAtSign) {
    type(QStringLiteral("氏名："));
    editor->rtAct(56, 1);
    ASSERT_EQ(fields(surface()).size(), 1);
    const int id = fields(surface()).first();
    EXPECT_EQ(surface().text(), QStringLiteral("氏名：[FD]"));
    EXPECT_EQ(surface().fieldData(id), QStringLiteral("@"));
    EXPECT_EQ(surface().fieldLinkKind(id), 1);
    EXPECT_EQ(surface().fieldAttribute(id), kMarkerAttribute);
    caretIn(QStringLiteral("FD"));
    editor->rtAct(56, 0);
    EXPECT_EQ(surface().text(), QStringLiteral("氏名：@"));
    EXPECT_TRUE(fields(surface()).isEmpty());

    // A hyperlink is not a data field: it keeps its text.
    selectText(QStringLiteral("氏名"));
    makeLink(QStringLiteral("氏名\thttps://example.org"));
    caretIn(QStringLiteral("氏名"));
    EXPECT_FALSE(dataFieldCommand(surface(), false));
    EXPECT_EQ(surface().text(), QStringLiteral("氏名：@"));
}

TEST_F(MarkerTest, TidyRecoloursEveryMarkerAndStyleRestoresThoseOfItsRange) {
    tagAnswers(QStringLiteral("前回"), QStringLiteral("7"));
    type(QStringLiteral("前回 案内 抹茶"));
    selectText(QStringLiteral("前回"));
    editor->rtAct(51);
    selectText(QStringLiteral("案内"));
    makeLink(QStringLiteral("案内\thttps://example.org"));
    selectText(QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都"));
    editor->rtAct(53);
    surface().select(0, -1);
    surface().setTextColor(0x0000ff);
    surface().setBold(true);
    editor->rtAct(24);
    const QList<int> ids = fields(surface());
    ASSERT_EQ(ids.size(), 3);
    const int colours[] = {0x808000, 0xff8080, 0x404080};
    for (int i = 0; i < 3; ++i) {
        selectFieldStart(ids.at(i));
        EXPECT_EQ(surface().textColor(), colours[i]) << i;
        EXPECT_FALSE(surface().bold()) << i;
        EXPECT_TRUE(surface().underline()) << i;
        EXPECT_EQ(surface().fontName(), body().fontName) << i;
    }
}

TEST_F(MarkerTest, MarkersSurviveTheStoredFormatAndCopyAndPaste) {
    tagAnswers(QStringLiteral("前回"), QStringLiteral("3_Intro"));
    type(QStringLiteral("前回 案内 抹茶 "));
    selectText(QStringLiteral("前回"));
    editor->rtAct(51);
    selectText(QStringLiteral("案内"));
    makeLink(QStringLiteral("案内\t#TG_3_Intro"));
    selectText(QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都"));
    editor->rtAct(53);
    surface().select(surface().textLength(), 0);
    editor->rtAct(56, 1);
    const auto markers = [](const TextSurface &s) {
        QStringList out;
        for (int id : s.fieldIds())
            out << s.fieldText(id) + u'|' + s.fieldData(id) + u'|' +
                       QString::number(s.fieldLinkKind(id)) + u'|' +
                       QString::number(s.fieldAttribute(id));
        return out;
    };
    const QStringList made = markers(surface());
    ASSERT_EQ(made.size(), 4);

    QByteArray stored;
    QString plain, title;
    bool ok = false;
    editor->GetData(stored, plain, title, ok);
    ASSERT_TRUE(ok);
    uTxm reader;
    reader.cOn(0, 0);
    reader.SetData(stored, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(markers(reader.surface()), made);

    surface().select(0, -1);
    ASSERT_TRUE(surface().clipboard(TextSurface::ClipCopy));
    surface().select(surface().textLength(), 0);
    ASSERT_TRUE(surface().clipboard(TextSurface::ClipPaste));
    const QStringList twice = markers(surface());
    ASSERT_EQ(twice.size(), 8);
    EXPECT_EQ(twice.mid(4), made);
}

TEST_F(MarkerTest, ClickedLinkToALocalPathOpensOnlyThroughTheShell) {
    testsupport::RecordingShellGuard shell;
    QObject::connect(
        editor.get(), &uTxm::LinkClicked, editor.get(),
        [](const QString &, const QString &, const QString &target) { openLinkTarget(target); });
    type(QStringLiteral("写真 台本"));
    selectText(QStringLiteral("写真"));
    const int photo = makeLink(QStringLiteral("写真\t/home/me/旅/写真 1.jpg; rm -rf ~"));
    selectText(QStringLiteral("台本"));
    const int script = makeLink(QStringLiteral("台本\t/home/me/bin/run.sh"));
    dialogs->answers.enqueue(platform::Answer::Yes);
    surface().activateField(photo);
    surface().activateField(script);
    EXPECT_TRUE(dialogs->messages().last().startsWith(QStringLiteral("プログラムはリンクから")));
    // The path goes to the desktop as one name, never through a command line.
    EXPECT_EQ(shell->opened, QStringList{QStringLiteral("/home/me/旅/写真 1.jpg; rm -rf ~")});
    EXPECT_TRUE(shell->started.isEmpty());
}
