#include "editor/commands.h"
#include "files/files_fixture.h"

using namespace editor;
using editortest::FilesTest;

TEST_F(FilesTest, TextImportTakesOnlyThePlainText) {
    type(QStringLiteral("[]"));
    editor->setBDcEdt(false);
    surface().setSelStart(1);
    editor->rtAct(cmd::InsertTextFile); // cancelled
    EXPECT_EQ(surface().text(), QStringLiteral("[]"));
    EXPECT_FALSE(editor->bDcEdt());
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("ﾃｷｽﾄの挿入"));
    EXPECT_EQ(dialogs->shown.at(0).request.filter,
              QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|ﾜｰﾄﾞ文書 97-2003(*.doc)|*.doc|"
                             "ﾜｰﾄﾞ文書 (*.docx)|*.docx|ﾘｯﾁﾃｷｽﾄ (*.rtf)|*.rtf|"
                             "HTML Document(*.htm;*.html)|*.htm;*.html"));
    EXPECT_TRUE(dialogs->shown.at(0).request.mustExist);

    // Capitals in the extension still mean plain text; paragraphs become line breaks.
    answerFile(write(QStringLiteral("A.TXT"), "一行目\n二行目"));
    editor->rtAct(cmd::InsertTextFile);
    EXPECT_EQ(surface().text(), QStringLiteral("[一行目") + QChar(11) + QStringLiteral("二行目]"));
    EXPECT_TRUE(editor->bDcEdt());

    // A Word document gives its words, not its table or picture.
    platform::TextSurface word;
    word.setSelText(QStringLiteral("表の前\n"));
    const int table = word.insertTable(1, 2);
    word.setCellText(table, 1, 1, QStringLiteral("左"));
    word.setCellText(table, 1, 2, QStringLiteral("右"));
    const QString docx = file(QStringLiteral("w.docx"));
    ASSERT_TRUE(word.saveFile(docx, platform::TextSurface::Docx));
    editor->SetText(QString());
    answerFile(docx);
    editor->rtAct(cmd::InsertTextFile);
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("表の前") + QChar(11)));
    EXPECT_TRUE(surface().text().contains(QStringLiteral("左")));
    EXPECT_TRUE(surface().tableIds().isEmpty());

    // An unknown extension inserts nothing but counts as done; a damaged file is reported.
    editor->SetText(QStringLiteral("x"));
    answerFile(write(QStringLiteral("notes.md"), "# heading"));
    editor->rtAct(cmd::InsertTextFile);
    EXPECT_EQ(surface().text(), QStringLiteral("x"));
    EXPECT_TRUE(editor->bDcEdt());
    const QString broken = write(QStringLiteral("broken.docx"), "not a package");
    answerFile(broken);
    editor->rtAct(cmd::InsertTextFile);
    EXPECT_EQ(dialogs->messages().last(),
              QStringLiteral("ﾌｧｲﾙ: ") + broken + QStringLiteral(" をｲﾝﾎﾟｰﾄできません｡"));
    EXPECT_EQ(surface().text(), QStringLiteral("x"));
}
