#include "platform/printing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#ifdef DRJVO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace platform {
namespace {

#ifdef DRJVO_HAVE_CUPS
// CUPS and the libraries it pulls in cost tens of milliseconds at every start of the program, so
// it is loaded when the first job is handed to it.
struct Cups {
    decltype(&cupsAddOption) addOption = nullptr;
    decltype(&cupsPrintFile) printFile = nullptr;
    decltype(&cupsFreeOptions) freeOptions = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
    bool isLoaded() const { return addOption && printFile && freeOptions && lastErrorString; }
};

template <typename Function> void resolve(QLibrary &library, const char *name, Function &to) {
    to = reinterpret_cast<Function>(library.resolve(name));
}

const Cups &cups() {
    static const Cups loaded = [] {
        Cups functions;
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return functions;
        resolve(library, "cupsAddOption", functions.addOption);
        resolve(library, "cupsPrintFile", functions.printFile);
        resolve(library, "cupsFreeOptions", functions.freeOptions);
        resolve(library, "cupsLastErrorString", functions.lastErrorString);
        return functions;
    }();
    return loaded;
}
#endif

struct PaperRow {
    int code;
    QPageSize::PageSizeId id;
};

constexpr PaperRow kPapers[] = {
    {PaperCode::Letter, QPageSize::Letter},
    {5, QPageSize::Legal},
    {7, QPageSize::Executive},
    {8, QPageSize::A3},
    {PaperCode::A4, QPageSize::A4},
    {PaperCode::A5, QPageSize::A5},
    {12, QPageSize::JisB4},
    {PaperCode::JisB5, QPageSize::JisB5},
    {PaperCode::Postcard, QPageSize::Postcard},
    {70, QPageSize::A6},
};

// Device-mode bin numbers of Qt's paper sources, in Qt's order.
constexpr int kBins[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15};

class QtPrinter : public Printer {
public:
    explicit QtPrinter(const QString &pdfPath = {}) : m_printer(QPrinter::HighResolution) {
        m_printer.setFullPage(true);
        if (!pdfPath.isEmpty()) {
            m_pdfPath = pdfPath;
            m_printer.setOutputFormat(QPrinter::PdfFormat);
        }
    }

    QStringList installedPrinters() const override {
        return m_pdfPath.isEmpty() ? QPrinterInfo::availablePrinterNames() : QStringList{m_name};
    }
    QString deviceName() const override {
        return m_pdfPath.isEmpty() ? m_printer.printerName() : m_name;
    }
    bool setCurrent(const QString &name) override {
        if (!installedPrinters().contains(name))
            return false;
        if (m_pdfPath.isEmpty() && m_printer.printerName() != name) {
            // A printer switch takes that printer's own defaults; keep what was chosen.
            const QPageLayout layout = m_printer.pageLayout();
            m_printer.setPrinterName(name);
            m_printer.setPageLayout(layout);
            m_printer.setFullPage(true);
        }
        return true;
    }

    int paperSize() const override { return codeForPageSize(m_printer.pageLayout().pageSize()); }
    QSizeF paperMillimetres() const override {
        return m_printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    }
    void setPaperSize(int code) override {
        const QPageSize size = pageSizeForCode(code);
        if (size.isValid())
            m_printer.setPageSize(size);
    }
    void setCustomPaper(const QSizeF &mm) override {
        if (mm.width() > 0 && mm.height() > 0)
            m_printer.setPageSize(
                QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch));
    }
    int orientation() const override {
        return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape
                                                                              : Portrait;
    }
    void setOrientation(int orientation) override {
        m_printer.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    }
    std::optional<int> paperSource() const override {
        const int source = int(m_printer.paperSource());
        if (source < 0 || source >= int(std::size(kBins)))
            return std::nullopt;
        return kBins[source];
    }
    void setPaperSource(int bin) override {
        for (int i = 0; i < int(std::size(kBins)); ++i)
            if (kBins[i] == bin)
                m_printer.setPaperSource(QPrinter::PaperSource(i));
    }
    std::optional<int> printQuality() const override { return m_printer.resolution(); }
    void setPrintQuality(int dpi) override {
        // Negative values name draft to high quality, which only the Windows driver knows.
        if (dpi >= 72 && dpi <= 4800)
            m_printer.setResolution(dpi);
    }
    std::optional<int> colourMode() const override {
        return m_printer.colorMode() == QPrinter::Color ? Colour : Monochrome;
    }
    void setColourMode(int mode) override {
        m_printer.setColorMode(mode == Monochrome ? QPrinter::GrayScale : QPrinter::Color);
    }
    std::optional<int> duplex() const override {
        switch (m_printer.duplex()) {
        case QPrinter::DuplexNone:
            return Simplex;
        case QPrinter::DuplexShortSide:
            return DuplexShortEdge;
        default:
            return DuplexLongEdge;
        }
    }
    void setDuplex(int duplex) override {
        m_printer.setDuplex(duplex == DuplexLongEdge    ? QPrinter::DuplexLongSide
                            : duplex == DuplexShortEdge ? QPrinter::DuplexShortSide
                                                        : QPrinter::DuplexNone);
    }
    std::optional<int> scale() const override { return m_scale; }
    void setScale(int percent) override {
        if (percent >= 10 && percent <= 400)
            m_scale = percent;
    }
    int copies() const override { return m_printer.copyCount(); }
    void setCopies(int copies) override { m_printer.setCopyCount(qMax(1, copies)); }

    bool beginJob(const QString &title) override {
        m_error.clear();
        m_printer.setDocName(title);
        if (!m_pdfPath.isEmpty()) {
            m_printer.setOutputFileName(jobPath());
        } else {
            if (deviceName().isEmpty())
                return fail(QStringLiteral("プリンタがありません"));
            if (!installedPrinters().contains(deviceName()))
                return fail(QStringLiteral("プリンタ「%1」が見つかりません").arg(deviceName()));
#ifdef DRJVO_HAVE_CUPS
            // Qt hands a job to CUPS without looking at the answer, so the job is written to
            // a file here and handed over by us, and a refusal reaches the user.
            QTemporaryFile spool(QDir::temp().filePath(QStringLiteral("drjvo-print-XXXXXX.prn")));
            spool.setAutoRemove(false);
            if (!spool.open())
                return fail(spool.errorString());
            m_spool = spool.fileName();
            m_printer.setOutputFileName(m_spool);
#endif
        }
        if (!m_painter.begin(&m_printer)) {
            removeSpool();
            return fail(QStringLiteral("印刷を開始できません"));
        }
        applyScale();
        return true;
    }
    QPainter *painter() override {
        return m_painter.isActive() ? &m_painter : nullptr;
    }
    QRectF paperRect() const override {
        return QRectF(QPointF(), m_printer.paperRect(QPrinter::DevicePixel).size());
    }
    bool newPage() override {
        if (!m_printer.newPage())
            return fail(QStringLiteral("ページを送れません"));
        applyScale();
        return true;
    }
    bool endJob() override {
        const bool drawn = m_painter.end() && m_printer.printerState() != QPrinter::Error;
        if (!m_pdfPath.isEmpty()) {
            m_printer.setOutputFileName(QString());
            if (!drawn)
                return fail(QStringLiteral("ファイルに書き込めません"));
            ++m_jobs;
            return true;
        }
        if (!drawn) {
            removeSpool();
            return fail(QStringLiteral("印刷データを作れません"));
        }
#ifdef DRJVO_HAVE_CUPS
        return submit();
#else
        return true;
#endif
    }
    void abortJob() override {
        if (m_painter.isActive()) {
            m_printer.abort();
            m_painter.end();
        }
        removeSpool();
        if (!m_pdfPath.isEmpty())
            m_printer.setOutputFileName(QString());
    }
    QString errorText() const override {
        return m_error;
    }
    QPrinter *qtPrinter() override {
        return m_pdfPath.isEmpty() ? &m_printer : nullptr;
    }

private:
    bool fail(const QString &reason) {
        m_error = reason;
        return false;
    }

    QString jobPath() const {
        if (m_jobs == 0)
            return m_pdfPath;
        const QFileInfo info(m_pdfPath);
        return info.dir().filePath(info.completeBaseName() +
                                   QStringLiteral("-%1.").arg(m_jobs + 1) + info.suffix());
    }

    void applyScale() {
        m_painter.resetTransform();
        if (m_scale != 100)
            m_painter.scale(m_scale / 100.0, m_scale / 100.0);
    }

    void removeSpool() {
        if (!m_spool.isEmpty())
            QFile::remove(m_spool);
        m_spool.clear();
        if (m_pdfPath.isEmpty())
            m_printer.setOutputFileName(QString());
    }

#ifdef DRJVO_HAVE_CUPS
    bool submit() {
        const QString spool = m_spool;
        m_spool.clear();
        m_printer.setOutputFileName(QString());
        const QPageLayout layout = m_printer.pageLayout();
        const QPageSize size = layout.pageSize();
        const QSizeF mm = size.size(QPageSize::Millimeter);
        const QByteArray media = size.id() != QPageSize::Custom ? size.key().toUtf8()
                                                                : QStringLiteral("Custom.%1x%2mm")
                                                                      .arg(qRound(mm.width()))
                                                                      .arg(qRound(mm.height()))
                                                                      .toUtf8();
        const int sides = duplex().value_or(Simplex);
        const char *sidesValue = sides == DuplexLongEdge    ? "two-sided-long-edge"
                                 : sides == DuplexShortEdge ? "two-sided-short-edge"
                                                            : "one-sided";
        const Cups &api = cups();
        if (!api.isLoaded()) {
            QFile::remove(spool);
            return fail(QStringLiteral("印刷を開始できません"));
        }
        cups_option_t *options = nullptr;
        int count = api.addOption("media", media.constData(), 0, &options);
        count = api.addOption("sides", sidesValue, count, &options);
        if (layout.orientation() == QPageLayout::Landscape)
            count = api.addOption("landscape", "", count, &options);
        // An instance "name/instance" prints on its queue "name".
        const QByteArray queue = deviceName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const int job = api.printFile(queue.constData(), QFile::encodeName(spool).constData(),
                                      m_printer.docName().toUtf8().constData(), count, options);
        api.freeOptions(count, options);
        QFile::remove(spool);
        if (job == 0)
            return fail(QString::fromUtf8(api.lastErrorString()));
        return true;
    }
#endif

    QPrinter m_printer;
    QPainter m_painter;
    QString m_pdfPath;
    QString m_name = QStringLiteral("PDF");
    QString m_spool;
    QString m_error;
    int m_scale = 100;
    int m_jobs = 0;

    friend std::unique_ptr<Printer> platform::makePdfPrinter(const QString &, const QString &);
};

} // namespace

QPageSize pageSizeForCode(int code) {
    for (const PaperRow &row : kPapers)
        if (row.code == code)
            return QPageSize(row.id);
    return QPageSize();
}

int codeForPageSize(const QPageSize &size) {
    for (const PaperRow &row : kPapers)
        if (row.id == size.id())
            return row.code;
    return PaperCode::UserDefined;
}

namespace {
std::unique_ptr<Printer> &instance() {
    static std::unique_ptr<Printer> p;
    return p;
}
} // namespace

Printer &printer() {
    if (!instance())
        instance() = makeSystemPrinter();
    return *instance();
}

std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> replacement) {
    std::unique_ptr<Printer> previous = std::move(instance());
    instance() = std::move(replacement);
    return previous;
}

std::unique_ptr<Printer> makeSystemPrinter() {
    return std::make_unique<QtPrinter>();
}

std::unique_ptr<Printer> makePdfPrinter(const QString &path, const QString &name) {
    auto printer = std::make_unique<QtPrinter>(path);
    printer->m_name = name;
    return printer;
}

} // namespace platform
