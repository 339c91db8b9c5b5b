#include "editor/styles/tidy.h"

#include "editor/styles/paragraph_rewrite.h"
#include "platform/text/text_surface.h"

namespace editor {

namespace {

bool trailing(QChar ch) {
    const char16_t c = ch.unicode();
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == 10 || c == 11;
}

} // namespace

bool tidyText(platform::TextSurface &surface) {
    SurfaceBatch batch(surface);
    const QString before = surface.text();
    joinEqualParagraphs(surface);
    const QString joined = surface.text();
    qsizetype end = joined.size();
    while (end > 0 && trailing(joined.at(end - 1)))
        --end;
    if (end < joined.size()) {
        surface.select(int(end), int(joined.size() - end));
        surface.setSelText(QString());
    }
    surface.select(qMin(surface.selStart(), surface.textLength()), 0);
    return surface.text() != before;
}

} // namespace editor
