#include "preview/print_service.h"

#include "platform/dialogs.h"
#include "platform/printing.h"
#include "preview/page_source.h"
#include "preview/printer_record.h"

#include <QFile>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>

namespace preview {
namespace {

constexpr int kMaxCopies = 999;

// The record the dialogs start from: the settings file, else the default file, else the printer.
PrinterRecord startingRecord(const QString &settingsFile, platform::Printer &printer) {
    if (auto r = readRecordFile(settingsFile))
        return *r;
    const QString fallback = defaultSettingsFile();
    if (fallback != settingsFile)
        if (auto r = readRecordFile(fallback))
            return *r;
    return fillFromPrinter(printer);
}

// Shows the dialog on the printer prepared with the document's paper; false when cancelled.
bool runDialog(PageSource &source, const QString &settingsFile, bool setupOnly, int pages,
               platform::PrintAnswer &answer) {
    platform::Printer &printer = platform::printer();
    PrinterRecord record = startingRecord(settingsFile, printer);
    setDocumentPaper(record, source.page());
    // The stored printer is offered again, so a choice made once survives a restart.
    selectStoredPrinter(printer, record);
    applyToPrinter(record, printer);

    platform::PrintRequest request;
    request.setupOnly = setupOnly;
    request.printer = printer.qtPrinter();
    request.printerName = printer.deviceName();
    request.maxPage = pages;
    request.fromPage = 1;
    request.toPage = pages;
    request.copies = 1;
    answer = platform::dialogs().print(request);
    if (!answer.accepted)
        return false;
    const QString chosen = answer.printerName.toUpper();
    for (const QString &name : printer.installedPrinters())
        if (name.toUpper() == chosen) {
            printer.setCurrent(name);
            break;
        }
    return true;
}

QPainter *pagePainter(platform::Printer &printer, const platform::PageSetup &page, QRectF *target) {
    QPainter *painter = printer.painter();
    if (!painter)
        return nullptr;
    // The page at its true size from the sheet's corner, as the paper takes it.
    const QPaintDevice *device = painter->device();
    *target = QRectF(0, 0, page.width / 1440.0 * device->logicalDpiX(),
                     page.height / 1440.0 * device->logicalDpiY());
    return painter;
}

bool printCopy(PageSource &source, platform::Printer &printer, const QString &title, int first,
               int last) {
    if (!printer.beginJob(title))
        return false;
    for (int n = first; n <= last; ++n) {
        if (n > first && !printer.newPage()) {
            printer.abortJob();
            return false;
        }
        QRectF target;
        QPainter *painter = pagePainter(printer, source.page(), &target);
        if (!painter) {
            printer.abortJob();
            return false;
        }
        source.drawPage(painter, n, target);
    }
    return printer.endJob();
}

} // namespace

QString PrintService::failureMessage(const QString &reason) {
    const QString text = QStringLiteral("印刷できませんでした");
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

PrintService::Result PrintService::print(PageSource &source, bool direct,
                                         const QString &settingsFile, const QString &title) {
    platform::Printer &printer = platform::printer();
    const int pages = source.pageCount();
    int copies = 1;
    int first = 1;
    int last = pages;

    std::optional<PrinterRecord> stored;
    if (direct && QFileInfo::exists(settingsFile))
        stored = readRecordFile(settingsFile);
    if (stored) {
        setDocumentPaper(*stored, source.page());
        selectStoredPrinter(printer, *stored);
        applyToPrinter(*stored, printer);
    } else {
        platform::PrintAnswer answer;
        if (!runDialog(source, settingsFile, false, pages, answer))
            return Result::Cancelled;
        copies = qBound(0, answer.copies, kMaxCopies);
        first = qBound(1, answer.fromPage, pages);
        last = qBound(first, answer.toPage, pages);
    }
    // Each copy is a job of its own.
    printer.setCopies(1);
    for (int copy = 0; copy < copies; ++copy) {
        if (!printCopy(source, printer, title, first, last)) {
            platform::dialogs().message(failureMessage(printer.errorText()), platform::Buttons::Ok,
                                        platform::Icon::Critical);
            return Result::Failed;
        }
    }
    return Result::Printed;
}

bool PrintService::setupPrinter(PageSource &source, const QString &settingsFile) {
    platform::PrintAnswer answer;
    if (!runDialog(source, settingsFile, true, source.pageCount(), answer))
        return false;
    const PrinterRecord record = fillFromPrinter(platform::printer());
    QString error;
    if (!writeRecordFile(settingsFile, record, &error)) {
        platform::dialogs().message(QStringLiteral("プリンタの設定を保存できませんでした\n") +
                                        settingsFile + QLatin1Char('\n') + error,
                                    platform::Buttons::Ok, platform::Icon::Critical);
        return false;
    }
    const QString fallback = defaultSettingsFile();
    if (settingsFile != fallback && !QFileInfo::exists(fallback))
        QFile::copy(settingsFile, fallback);
    return true;
}

} // namespace preview
