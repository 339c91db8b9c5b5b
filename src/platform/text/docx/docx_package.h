#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

class QBuffer;
class QuaZip;

// The zip container of a Word package.
namespace platform::docx::detail {

// Collects parts in the order they are added and zips them with fixed time stamps, so equal
// parts give equal bytes.
class ZipWriter {
public:
    void add(const QString &name, const QByteArray &data, bool compress = true);
    QByteArray finish(QString *error = nullptr) const;

private:
    struct Entry {
        QString name;
        QByteArray data;
        bool compress;
    };
    QList<Entry> m_entries;
};

// Reads parts by name; unknown names give empty data.
class ZipReader {
public:
    ZipReader();
    ~ZipReader();
    bool open(const QByteArray &bytes, QString *error);
    bool contains(const QString &name) const;
    // Reads one part; false with an error when it is damaged.
    bool read(const QString &name, QByteArray &data, QString *error);

private:
    QByteArray m_bytes;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QuaZip> m_zip;
    QHash<QString, QString> m_names; // lower-case name -> stored name
    qint64 m_inflated = 0;           // bytes of all parts read so far
};

} // namespace platform::docx::detail
