#include "editor/commands.h"
#include "editor/files/load_file.h"
#include "editor/files/save_file.h"
#include "editor/files/write_file.h"
#include "files_fixture.h"
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/view/pdf_writer.h"
#include "platform/view/text_view.h"

#include <QDateTime>
#include <QFileInfo>

#include <sys/stat.h>

using namespace editor;
using editortest::FilesTest;
using platform::Answer;
using platform::TextSurface;

namespace {

ino_t inodeOf(const QString &path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// Bytes read by this process so far (Linux).
qint64 bytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

} // namespace

TEST_F(FilesTest, OpenByNameChoosesTheFormatAndReportsWhatCannotBeRead) {
    const QString page =
        write(QStringLiteral("a.HTML"), "<html><body><p>ウェブの<b>頁</b></p></body></html>");
    editor->SetText(QStringLiteral("old"));
    editor->rtAct(cmd::OpenByName, page);
    EXPECT_EQ(surface().text(), QStringLiteral("ウェブの頁"));
    EXPECT_EQ(editor->currentFile(), page);
    EXPECT_FALSE(editor->bDcEdt());

    // Missing files and other extensions are ignored without a word.
    editor->rtAct(cmd::OpenByName, file(QStringLiteral("none.txt")));
    editor->rtAct(cmd::OpenByName, write(QStringLiteral("x.xyz"), "text"));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("ウェブの頁"));

    const QString broken = write(QStringLiteral("broken.docx"), "PK\x03\x04 not a package");
    editor->rtAct(cmd::OpenByName, broken);
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("ﾌｧｲﾙ: ") + broken +
                                               QStringLiteral(" を読み込めません｡")});
    EXPECT_EQ(editor->currentFile(), page);
    EXPECT_FALSE(editor->busy());
}

TEST_F(FilesTest, InsertingAFileLeavesLineFeedsAroundItAndKeepsTheOwnFile) {
    type(QStringLiteral("abcd"));
    editor->setCurrentFile(file(QStringLiteral("own.docx")));
    surface().setSelStart(2);
    answerFile(write(QStringLiteral("part.txt"), "XY"));
    editor->rtAct(cmd::InsertDocument);
    EXPECT_EQ(surface().text(), QStringLiteral("ab\nXY\n\ncd"));
    // A later save must not write the whole document over the inserted file.
    EXPECT_EQ(editor->currentFile(), file(QStringLiteral("own.docx")));
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("文書の読み込み"));
    EXPECT_EQ(dialogs->shown.at(0).request.filter,
              QStringLiteral("ﾜｰﾄﾞ文書 97-2003(*.doc)|*.doc|ﾜｰﾄﾞ文書 (*.docx)|*.docx|"
                             "ﾘｯﾁﾃｷｽﾄ (*.rtf)|*.rtf|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|"
                             "HTML Document(*.htm;*.html)|*.htm;*.html"));
}

TEST_F(FilesTest, LoadingIntoEveryTextFrameReadsTheFileOnce) {
    const int first = surface().insertTextFrame(3000, 1000, {0, 0, 0, 0});
    surface().setSelStart(surface().textLength());
    const int second = surface().insertTextFrame(3000, 1000, {0, 0, 0, 0});
    surface().setSelStart(surface().textLength());
    const int third = surface().insertTextFrame(3000, 1000, {0, 0, 0, 0});
    QByteArray text;
    for (int i = 0; i < 4000; ++i)
        text += "line of the letter " + QByteArray::number(i) + "\n";
    const QString path = write(QStringLiteral("letter.txt"), text);

    editor->setAllTextFramesSelected(true);
    const qint64 before = bytesRead();
    editor->rtAct(cmd::OpenByName, path);
    const qint64 read = bytesRead() - before;
    editor->setAllTextFramesSelected(false);
    EXPECT_LT(read, 2 * text.size());
    for (int id : {first, second, third}) {
        ASSERT_TRUE(surface().selectTextFrame(id));
        EXPECT_TRUE(surface().text().startsWith(QStringLiteral("line of the letter 0\n")));
        EXPECT_TRUE(surface().text().contains(QStringLiteral("line of the letter 3999")));
    }
}

TEST_F(FilesTest, SaveWritesTheFormatOfItsExtensionByReplacingTheFile) {
    editor->cTyp(1);
    type(QStringLiteral("日記の本文\n二行目"));
    const QString note = write(QStringLiteral("note.txt"), "old text");
    const ino_t before = inodeOf(note);
    editor->setCurrentFile(note);
    editor->rtAct(cmd::Save);
    EXPECT_EQ(QString::fromUtf8(read(note)), QStringLiteral("日記の本文\n二行目"));
    EXPECT_NE(inodeOf(note), before);
    EXPECT_FALSE(editor->bDcEdt());

    // Every format goes through a file beside the old one that then takes its name.
    for (const QString &name :
         {QStringLiteral("n.docx"), QStringLiteral("n.htm"), QStringLiteral("n.pdf")}) {
        const QString path = write(name, "old");
        // Held open, the old file keeps its inode: a file written in place would change under
        // the handle, a replaced one does not.
        QFile held(path);
        ASSERT_TRUE(held.open(QIODevice::ReadOnly));
        const ino_t old = inodeOf(path);
        QVariant target = path;
        editor->txSaveAs(target, true);
        EXPECT_NE(inodeOf(path), old) << name.toStdString();
        EXPECT_EQ(held.readAll(), QByteArray("old")) << name.toStdString();
        EXPECT_NE(read(path), QByteArray("old")) << name.toStdString();
    }
    EXPECT_TRUE(read(file(QStringLiteral("n.docx"))).startsWith("PK"));
    EXPECT_TRUE(read(file(QStringLiteral("n.htm"))).contains("<!DOCTYPE html PUBLIC"));
    EXPECT_TRUE(read(file(QStringLiteral("n.pdf"))).startsWith("%PDF"));
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(FilesTest, SaveAsRefusesUnknownFormatsAndKeepsTheDocumentChanged) {
    type(QStringLiteral("text"));
    QSignalSpy saved(editor.get(), &uTxm::FileSaved);
    const QString odt = file(QStringLiteral("x.odt"));
    QVariant target = odt;
    editor->txSaveAs(target, false);
    EXPECT_FALSE(QFile::exists(odt));
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(dialogs->messages(), QStringList{files::unsupportedMessage(odt)});
    EXPECT_EQ(dialogs->messages().at(0), QStringLiteral("ﾌｧｲﾙ: ") + odt +
                                             QStringLiteral(" の形式 (.odt) には保存できません｡"));
}

TEST_F(FilesTest, SaveAsDialogAndTheQuestionToOpenTheWrittenPage) {
    type(QStringLiteral("表題\n本文"));
    QVariant none;
    editor->txSaveAs(none, false); // cancelled
    ASSERT_EQ(dialogs->shown.size(), 1);
    const platform::FileRequest &request = dialogs->shown.at(0).request;
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("文書の保存"));
    EXPECT_EQ(request.filter,
              QStringLiteral("ﾜｰﾄﾞ文書 97-2003(*.doc)|*.doc|ﾜｰﾄﾞ文書 (*.docx)|*.docx|"
                             "ﾘｯﾁﾃｷｽﾄ (*.rtf)|*.rtf|HTML (*.htm;*.html)|*.htm;*.html|"
                             "ｱｸﾛﾊﾞｯﾄPDF(*.pdf)|*.pdf|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt"));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.folder, root.path() + u'/');
    EXPECT_TRUE(editor->bDcEdt());

    const QString page = file(QStringLiteral("out/page.html"));
    answerFile(page);
    dialogs->answers.enqueue(Answer::Yes);
    QSignalSpy saved(editor.get(), &uTxm::FileSaved);
    QVariant target;
    editor->txSaveAs(target, false);
    EXPECT_EQ(target.toString(), page);
    ASSERT_EQ(saved.count(), 1);
    EXPECT_TRUE(read(page).contains("<title>表題</title>"));
    EXPECT_EQ(dialogs->messages().last(), page + QStringLiteral(" に出力しました") + QChar(0x3000) +
                                              QStringLiteral("起動しますか"));
    EXPECT_EQ(shell->opened, QStringList{page});
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(editor->lastFolder(), file(QStringLiteral("out")));

    // The next dialog proposes the last name without its extension.
    editor->txSaveAs(none, false);
    EXPECT_EQ(dialogs->shown.last().request.fileName, QStringLiteral("page"));
}

TEST_F(FilesTest, PdfIsWrittenInPageViewAndTheModeComesBack) {
    type(QStringLiteral("printed"));
    platform::TextView *view = editor->view();
    view->setViewMode(platform::TextView::NormalView);
    int modeWhileWriting = -1;
    TextSurface::setPdfWriter([&](const platform::TextContent &, const QString &path) {
        modeWhileWriting = view->viewMode();
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write("%PDF-1.4") > 0;
    });
    QVariant target = file(QStringLiteral("p.pdf"));
    editor->txSaveAs(target, true);
    EXPECT_EQ(modeWhileWriting, platform::TextView::PageView);
    EXPECT_EQ(view->viewMode(), platform::TextView::NormalView);

    view->setViewMode(platform::TextView::PageView);
    editor->txSaveAs(target, true);
    EXPECT_EQ(view->viewMode(), platform::TextView::PageView);
    platform::installPdfWriter();
}

TEST_F(FilesTest, WebViewWritesTheWorkPageAndKeepsTheEntryUnsaved) {
    type(QStringLiteral("見出し\n本文"));
    editor->rtAct(cmd::WebView);
    const QString page = settings::appValues().wrkDir + QStringLiteral("$Wrk.htm");
    EXPECT_TRUE(read(page).contains("本文"));
    EXPECT_EQ(shell->opened, QStringList{page});
    // Viewing stores nothing: the entry must still be offered for saving.
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(FilesTest, TheWorkDocumentIsProposedOnlyInItsMonth) {
    const QString work = write(QStringLiteral("Wrk/Temp.Doc"), "x");
    editor->rtAct(cmd::OpenWorkFile);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).request.fileName, work);
    EXPECT_EQ(dialogs->shown.at(0).request.folder, settings::appValues().wrkDir);
    EXPECT_EQ(dialogs->shown.at(0).request.filterIndex, 1);

    QFile stale(work);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addMonths(-1),
                                  QFileDevice::FileModificationTime));
    stale.close();
    EXPECT_TRUE(files::proposedWorkFile(settings::appValues().wrkDir).isEmpty());
    editor->setDialogFileName(file(QStringLiteral("letter.rtf")));
    editor->rtAct(cmd::OpenWorkFile);
    EXPECT_EQ(dialogs->shown.at(1).request.fileName, file(QStringLiteral("letter.rtf")));
    EXPECT_EQ(dialogs->shown.at(1).request.filterIndex, 3);
    editor->rtAct(cmd::Open); // command 1 never proposes
    EXPECT_EQ(dialogs->shown.at(2).request.filterIndex, 1);
}

TEST_F(FilesTest, SaveProposesTheFirstLineAndDiarySavesDropEmptyFields) {
    EXPECT_EQ(files::proposedName(QStringLiteral("題名") + QChar(11) + QStringLiteral("副\n本文")),
              QStringLiteral("題名"));
    EXPECT_EQ(files::proposedName(QStringLiteral("one line")), QString());

    type(QStringLiteral("a"));
    const int empty = surface().insertField(QStringLiteral("x"));
    surface().setFieldText(QString(), empty);
    const int kept = surface().insertField(QStringLiteral("link"));
    QSignalSpy requested(editor.get(), &uTxm::SaveRequested);
    editor->rtAct(cmd::Save);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(surface().fieldIds(), QList<int>{kept});

    editor->SetText(QStringLiteral("題名\n本文"));
    editor->cTyp(1);
    type(QStringLiteral("。"));
    editor->rtAct(cmd::Save); // no file yet: asks, and is cancelled
    ASSERT_FALSE(dialogs->shown.isEmpty());
    EXPECT_EQ(dialogs->shown.last().text, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(dialogs->shown.last().request.fileName, QStringLiteral("題名.doc"));
    EXPECT_EQ(dialogs->shown.last().request.filter,
              QStringLiteral("ﾜｰﾄﾞ文書 97-2003(*.doc)|*.doc"));
    EXPECT_TRUE(editor->bDcEdt());
}

// Against the real LibreOffice: a Word 97-2003 file of save-as, and an entry stored in that
// format coming back through SetData.
TEST_F(FilesTest, WordBinaryFilesGoThroughLibreOffice) {
    if (platform::legacydoc::converterProgram().isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    editor->SetText(QStringLiteral("報告書\n本文です"));
    type(QStringLiteral("。"));
    QVariant target = file(QStringLiteral("v1.2/report"));
    editor->txSaveAs(target, true);
    const QString report = file(QStringLiteral("v1.2/report.doc"));
    EXPECT_EQ(target.toString(), report);
    const QByteArray legacy = read(report);
    EXPECT_TRUE(platform::legacydoc::isLegacyDocument(legacy));
    EXPECT_FALSE(editor->bDcEdt());

    bool ok = false;
    editor->SetData(legacy, ok, true);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("報告書\n本文です")));
}

// The work file of a diary save goes where the host's nTmpNo says; without LibreOffice the user
// hears that it could not be written, and the entry is still handed to the host.
TEST_F(FilesTest, WorkFilesFollowTheHostsNumber) {
    platform::legacydoc::setConverterProgram(file(QStringLiteral("no-soffice")));
    QSignalSpy requested(editor.get(), &uTxm::SaveRequested);
    type(QStringLiteral("entry"));
    editor->rtAct(cmd::Save); // switch off: no work file
    EXPECT_TRUE(dialogs->messages().isEmpty());
    editor->rtAct(cmd::WorkFileSwitch, true);
    editor->setProperty("nTmpNo", 7);
    editor->rtAct(cmd::Save);
    editor->setProperty("nTmpNo", 0);
    editor->rtAct(cmd::Save);
    platform::legacydoc::setConverterProgram({});
    const QString numbered = root.path() + QStringLiteral("/Dbs/_doc/0007.doc");
    const QString temp = settings::appValues().wrkDir + QStringLiteral("temp.doc");
    const QString needed =
        QStringLiteral("\nﾜｰﾄﾞ文書 97-2003(*.doc) の保存には LibreOffice が必要です｡");
    EXPECT_EQ(
        dialogs->messages(),
        (QStringList{
            QStringLiteral("ﾌｧｲﾙ: ") + numbered + QStringLiteral(" に保存できません｡") + needed,
            QStringLiteral("ﾌｧｲﾙ: ") + temp + QStringLiteral(" に保存できません｡") + needed}));
    EXPECT_TRUE(QFileInfo(root.path() + QStringLiteral("/Dbs/_doc")).isDir());
    EXPECT_EQ(requested.count(), 3);
}
