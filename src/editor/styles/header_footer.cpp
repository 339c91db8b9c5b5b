#include "editor/styles/header_footer.h"

#include "platform/text/text_surface.h"

#include <cstdlib>

namespace editor {

bool switchHeaderFooter(platform::TextSurface &surface, const settings::UserStyleTable &table,
                        int argument) {
    const int bit = std::abs(argument);
    if (bit != 1 && bit != 2 && bit != 4 && bit != 8)
        return false;
    const int bits = surface.headerFooterBits();
    if (argument < 0) {
        if (!(bits & bit))
            return false;
        surface.setHeaderFooterBits(bits & ~bit);
        return true;
    }
    if (bits & bit)
        return false;
    surface.setHeaderFooterBits(bits | bit);
    if (!surface.setActiveArea(bit))
        return true;
    // An area switched off and on again in the same session keeps what it held.
    if (surface.textLength() == 0) {
        const bool header = bit <= 2;
        const settings::UserStyle &style =
            table.styles[header ? settings::Header : settings::Footer];
        surface.select(0, 0);
        surface.setAlignment(style.alignment);
        surface.setLineSpacing(platform::TextSurface::AutomaticLineSpacing);
        surface.setLeftIndent(0);
        surface.setRightIndent(0);
        surface.setFirstLineIndent(0);
        surface.setFontName(style.fontName);
        surface.setFontSize(style.size);
        surface.setBold(style.bold == 1);
        surface.setTextColor(style.textColor);
        surface.setBackColor(style.backColor);
        surface.setSelText(header ? QStringLiteral("Header") : QStringLiteral("Footer"));
    }
    surface.setActiveArea(0);
    return true;
}

} // namespace editor
