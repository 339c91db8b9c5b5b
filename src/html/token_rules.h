#pragma once

#include "html/html_token.h"

#include <QString>

namespace settings {
struct UserStyleTable;
}

namespace html {

// Tooltip anchors become titled spans styled with tooltipStyle; anchors directly followed by
// their closing tag are dropped. tooltipTable holds lines "link text TAB tooltip CR".
void convertTooltipLinks(TokenList &tokens, const QString &tooltipTable,
                         const QString &tooltipStyle);

// Presentational attributes (align, valign, bgcolor, type) become declarations.
void moveAttributesIntoStyles(TokenList &tokens);

// Drops spans with nothing inside and blocks that are empty or hold only blank text.
void dropEmptyElements(TokenList &tokens);

// Indented blocks at a heading's font size become h1, h3 or h5.
void recogniseHeadings(TokenList &tokens, const settings::UserStyleTable &styles);

// Gives every kept token its layout level.
void assignLevels(TokenList &tokens);

} // namespace html
