#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace settings {

class yIni;

// One user text style, fields in their stored order.
struct UserStyle {
    QString fontName;       // 0
    qint16 size = 10;       // 1 points
    qint32 textColor = 0;   // 2 0x00BBGGRR
    qint32 backColor = 0;   // 3 0x00BBGGRR
    qint16 bold = 0;        // 4 1 = bold
    qint16 alignment = 0;   // 5
    qint16 spacingA = 0;    // 6
    qint16 spacingB = 0;    // 7
    qint16 lineSpacing = 0; // 8 ("32" in the stored text stands for 7936)
    qint16 leftIndent = 0;  // 9 twips
    qint16 indentB = 0;     // 10 twips
    qint16 indentC = 0;     // 11 twips
    qint16 indentD = 0;     // 12
    qint16 indentE = 0;     // 13

    bool operator==(const UserStyle &) const = default;
};

// Indices of the eight records.
enum StyleIndex {
    Heading1 = 0,
    Heading2 = 1,
    Heading3 = 2,
    Body = 3,
    Emphasis = 4,
    Supplement = 5,
    Header = 6,
    Footer = 7,
};

// The program-wide user style table with its line-spacing factor and two options.
struct UserStyleTable {
    std::array<UserStyle, 8> styles;
    float lineSpacingFactor = 1.2f;
    bool titleIsFirstHeading = true; // "最初は見出1"
    bool enterIsLineBreak = true;    // "本文はEnter= <br>"

    bool operator==(const UserStyleTable &) const = default;

    // The built-in table.
    static UserStyleTable defaults();
};

// Reads group "TX_FORMAT" into table. A missing, empty or malformed record takes its built-in
// default; false when a record held a number its field cannot take (that record takes its
// default too, everything else is read).
bool UsrStyleLoad(yIni &ini, UserStyleTable &table);
// Writes the whole table into group "TX_FORMAT" and commits the group.
void UsrStyleSave(yIni &ini, const UserStyleTable &table);

// One record in its stored form: 14 fields joined by "|".
QString styleRecordText(const UserStyle &style);
// Parses a stored record; nothing when it is empty, has not exactly 14 fields or a number does
// not fit its field.
std::optional<UserStyle> parseStyleRecord(const QString &text);

} // namespace settings
