#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace html {

// One tag or text piece of the exported body.
struct HtmlToken {
    QString tag;     // "div", "/div", "img"; "val" for text
    qint16 kind = 0; // 1 opening, -1 closing, 0 text, "br" and "img"
    bool dropped = false;
    QString attributes; // without the style attribute
    QString style;      // declarations of the style attribute
    QString cls;        // generated class name, such as di01
    QString raw;        // the piece as it stood, trimmed of spaces
    qint16 level = -1;  // -1 inline, 0..4 block depth
};

using TokenList = std::vector<HtmlToken>;

// The token count is a signed 16-bit number in stored pages' history; one more is an overflow.
constexpr int kMaxTokens = 32767;

} // namespace html
