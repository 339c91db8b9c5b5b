#include "editor/styles/styles.h"

#include "platform/text/text_surface.h"

#include <cmath>

namespace editor {

namespace {

bool textMatches(const platform::TextSurface &surface, const settings::UserStyle &style) {
    return surface.fontName() == style.fontName && surface.textColor() == style.textColor &&
           surface.bold() == (style.bold == 1) &&
           std::lround(surface.fontSize()) == long(style.size);
}

} // namespace

int classifyStyle(const platform::TextSurface &surface, const settings::UserStyleTable &table) {
    const bool body = surface.leftIndent() < 150;
    const int first = body ? settings::Body : settings::Heading1;
    const int last = body ? settings::Supplement : settings::Heading2;
    for (int i = first; i <= last; ++i)
        if (textMatches(surface, table.styles[std::size_t(i)]))
            return i;
    return body ? settings::Body : settings::Heading3;
}

bool caretInHeading(const platform::TextSurface &surface, const settings::UserStyleTable &table) {
    return surface.fontSize() > table.styles[settings::Body].size &&
           surface.listState() == platform::TextSurface::NoList && surface.leftIndent() > 60;
}

int indentUnit(const settings::UserStyleTable &table) {
    return table.styles[settings::Body].size * 20;
}

} // namespace editor
