#include "editor/interface.h"
#include "editor/pictures/object_menu.h"
#include "image_dialog/image_entry.h"
#include "image_dialog/sb_wmf.h"
#include "image_dialog/wmf_layout.h"
#include "platform/imaging/imaging.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace image_dialog;

TEST(WmfLayout, ReducesToTheTextWidthAndStaysOnScreen) {
    const QRect main(0, 0, 30000, 20000);
    const WmfLayout wide = wmfLayout({4000, 2000}, 3000, {10000, 10000}, main);
    EXPECT_EQ(wide.message,
              QStringLiteral("元の画像の巾が現在の文書の巾より大きいので、75.0%縮小されます"));
    EXPECT_EQ(wide.picture, QSize(3000, 1500));
    EXPECT_EQ(wide.window.width(), 3500);
    EXPECT_EQ(wide.window.height(), 1500 + 920);
    EXPECT_EQ(wide.window.topLeft(), QPoint(10000 - 1500, 10000 - 750));

    const WmfLayout exact = wmfLayout({3000, 1000}, 3000, {100, 100}, main);
    EXPECT_TRUE(exact.message.isEmpty());
    EXPECT_EQ(exact.picture, QSize(3000, 1000));
    EXPECT_EQ(exact.window.topLeft(), QPoint(0, 0));

    // Kept inside the main window's right and bottom edges; no reduction below a width of 1.
    const WmfLayout edge = wmfLayout({6000, 4000}, 0, {29000, 19000}, main);
    EXPECT_TRUE(edge.message.isEmpty());
    EXPECT_EQ(edge.window.right() + 1, 30000);
    EXPECT_EQ(edge.window.bottom() + 1, 20000);
    EXPECT_EQ(pictureForWindow({3500, 2420}), QSize(3000, 1500));
}

namespace {

class ImageDialog : public ::testing::Test {
protected:
    void SetUp() override {
        settings::appValues().wrkDir = work.path() + u'/';
        editor.setEntryPoints(makeEditorEntryPoints());
        editor.cOn(0, 0);
        auto *data = new QMimeData;
        data->setData(QStringLiteral("image/svg+xml"),
                      "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                      "<rect width='200' height='100' fill='#00ff00'/></svg>");
        QGuiApplication::clipboard()->setMimeData(data);
    }
    void TearDown() override {
        sbWmf::setPresenter({});
        settings::appValues().wrkDir.clear();
    }
    QList<int> pictures() {
        QList<int> ids;
        const platform::TextSurface &s = editor.surface();
        for (int id = s.nextObject(0, 4); id; id = s.nextObject(id, 4))
            ids << id;
        return ids;
    }

    testsupport::ScriptedDialogsGuard dialogs;
    QTemporaryDir work;
    editor::uTxm editor;
};

} // namespace

TEST_F(ImageDialog, ClipboardDrawingArrivesAtTheSizeTheUserChose) {
    QSize opened;
    sbWmf::setPresenter([&](sbWmf &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ｻｲｽﾞを確定してﾗｽﾀﾃﾞｰﾀｰに変換します"));
        EXPECT_EQ(dialog.cmRet(0)->text(), QStringLiteral("Ok(&O)"));
        EXPECT_EQ(dialog.cmRet(1)->text(), QStringLiteral("Cancel(&C)"));
        opened = dialog.shownSize();
        dialog.resize(dialog.width() + 100, dialog.height() + 50);
        return dialog.okClicked();
    });
    editor.rtAct(15, QString());
    EXPECT_EQ(opened, QSize(200, 100));
    ASSERT_EQ(pictures().size(), 1);
    const platform::imaging::Picture stored =
        platform::imaging::load(editor::pictureBytes(editor.surface(), pictures().first()));
    EXPECT_EQ(stored.image.size(), QSize(300, 150));
    EXPECT_EQ(stored.image.pixelColor(150, 75), QColor(Qt::green));
}

TEST_F(ImageDialog, CancelledDialogInsertsNoPicture) {
    sbWmf::setPresenter([](sbWmf &dialog) {
        dialog.cmRet(1)->click();
        return false;
    });
    editor.rtAct(15, QString());
    EXPECT_TRUE(pictures().isEmpty());
}

TEST_F(ImageDialog, DrawingFileAndClipboardModes) {
    const QString svg = work.filePath(QStringLiteral("chart.svg"));
    {
        QFile f(svg);
        f.open(QIODevice::WriteOnly);
        f.write(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")));
    }
    sbWmf::setPresenter([](sbWmf &dialog) { return dialog.okClicked(); });
    dialogs->files.enqueue({true, svg, 1});
    editor.rtAct(35);
    ASSERT_EQ(pictures().size(), 1);
    EXPECT_EQ(editor.values().picturePath, work.path() + u'/');
    EXPECT_TRUE(editor.bDcEdt());

    // The dialog's own operations: a file, and the clipboard narrowed to 1500 twips (100 px).
    const QString out = work.filePath(QStringLiteral("out.png"));
    bool ok = false;
    sbWmf fromFile;
    fromFile.Act(svg, out, 0, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(QImage(out).size(), QSize(200, 100));
    sbWmf fromClipboard;
    fromClipboard.ActCp(out, 1500, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(QImage(out).size(), QSize(100, 50));
    EXPECT_EQ(dialogs->messages().last(),
              QStringLiteral("元の画像の巾が現在の文書の巾より大きいので、50.0%縮小されます"));
}
