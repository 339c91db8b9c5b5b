#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// Shift-JIS as Windows writes it (code page 932). The settings file, the system-code-page text
// helpers, the HTML converter and the text import all go through these so that files travel
// between this program and Windows unchanged.

// Replaces the characters Japanese input methods on other systems produce for which CP932 only
// knows a look-alike ("〜" U+301C becomes "～" U+FF5E, and so on).
QString toCp932Forms(const QString &text);

// Encodes text as CP932 after toCp932Forms; anything CP932 still cannot hold becomes "?".
QByteArray encodeCp932(const QString &text);

// Decodes CP932 bytes. ok (when given) turns false when the bytes are not valid CP932; invalid
// sequences then come back as U+FFFD.
QString decodeCp932(const QByteArray &bytes, bool *ok = nullptr);

// True when encodeCp932 keeps every character of text (after the look-alike mapping).
bool survivesCp932(const QString &text);

} // namespace settings
