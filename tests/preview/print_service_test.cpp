#include "platform/view/text_view.h"
#include "preview/page_source.h"
#include "preview/print_service.h"
#include "preview/printer_record.h"
#include "preview/sbtvw.h"
#include "preview_samples.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using preview::PrintService;
using preview::sbTvw;

namespace {

platform::PrintAnswer accept(const QString &printer, int copies, int from, int to) {
    platform::PrintAnswer a;
    a.accepted = true;
    a.printerName = printer;
    a.copies = copies;
    a.fromPage = from;
    a.toPage = to;
    return a;
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = previewtest::entry(3);
        source = std::make_unique<preview::SurfacePages>(*surface);
    }

    previewtest::UserFolder folder;
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingPrinterGuard printer;
    std::unique_ptr<platform::TextSurface> surface;
    std::unique_ptr<preview::SurfacePages> source;
};

} // namespace

TEST_F(PrintingTest, CancelPrintsNothingAndLeavesTheZoom) {
    sbTvw window;
    window.prepare(*source, QString(), QString(), QStringLiteral("日記"), nullptr);
    window.zoomActions()[3]->trigger(); // 150 %
    window.printAction()->trigger();
    EXPECT_EQ(dialogs->printRequests.size(), 1);
    EXPECT_TRUE(printer->jobs.isEmpty());
    EXPECT_EQ(window.model().zoom(), 150);
    EXPECT_TRUE(dialogs->messages().isEmpty());
    window.finish();
}

TEST_F(PrintingTest, DialogChoosesPrinterCopiesAndPagesEachCopyAJob) {
    dialogs->prints.enqueue(accept(QStringLiteral("OFFICE LASER"), 2, 2, 3));
    EXPECT_EQ(PrintService::print(*source, false, preview::defaultSettingsFile(), "日記"),
              PrintService::Result::Printed);
    ASSERT_EQ(dialogs->printRequests.size(), 1);
    const platform::PrintRequest &request = dialogs->printRequests.first();
    EXPECT_FALSE(request.setupOnly);
    EXPECT_EQ(request.maxPage, 3);
    EXPECT_EQ(request.fromPage, 1);
    EXPECT_EQ(request.toPage, 3);
    ASSERT_EQ(printer->jobs.size(), 2);
    for (const auto &job : printer->jobs) {
        EXPECT_EQ(job.device, QStringLiteral("Office Laser"));
        EXPECT_EQ(job.pages.size(), 2);
        EXPECT_EQ(job.title, QStringLiteral("日記"));
        EXPECT_EQ(job.paperCode, 9); // the document's A4
        EXPECT_EQ(job.orientation, platform::Portrait);
        EXPECT_GT(job.pages.first().size(), 0u);
    }
}

TEST_F(PrintingTest, DirectPrintWithAStoredRecordNeedsNoDialog) {
    preview::PrinterRecord stored;
    stored.setDevice(QStringLiteral("Office Laser"));
    stored.paperSize = 11; // replaced by the document's paper
    stored.colour = platform::Monochrome;
    const QString file = folder.path("stored.prndt");
    ASSERT_TRUE(preview::writeRecordFile(file, stored));

    EXPECT_TRUE(sbTvw::cPrint(*source, true, file, QStringLiteral("日記")));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    ASSERT_EQ(printer->jobs.size(), 1);
    EXPECT_EQ(printer->jobs[0].device, QStringLiteral("Office Laser"));
    EXPECT_EQ(printer->jobs[0].pages.size(), 3);
    EXPECT_EQ(printer->jobs[0].paperCode, 9);
    EXPECT_EQ(printer->colourMode(), platform::Monochrome);
}

TEST_F(PrintingTest, DirectPrintWithoutAStoredRecordAsksFirst) {
    EXPECT_FALSE(sbTvw::cPrint(*source, true, folder.path("missing.prndt"), QString()));
    EXPECT_EQ(dialogs->printRequests.size(), 1);
    EXPECT_TRUE(printer->jobs.isEmpty());
}

TEST_F(PrintingTest, AFailedJobIsReportedAndNotCountedAsPrinted) {
    printer->failEnd = QStringLiteral("The printer is not accepting jobs.");
    dialogs->prints.enqueue(accept(QStringLiteral("Recorder"), 1, 1, 3));
    EXPECT_FALSE(sbTvw::cPrint(*source, false, QString(), QString()));
    EXPECT_EQ(
        dialogs->messages(),
        QStringList(QStringLiteral("印刷できませんでした\nThe printer is not accepting jobs.")));
    EXPECT_TRUE(printer->jobs.isEmpty());

    printer->failEnd.clear();
    printer->failBegin = QStringLiteral("プリンタが見つかりません");
    dialogs->prints.enqueue(accept(QStringLiteral("Recorder"), 3, 1, 3));
    EXPECT_FALSE(sbTvw::cPrint(*source, false, QString(), QString()));
    EXPECT_EQ(dialogs->messages().size(), 2); // one message, not one per copy
    EXPECT_EQ(dialogs->messages().last(),
              QStringLiteral("印刷できませんでした\nプリンタが見つかりません"));
}

TEST_F(PrintingTest, PrinterSetupStoresTheRecordAndSeedsTheDefaultFile) {
    dialogs->prints.enqueue(accept(QStringLiteral("Office Laser"), 1, 1, 3));
    const QString other = folder.path("other.prndt");
    EXPECT_TRUE(sbTvw::cSetPrn(*source, other));
    ASSERT_EQ(dialogs->printRequests.size(), 1);
    EXPECT_TRUE(dialogs->printRequests[0].setupOnly);
    const auto stored = preview::readRecordFile(other);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->device(), QStringLiteral("Office Laser"));
    EXPECT_EQ(stored->paperSize, 9);
    EXPECT_EQ(stored->orientation, 1);
    QFile copy(preview::defaultSettingsFile());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), stored->toBytes());
}

TEST_F(PrintingTest, CancelledSetupWritesNothing) {
    EXPECT_FALSE(sbTvw::cSetPrn(*source, QString()));
    EXPECT_FALSE(QFileInfo::exists(preview::defaultSettingsFile()));
}

TEST_F(PrintingTest, TheStoredPrinterIsOfferedAgainAfterARestart) {
    dialogs->prints.enqueue(accept(QStringLiteral("Office Laser"), 1, 1, 3));
    ASSERT_TRUE(sbTvw::cSetPrn(*source, QString()));
    // A new process starts with its default printer.
    testsupport::RecordingPrinterGuard fresh;
    ASSERT_EQ(fresh->deviceName(), QStringLiteral("Recorder"));
    EXPECT_FALSE(sbTvw::cPrint(*source, false, QString(), QString()));
    ASSERT_EQ(dialogs->printRequests.size(), 2);
    EXPECT_EQ(dialogs->printRequests[1].printerName, QStringLiteral("Office Laser"));
}

TEST_F(PrintingTest, PdfPrinterWritesTheJobAsAPdfOfAllPages) {
    const QString pdf = folder.path("out.pdf");
    testsupport::RecordingPrinterGuard keep;
    platform::setPrinter(platform::makePdfPrinter(pdf));
    preview::PrinterRecord stored;
    stored.setDevice(QStringLiteral("PDF"));
    const QString file = folder.path("pdf.prndt");
    ASSERT_TRUE(preview::writeRecordFile(file, stored));
    EXPECT_TRUE(sbTvw::cPrint(*source, true, file, QStringLiteral("日記")));
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              3);
    EXPECT_EQ(platform::printer().paperSize(), 9);
}
