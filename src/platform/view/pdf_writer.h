#pragma once

#include "platform/text/text_model.h"

#include <QString>

namespace platform {

// Writes the content as a PDF file: one PDF page per page of the content's page size, drawn by
// the page renderer with headers, footers and pictures; text stays text, its fonts embedded.
// Returns false when the file cannot be written.
bool savePdf(const TextContent &content, const QString &path);

// Makes savePdf the text surface's writer of format 12.
void installPdfWriter();

} // namespace platform
