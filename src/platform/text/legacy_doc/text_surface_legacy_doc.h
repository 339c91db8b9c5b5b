#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Word 97-2003 binary documents (.doc, an OLE compound file) are the one format the surface does
// not read or write itself: they are converted to and from a .docx package by LibreOffice, found
// at run time and started headless with a profile of its own in the work folder.
namespace platform::legacydoc {

// True for the OLE compound file magic D0 CF 11 E0.
bool isLegacyDocument(const QByteArray &bytes);

// Converts legacy .doc bytes into a .docx package. False with a reason when the conversion fails.
bool convertToDocx(const QByteArray &legacy, QByteArray *docx, QString *error);

// Converts a .docx package into legacy .doc bytes. False with a reason when the conversion fails.
bool convertFromDocx(const QByteArray &docx, QByteArray *legacy, QString *error);

// One document's outcome in a batch: the converted bytes, or the reason it failed.
struct Converted {
    QByteArray bytes;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Many documents in one LibreOffice run, which pays its start once. Results of a batch to .docx
// are remembered, so that loading each document afterwards starts nothing.
QList<Converted> convertManyToDocx(const QList<QByteArray> &legacy);
QList<Converted> convertManyFromDocx(const QList<QByteArray> &docx);
// Forgets the remembered results.
void clearConverted();

// The LibreOffice program that converts: the one set, else soffice or libreoffice on the PATH
// or in its usual places. Empty when there is none.
QString converterProgram();
// A program to use instead of the search; an empty text searches again.
void setConverterProgram(const QString &program);

// The folder that holds LibreOffice's private profile and the files of each conversion (the
// program's work folder). Until it is set, a folder of this user under the system's temp folder.
void setWorkFolder(const QString &folder);
QString workFolder();

// How long one run may take before it is stopped: base + perDocument for each document.
void setTimeLimit(int baseMs, int perDocumentMs);

} // namespace platform::legacydoc
