#pragma once

#include "platform/text_model.h"

#include <QByteArray>
#include <QString>

namespace platform::docx {

// Writes the content as a WordprocessingML package (.docx) in memory. The bytes depend only on
// the content: writing the same content twice gives identical bytes.
QByteArray write(const TextContent &content);

// Reads a .docx package into the content's documents (cleared first) and page values. Areas that
// the package holds are read into the matching non-null documents of content.areas and their
// bits set in content.page.headerFooterBits. Returns false and leaves a reason in error when the
// bytes are not a readable package.
bool read(const QByteArray &bytes, TextContent &content, QString *error = nullptr);

} // namespace platform::docx
