#include "docx_package.h"

#include <QBuffer>
#include <QDateTime>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

namespace platform::docx::detail {

namespace {
// Parts and packages larger than this are refused rather than inflated (a damaged or hostile
// package): a diary entry's text is a few megabytes, a photo some tens.
constexpr qint64 kMaxPartSize = qint64(64) << 20;
constexpr qint64 kMaxPackageSize = qint64(256) << 20;
constexpr qint64 kReadStep = qint64(1) << 20;
} // namespace

void ZipWriter::add(const QString &name, const QByteArray &data, bool compress) {
    m_entries.append({name, data, compress});
}

QByteArray ZipWriter::finish(QString *error) const {
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate)) {
        if (error)
            *error = QStringLiteral("cannot create the package");
        return {};
    }
    const QDateTime stamp(QDate(1980, 1, 1), QTime(0, 0));
    for (const Entry &e : m_entries) {
        QuaZipNewInfo info(e.name);
        info.dateTime = stamp;
        info.externalAttr = 0;
        QuaZipFile file(&zip);
        const int method = e.compress ? Z_DEFLATED : 0;
        const int level = e.compress ? Z_DEFAULT_COMPRESSION : 0;
        if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, method, level) ||
            file.write(e.data) != e.data.size()) {
            if (error)
                *error = QStringLiteral("cannot write %1 into the package").arg(e.name);
            return {};
        }
        file.close();
    }
    zip.close();
    if (zip.getZipError() != 0) {
        if (error)
            *error = QStringLiteral("cannot finish the package");
        return {};
    }
    return out;
}

ZipReader::ZipReader() = default;
ZipReader::~ZipReader() {
    if (m_zip)
        m_zip->close();
}

bool ZipReader::open(const QByteArray &bytes, QString *error) {
    if (!bytes.startsWith("PK")) {
        if (error)
            *error = QStringLiteral("not a Word package");
        return false;
    }
    m_bytes = bytes;
    m_buffer = std::make_unique<QBuffer>(&m_bytes);
    m_zip = std::make_unique<QuaZip>(m_buffer.get());
    if (!m_zip->open(QuaZip::mdUnzip)) {
        if (error)
            *error = QStringLiteral("the package is damaged");
        return false;
    }
    const QStringList names = m_zip->getFileNameList();
    for (const QString &name : names)
        m_names.insert(name.toLower(), name);
    return true;
}

bool ZipReader::contains(const QString &name) const {
    return m_names.contains(name.toLower());
}

bool ZipReader::read(const QString &name, QByteArray &data, QString *error) {
    data.clear();
    const QString stored = m_names.value(name.toLower());
    if (stored.isEmpty() || !m_zip->setCurrentFile(stored)) {
        if (error)
            *error = QStringLiteral("the package lacks %1").arg(name);
        return false;
    }
    QuaZipFileInfo64 info;
    if (!m_zip->getCurrentFileInfo(&info) || info.uncompressedSize > quint64(kMaxPartSize) ||
        m_inflated + qint64(info.uncompressedSize) > kMaxPackageSize) {
        if (error)
            *error = QStringLiteral("%1 is damaged").arg(name);
        return false;
    }
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 is damaged").arg(name);
        return false;
    }
    // Inflated a step at a time and never past the size the package declares, whatever the
    // compressed stream holds.
    const qint64 declared = qint64(info.uncompressedSize);
    bool ok = true;
    while (ok && data.size() < declared) {
        const QByteArray step = file.read(qMin(kReadStep, declared - data.size()));
        ok = !step.isEmpty();
        data += step;
    }
    file.close();
    m_inflated += data.size();
    if (!ok || file.getZipError() != 0 || data.size() != declared) {
        data.clear();
        if (error)
            *error = QStringLiteral("%1 is damaged").arg(name);
        return false;
    }
    return true;
}

} // namespace platform::docx::detail
