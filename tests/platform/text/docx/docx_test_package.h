#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

// Hand-written Word packages for reader tests.
namespace docxtest {

inline QByteArray zip(const QList<QPair<QString, QByteArray>> &files) {
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip archive(&buffer);
    archive.open(QuaZip::mdCreate);
    for (const auto &[name, data] : files) {
        QuaZipFile file(&archive);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(name));
        file.write(data);
        file.close();
    }
    archive.close();
    return out;
}

inline const char *kNs =
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
    R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
    R"(xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture")";

// A part with its root element and the usual namespaces.
inline QByteArray part(const char *root, const QByteArray &body) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><w:") + root +
           ' ' + kNs + '>' + body + "</w:" + root + '>';
}

inline QByteArray unzipPart(const QByteArray &package, const QString &name) {
    QByteArray bytes = package;
    QBuffer buffer(&bytes);
    QuaZip archive(&buffer);
    if (!archive.open(QuaZip::mdUnzip) || !archive.setCurrentFile(name))
        return {};
    QuaZipFile file(&archive);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Every file of a package, in its order.
inline QList<QPair<QString, QByteArray>> unzipAll(const QByteArray &package) {
    QByteArray bytes = package;
    QBuffer buffer(&bytes);
    QuaZip archive(&buffer);
    QList<QPair<QString, QByteArray>> files;
    if (!archive.open(QuaZip::mdUnzip))
        return files;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFile file(&archive);
        file.open(QIODevice::ReadOnly);
        files.append({archive.getCurrentFileName(), file.readAll()});
    }
    return files;
}

} // namespace docxtest
