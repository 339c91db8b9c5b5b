#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// Format 3: the surface's own lossless serialisation (undo snapshots, re-render, copies between
// surfaces and the clipboard). It writes the document's format table once, then the frame tree
// with format indices, then the image resources as their encoded bytes.
namespace platform::internalformat {

// The whole content: page values, main text and the four header/footer documents.
QByteArray writeContent(const TextContent &content);
// Reads a content package into the non-null documents of content (cleared first).
bool readContent(const QByteArray &bytes, TextContent &content, QString *error = nullptr);

// One document (a selection or a text frame).
QByteArray writeDocument(const QTextDocument &document);
// Reads either kind into one document (cleared first); a content package gives its main text.
bool readDocument(const QByteArray &bytes, QTextDocument &document, QString *error = nullptr);

bool isInternal(const QByteArray &bytes);

// How a content built by another reader comes through this format, found without writing it:
// beyond the reader's bounds (refused), unchanged, or changed (format values out of range are
// dropped, pictures too large to decode too), in which case it has to move through the format.
enum class Fit { Beyond, Unchanged, Changed };
Fit fitOf(const TextContent &content);

} // namespace platform::internalformat
