#pragma once

#include <QString>

class QTextDocument;

// The surface's HTML save (format 4): the shape the HTML converter reads. A head with
// <base href="file:///folder/">, a body starting "<body", lower-case tags, every format as an
// inline style with lengths in pt, paragraphs as <p>, runs as <span>, fields as <a>, pictures
// written into NAME_images beside the page (PNG for export code 3, their own bytes otherwise).
namespace platform::htmlexport {

bool write(const QTextDocument &document, const QString &path, QString *error = nullptr);

// The page text alone, with picture sources under imagesFolder (relative to the page); the
// pictures to write are returned by name in pictureFiles (resource name -> file name).
QString page(const QTextDocument &document, const QString &baseHref, const QString &imagesFolder,
             QList<QPair<QString, QString>> *pictureFiles);

} // namespace platform::htmlexport
