#include "editor/interface.h"
#include "main_fixture.h"
#include "platform/view/text_view.h"
#include "preview/editor_entry.h"
#include "preview/printer_record.h"
#include "preview/sbtvw.h"
#include "preview_samples.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"

#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

platform::PrintAnswer accept(const QString &printer) {
    platform::PrintAnswer a;
    a.accepted = true;
    a.printerName = printer;
    a.copies = 1;
    a.fromPage = 1;
    a.toPage = 99;
    return a;
}

// While the modal preview runs: what it showed, then closes it.
struct SeenPreview {
    bool shown = false;
    QString title;
    int pages = 0;
    int viewMode = -1;
};

void closePreviewWhenShown(SeenPreview &seen, platform::TextView *view) {
    QTimer::singleShot(0, [&seen, view] {
        preview::sbTvw &window = preview::sbTvw::instance();
        seen.shown = window.isVisible();
        seen.title = window.windowTitle();
        seen.pages = window.model().pages().count();
        seen.viewMode = view ? view->viewMode() : -1;
        window.close();
    });
}

class EditorPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::releaseStore();
        editor::setEntryPointsFactory(&preview::makeEditorEntryPoints);
        editor = std::make_unique<editor::uTxm>();
        editor->cOn(0, 0);
        auto sample = previewtest::entry(2);
        bool ok = false;
        editor->SetData(sample->saveToMemory(platform::TextSurface::Word97), ok);
        ASSERT_TRUE(ok);
    }
    void TearDown() override {
        editor.reset();
        editor::setEntryPointsFactory(nullptr);
        settings::releaseStore();
    }

    previewtest::UserFolder folder;
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingPrinterGuard printer;
    std::unique_ptr<editor::uTxm> editor;
};

} // namespace

TEST_F(EditorPrintTest, PrintCommandPrintsTheEditorsPages) {
    dialogs->prints.enqueue(accept(QStringLiteral("Recorder")));
    editor->rtAct(6);
    ASSERT_EQ(printer->jobs.size(), 1);
    EXPECT_EQ(printer->jobs[0].pages.size(), 2);
    EXPECT_EQ(printer->jobs[0].paperCode, 9);
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(editor->view()->viewMode(), platform::TextView::NormalView);
}

TEST_F(EditorPrintTest, PrinterSettingsCommandStoresPageDotPrndt) {
    dialogs->prints.enqueue(accept(QStringLiteral("Office Laser")));
    editor->rtAct(69);
    const auto stored = preview::readRecordFile(folder.path("Page.prndt"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->device(), QStringLiteral("Office Laser"));
    ASSERT_EQ(dialogs->printRequests.size(), 1);
    EXPECT_TRUE(dialogs->printRequests[0].setupOnly);
}

TEST_F(EditorPrintTest, PreviewCommandShowsThePagesInPageViewAndRestoresTheView) {
    SeenPreview seen;
    closePreviewWhenShown(seen, editor->view());
    editor->rtAct(7);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("ﾍﾟｰｼﾞﾋﾞｭｰ"));
    EXPECT_EQ(seen.pages, 2);
    EXPECT_EQ(seen.viewMode, platform::TextView::PageView);
    EXPECT_EQ(editor->view()->viewMode(), platform::TextView::NormalView);
    EXPECT_FALSE(editor->bDcEdt());
}

TEST_F(EditorPrintTest, ASecondSurfaceOfTheEditorIsPreviewedToo) {
    auto second = previewtest::entry(3);
    SeenPreview seen;
    closePreviewWhenShown(seen, nullptr);
    editor->entryPoints().previewSurface(*editor, *second);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.pages, 3);
}

class MainWindowPrintTest : public mainwintest::MainWindowTest {
protected:
    void SetUp() override {
        editor::setEntryPointsFactory(&preview::makeEditorEntryPoints);
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        editor::setEntryPointsFactory(nullptr);
    }
    testsupport::RecordingPrinterGuard printer;
};

TEST_F(MainWindowPrintTest, ElevenPrintsAndTenPreviewsTheEntry) {
    mainwin::fmTxt &w = open();
    type(QStringLiteral("今日の日記。"));
    dialogs->prints.enqueue(accept(QStringLiteral("Recorder")));
    w.fnMenu(mainwin::OperationMenu, 1); // F11
    ASSERT_EQ(printer->jobs.size(), 1);
    EXPECT_EQ(printer->jobs[0].pages.size(), 1);

    SeenPreview seen;
    closePreviewWhenShown(seen, editor().view());
    w.fnMenu(mainwin::OperationMenu, 0); // F10
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.pages, 1);
}
