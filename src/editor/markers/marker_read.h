#pragma once

#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// Field attribute every marker carries.
constexpr int kMarkerAttribute = 149;
// Visible text and data of a new data field.
inline const QString kDataFieldText = QStringLiteral("[FD]");
inline const QString kDataFieldData = QStringLiteral("@");

// A marker's kind code ("TG" tag, "TP" tooltip, "LK" hyperlink or data field) and the value the
// kind carries.
struct MarkerInfo {
    QString kind;
    QString value;
};

// The kind code of field data: its first three characters, compared after upper-casing.
QString markerKindOf(const QString &data);
// Kind and value of a field; two empty texts when the field cannot be read.
MarkerInfo readMarker(const platform::TextSurface &surface, int fieldId);
// The marker kind at the caret, "" when the caret is on no marker.
QString markerKindAtCaret(const platform::TextSurface &surface);

} // namespace editor
