#include "editor/styles/marker_colours.h"

#include "platform/text/text_surface.h"

namespace editor {

int markerColour(const QString &fieldData) {
    const QString head = fieldData.left(3).toUpper();
    if (head == QLatin1String("TG_"))
        return 0x808000;
    if (head == QLatin1String("TP_"))
        return 0x404080;
    return 0xff8080;
}

void recolourMarkers(platform::TextSurface &surface, const settings::UserStyleTable &table,
                     int start, int length) {
    const settings::UserStyle &body = table.styles[settings::Body];
    const int caret = surface.selStart();
    const int selected = surface.selLength();
    const int last = start + length - 1;
    for (int id = surface.nextField(0); id > 0; id = surface.nextField(id)) {
        if (surface.fieldLinkKind(id) == 0)
            continue;
        const int first = surface.fieldStart(id) - 1; // 0-based
        const int end = surface.fieldEnd(id) - 1;
        if (start >= 0 && (end < start || first > last))
            continue;
        surface.select(first, end - first + 1);
        surface.setFontName(body.fontName);
        surface.setFontSize(body.size);
        surface.setTextColor(markerColour(surface.fieldData(id)));
        surface.setBold(false);
        surface.setItalic(false);
        surface.setUnderline(true);
    }
    surface.select(caret, selected);
}

} // namespace editor
