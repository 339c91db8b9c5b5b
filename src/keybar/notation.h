#pragma once

#include <QString>
#include <QStringList>

namespace keybar {

// The ids of the notation table, in table order (one row per host window name).
QStringList notationIds();

// The enable notation of a host window, looked up by its exact name; empty for a name that is
// not in the table and for rows this program has no window for.
QString notation(const QString &windowName);

// Builds the parent map of a notation against a key map (the depth scan of cKyS). An unbalanced
// group runs to the end of the remaining text; malformed text never makes it fail.
QString buildParentMap(const QString &notation, const QString &keyMap);

} // namespace keybar
