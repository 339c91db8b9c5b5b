#pragma once

#include <QString>

namespace platform {
class Printer;
}

namespace preview {

class PageSource;

// Printing and the printer set-up of the preview, on the process-wide printer, with the print
// dialog of the Dialogs seam. A failed job is reported to the user as "印刷できませんでした"
// with the reason.
class PrintService {
public:
    enum class Result { Printed, Cancelled, Failed };

    // Every page once with the stored settings and no dialog when direct is set and the settings
    // file holds a record; otherwise after the print dialog, with its printer, copies and pages.
    static Result print(PageSource &source, bool direct, const QString &settingsFile,
                        const QString &title);

    // The printer set-up dialog; on acceptance the printer's settings are written to the
    // settings file, and copied to the default file when that is another one that does not
    // exist yet. False when cancelled or not written.
    static bool setupPrinter(PageSource &source, const QString &settingsFile);

    static QString failureMessage(const QString &reason);
};

} // namespace preview
