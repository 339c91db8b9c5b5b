#pragma once

#include <QString>

class QTextTable;

namespace platform {
class TextSurface;
}

namespace editor {

// The values the surface's own format dialogs edit. Each is read from the selection, edited by
// its dialog and applied by a plain function, so the logic runs without a window.

struct FontValues {
    QString name;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int color = 0; // 0x00BBGGRR

    bool operator==(const FontValues &) const = default;
};
FontValues readFont(const platform::TextSurface &surface);
void applyFont(platform::TextSurface &surface, const FontValues &values);

// Lengths in twips; line spacing 7936 is automatic single spacing, other values are percent.
struct ParagraphValues {
    int alignment = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 7936;

    bool operator==(const ParagraphValues &) const = default;
};
ParagraphValues readParagraph(const platform::TextSurface &surface);
void applyParagraph(platform::TextSurface &surface, const ParagraphValues &values);

// 1 no list, 2 bullets, 3 numbers.
struct ListValues {
    int state = 1;

    bool operator==(const ListValues &) const = default;
};
ListValues readList(const platform::TextSurface &surface);
void applyList(platform::TextSurface &surface, const ListValues &values);

// The table at the caret: border width and cell padding in twips, width in percent of the text
// width (0 = as the content needs), background of the caret's cell (-1 none, else 0x00BBGGRR).
struct TableValues {
    int border = 15;
    int padding = 60;
    int widthPercent = 100;
    int cellBackground = -1;

    bool operator==(const TableValues &) const = default;
};
// The table the caret stands in, or nullptr.
QTextTable *caretTable(const platform::TextSurface &surface);
bool readTable(const platform::TextSurface &surface, TableValues &values);
bool applyTable(platform::TextSurface &surface, const TableValues &values);

} // namespace editor
