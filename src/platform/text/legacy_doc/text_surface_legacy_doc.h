#pragma once

#include <QByteArray>
#include <QString>

// Word 97-2003 binary documents (.doc, an OLE compound file) are the one format the surface does
// not read or write itself: they are converted to and from a .docx package by LibreOffice.
namespace platform::legacydoc {

// True for the OLE compound file magic D0 CF 11 E0.
bool isLegacyDocument(const QByteArray &bytes);

// Converts legacy .doc bytes into a .docx package. False with a reason when the conversion fails.
bool convertToDocx(const QByteArray &legacy, QByteArray *docx, QString *error);

// Converts a .docx package into legacy .doc bytes. False with a reason when the conversion fails.
bool convertFromDocx(const QByteArray &docx, QByteArray *legacy, QString *error);

} // namespace platform::legacydoc
