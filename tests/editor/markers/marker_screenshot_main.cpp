// Saves the documentation pictures of the markers: an entry with a link, a tag, a link to the
// tag, a tooltip, a data field and a link on a picture, and the numbered preview of a form.
// Arguments: the folder for the PNG files.
#include "editor/interface.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "preview/editor_entry.h"
#include "preview/sbtvw.h"
#include "scripted_dialogs.h"
#include "test_images.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QQueue>
#include <QStandardPaths>
#include <QTimer>

namespace {

// The link page answers from a list: no dialog is shown while the pictures are made.
class ScriptedLinks final : public preview::EditorEntryPoints {
public:
    QQueue<QString> answers;
    bool settingsPage(editor::uTxm &, const QString &, QString &answer) override {
        answer = answers.isEmpty() ? QString() : answers.dequeue();
        return false;
    }
};

void append(editor::uTxm &editor, const QString &text) {
    platform::TextSurface &s = editor.surface();
    s.select(s.textLength(), 0);
    s.setSelText(text);
}

void select(editor::uTxm &editor, const QString &text) {
    platform::TextSurface &s = editor.surface();
    s.select(int(s.text().indexOf(text)), int(text.size()));
}

} // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    testsupport::ScriptedDialogsGuard dialogs;

    editor::uTxm editor;
    editor.resize(900, 560);
    editor.cOn(0, -2, true);
    auto links = std::make_unique<ScriptedLinks>();
    ScriptedLinks *answers = links.get();
    editor.setEntryPoints(std::move(links));
    editor.setTitle(QStringLiteral("四月一日　京都"));
    QObject::connect(&editor, &editor::uTxm::TagRequested, &editor,
                     [](QString &, QString &value) { value = QStringLiteral("12"); });

    append(editor, QStringLiteral("京都への旅。詳しくは観光案内を見た。\n"
                                  "前回の旅は去年の秋。その記録は前回の記事にある。\n"
                                  "茶店で抹茶を飲んだ。\n参加者："));
    editor.rtAct(56, 1);
    append(editor, QStringLiteral("\n写真をクリック："));
    editor.surface().insertPictureData(testsupport::pngBytes(90, 60, Qt::darkCyan));
    append(editor, QStringLiteral("\n"));

    select(editor, QStringLiteral("観光案内"));
    answers->answers.enqueue(QStringLiteral("観光案内\thttps://example.org/kyoto"));
    editor.rtAct(50);
    select(editor, QStringLiteral("前回の旅"));
    editor.rtAct(51);
    select(editor, QStringLiteral("前回の記事"));
    answers->answers.enqueue(QStringLiteral("前回の記事\t#TG_12"));
    editor.rtAct(50);
    select(editor, QStringLiteral("抹茶"));
    dialogs->inputs.enqueue(QStringLiteral("京都の名産"));
    editor.rtAct(53);
    editor.surface().select(int(editor.surface().text().indexOf(QChar(1))), 1);
    answers->answers.enqueue(QStringLiteral("\t/home/me/写真/京都.jpg"));
    editor.entryPoints().marker(editor, 50, QVariantList{0, true, 0});
    editor.surface().select(0, 0);
    editor.view()->setZoom(130);
    editor.show();
    app.processEvents();
    editor.grab().save(folder.filePath(QStringLiteral("markers_entry.png")));

    // A form: three data fields, a table with empty cells, two text frames.
    editor::uTxm form;
    form.setGeometry(0, 0, 1100, 1000);
    form.cOn(0, 0);
    form.setEntryPoints(preview::makeEditorEntryPoints());
    platform::TextSurface &f = form.surface();
    append(form, QStringLiteral("申込書\n氏名："));
    form.rtAct(56, 1);
    append(form, QStringLiteral("\n住所："));
    form.rtAct(56, 1);
    append(form, QStringLiteral("\n電話："));
    form.rtAct(56, 1);
    append(form, QStringLiteral("\n"));
    f.select(f.textLength(), 0);
    const int table = f.insertTable(3, 3);
    f.setCellText(table, 1, 1, QStringLiteral("品名"));
    f.setCellText(table, 1, 2, QStringLiteral("数量"));
    f.setCellText(table, 1, 3, QStringLiteral("金額"));
    f.select(f.textLength(), 0);
    f.insertTextFrame(7000, 1200, {0, 0, 0, 0});
    f.select(f.textLength(), 0);
    f.insertTextFrame(7000, 1200, {0, 0, 0, 0});
    QTimer::singleShot(300, [&folder] {
        preview::sbTvw &window = preview::sbTvw::instance();
        window.grab().save(folder.filePath(QStringLiteral("numbered_preview.png")));
        window.zoomActions().at(3)->trigger(); // 150 %
        QApplication::processEvents();
        window.grab().save(folder.filePath(QStringLiteral("numbered_preview_150.png")));
        window.close();
    });
    form.rtActTL(0);
    return 0;
}
