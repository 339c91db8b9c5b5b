#pragma once

#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace platform {

// Paper numbers of the device-mode record.
namespace PaperCode {
enum : int { Letter = 1, A4 = 9, A5 = 11, JisB5 = 13, Postcard = 43, UserDefined = 256 };
}

// Orientation 1 portrait, 2 landscape; colour 1 monochrome, 2 colour; duplex 1 one-sided,
// 2 long edge, 3 short edge; paper sources are the device-mode bin numbers (7 automatic);
// print quality is dots per inch.
enum : int { Portrait = 1, Landscape = 2 };
enum : int { Monochrome = 1, Colour = 2 };
enum : int { Simplex = 1, DuplexLongEdge = 2, DuplexShortEdge = 3 };

// The paper of a code (portrait); an invalid size for 256 and codes we do not know.
QPageSize pageSizeForCode(int code);
// The code of a paper, 256 when the paper has none.
int codeForPageSize(const QPageSize &size);

// The printer the preview prints on: the installed printers, the current one and its settings,
// and print jobs of pages drawn with a painter. Settings a printer cannot give read as nothing.
class Printer {
public:
    virtual ~Printer() = default;

    virtual QStringList installedPrinters() const = 0;
    virtual QString deviceName() const = 0;
    // Makes the installed printer of that name current; false when there is none.
    virtual bool setCurrent(const QString &name) = 0;

    // Paper as a code; its size in millimetres, portrait order.
    virtual int paperSize() const = 0;
    virtual QSizeF paperMillimetres() const = 0;
    virtual void setPaperSize(int code) = 0;
    virtual void setCustomPaper(const QSizeF &millimetres) = 0;
    virtual int orientation() const = 0;
    virtual void setOrientation(int orientation) = 0;
    virtual std::optional<int> paperSource() const = 0;
    virtual void setPaperSource(int bin) = 0;
    virtual std::optional<int> printQuality() const = 0;
    virtual void setPrintQuality(int dpi) = 0;
    virtual std::optional<int> colourMode() const = 0;
    virtual void setColourMode(int mode) = 0;
    virtual std::optional<int> duplex() const = 0;
    virtual void setDuplex(int duplex) = 0;
    // Percent the pages are drawn at on paper.
    virtual std::optional<int> scale() const = 0;
    virtual void setScale(int percent) = 0;
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;

    // A job: begin, draw a page with painter() onto paperRect(), newPage() between pages, end.
    // endJob answers whether the job reached the printer; errorText() then says why not.
    virtual bool beginJob(const QString &title) = 0;
    virtual QPainter *painter() = 0;
    // The whole sheet in painter coordinates.
    virtual QRectF paperRect() const = 0;
    virtual bool newPage() = 0;
    virtual bool endJob() = 0;
    virtual void abortJob() = 0;
    virtual QString errorText() const = 0;

    // The Qt printer behind this one, for the platform's print dialog; null when there is none.
    virtual QPrinter *qtPrinter() { return nullptr; }
};

// The process-wide printer, the platform's until a test installs another one.
Printer &printer();
// Installs a replacement and returns the previous one.
std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> replacement);

// The platform's printers (CUPS on Linux), starting with the default printer.
std::unique_ptr<Printer> makeSystemPrinter();

// A printer that writes each job as a PDF file: path for the first job, then path with "-2",
// "-3" ... before the suffix for the later ones.
std::unique_ptr<Printer> makePdfPrinter(const QString &path, const QString &name = "PDF");

} // namespace platform
