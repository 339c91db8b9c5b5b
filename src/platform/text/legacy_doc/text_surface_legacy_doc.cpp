#include "platform/text/legacy_doc/text_surface_legacy_doc.h"

namespace platform::legacydoc {
namespace {

const char *const Unavailable = "the Word 97-2003 conversion (LibreOffice) is not available";

} // namespace

bool isLegacyDocument(const QByteArray &bytes) {
    return bytes.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0"));
}

bool convertToDocx(const QByteArray &, QByteArray *docx, QString *error) {
    if (docx)
        docx->clear();
    if (error)
        *error = QString::fromLatin1(Unavailable);
    return false;
}

bool convertFromDocx(const QByteArray &, QByteArray *legacy, QString *error) {
    if (legacy)
        legacy->clear();
    if (error)
        *error = QString::fromLatin1(Unavailable);
    return false;
}

} // namespace platform::legacydoc
