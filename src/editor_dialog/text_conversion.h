#pragma once

#include <QString>

namespace editor_dialog {

// The conversions of the replace frame's buttons, in button order.
enum class Conversion { FullWidth = 0, HalfWidth = 1, Upper = 2, Lower = 3, Proper = 4 };

// Converts through ICU's transliterators; half-width first turns hiragana into katakana, so that
// they become half-width katakana. Answers the text unchanged when ICU has no transliterator.
QString convertText(const QString &text, Conversion conversion);

} // namespace editor_dialog
