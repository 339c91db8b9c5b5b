#include "editor/markers/tooltip_list.h"

#include "platform/text/text_surface.h"

namespace editor {

QString tooltipList(const platform::TextSurface &surface) {
    QString list;
    for (int id = surface.nextField(0); id > 0; id = surface.nextField(id)) {
        if (surface.fieldLinkKind(id) != 2)
            continue;
        const QString data = surface.fieldData(id);
        if (!data.startsWith(QLatin1String("TP_")))
            continue;
        list += surface.fieldText(id) + u'\t' + data.mid(3) + u'\r';
    }
    return list;
}

} // namespace editor
