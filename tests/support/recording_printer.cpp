#include "recording_printer.h"

namespace testsupport {

RecordingPrinter::RecordingPrinter() : m_device(printers.constFirst()) {}

bool RecordingPrinter::setCurrent(const QString &name) {
    if (!printers.contains(name))
        return false;
    m_device = name;
    return true;
}

QSizeF RecordingPrinter::paperMillimetres() const {
    if (m_code == platform::PaperCode::UserDefined)
        return m_custom;
    return platform::pageSizeForCode(m_code).size(QPageSize::Millimeter);
}

void RecordingPrinter::setPaperSize(int code) {
    if (platform::pageSizeForCode(code).isValid())
        m_code = code;
}

void RecordingPrinter::setCustomPaper(const QSizeF &mm) {
    m_code = platform::PaperCode::UserDefined;
    m_custom = mm;
}

bool RecordingPrinter::beginJob(const QString &title) {
    m_error = failBegin;
    if (!failBegin.isEmpty())
        return false;
    Job job;
    job.title = title;
    job.device = m_device;
    job.paperCode = m_code;
    job.paperMillimetres = paperMillimetres();
    job.orientation = m_orientation;
    jobs.append(job);
    m_active = true;
    startPage();
    return true;
}

void RecordingPrinter::startPage() {
    jobs.last().pages.append(QPicture());
    m_painter.begin(&jobs.last().pages.last());
}

QPainter *RecordingPrinter::painter() {
    return m_active ? &m_painter : nullptr;
}

QRectF RecordingPrinter::paperRect() const {
    QSizeF mm = paperMillimetres();
    if (m_orientation == platform::Landscape)
        mm.transpose();
    const double dpi = QPicture().logicalDpiX();
    return QRectF(0, 0, mm.width() / 25.4 * dpi, mm.height() / 25.4 * dpi);
}

bool RecordingPrinter::newPage() {
    if (!m_active)
        return false;
    m_painter.end();
    startPage();
    return true;
}

bool RecordingPrinter::endJob() {
    if (!m_active)
        return false;
    m_painter.end();
    m_active = false;
    m_error = failEnd;
    if (!failEnd.isEmpty()) {
        jobs.removeLast();
        return false;
    }
    return true;
}

void RecordingPrinter::abortJob() {
    if (!m_active)
        return;
    m_painter.end();
    m_active = false;
    jobs.removeLast();
}

RecordingPrinterGuard::RecordingPrinterGuard()
    : m_printer(new RecordingPrinter),
      m_previous(platform::setPrinter(std::unique_ptr<platform::Printer>(m_printer))) {}

RecordingPrinterGuard::~RecordingPrinterGuard() {
    platform::setPrinter(std::move(m_previous));
}

} // namespace testsupport
