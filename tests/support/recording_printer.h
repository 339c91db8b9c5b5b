#pragma once

#include "platform/printing.h"

#include <QList>
#include <QPainter>
#include <QPicture>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

namespace testsupport {

// A Printer double that keeps every job: its title, the paper it was printed on and each page as
// a QPicture of what was drawn. Jobs can be made to fail with a reason.
class RecordingPrinter final : public platform::Printer {
public:
    struct Job {
        QString title;
        QString device;
        int paperCode = 0;
        QSizeF paperMillimetres;
        int orientation = platform::Portrait;
        QList<QPicture> pages;
    };

    QStringList printers = {QStringLiteral("Recorder"), QStringLiteral("Office Laser")};
    QList<Job> jobs;
    QString failBegin; // a reason makes beginJob fail
    QString failEnd;   // a reason makes endJob fail

    RecordingPrinter();

    QStringList installedPrinters() const override { return printers; }
    QString deviceName() const override { return m_device; }
    bool setCurrent(const QString &name) override;
    int paperSize() const override { return m_code; }
    QSizeF paperMillimetres() const override;
    void setPaperSize(int code) override;
    void setCustomPaper(const QSizeF &mm) override;
    int orientation() const override { return m_orientation; }
    void setOrientation(int orientation) override { m_orientation = orientation; }
    std::optional<int> paperSource() const override { return m_source; }
    void setPaperSource(int bin) override { m_source = bin; }
    std::optional<int> printQuality() const override { return m_quality; }
    void setPrintQuality(int dpi) override { m_quality = dpi; }
    std::optional<int> colourMode() const override { return m_colour; }
    void setColourMode(int mode) override { m_colour = mode; }
    std::optional<int> duplex() const override { return m_duplex; }
    void setDuplex(int duplex) override { m_duplex = duplex; }
    std::optional<int> scale() const override { return std::nullopt; } // like a printer without it
    void setScale(int) override {}
    int copies() const override { return m_copies; }
    void setCopies(int copies) override { m_copies = copies; }

    bool beginJob(const QString &title) override;
    QPainter *painter() override;
    QRectF paperRect() const override;
    bool newPage() override;
    bool endJob() override;
    void abortJob() override;
    QString errorText() const override { return m_error; }

private:
    void startPage();

    QString m_device;
    int m_code = platform::PaperCode::A4;
    QSizeF m_custom;
    int m_orientation = platform::Portrait;
    int m_source = 7;
    int m_quality = 600;
    int m_colour = platform::Colour;
    int m_duplex = platform::Simplex;
    int m_copies = 1;
    QString m_error;
    bool m_active = false;
    QPainter m_painter;
};

// Installs a RecordingPrinter as the process-wide printer for the guard's lifetime.
class RecordingPrinterGuard {
public:
    RecordingPrinterGuard();
    ~RecordingPrinterGuard();
    RecordingPrinter *operator->() { return m_printer; }
    RecordingPrinter &operator*() { return *m_printer; }

private:
    RecordingPrinter *m_printer;
    std::unique_ptr<platform::Printer> m_previous;
};

} // namespace testsupport
