#include "editor/markers/marker_read.h"

#include "platform/text/text_surface.h"

namespace editor {

QString markerKindOf(const QString &data) {
    const QString head = data.left(3).toUpper();
    if (head == QLatin1String("TG_"))
        return QStringLiteral("TG");
    if (head == QLatin1String("TP_"))
        return QStringLiteral("TP");
    return QStringLiteral("LK");
}

MarkerInfo readMarker(const platform::TextSurface &surface, int fieldId) {
    if (fieldId <= 0 || surface.fieldStart(fieldId) <= 0)
        return {};
    const QString data = surface.fieldData(fieldId);
    const QString kind = markerKindOf(data);
    if (kind == QLatin1String("TG")) {
        QString value = data.mid(3);
        const qsizetype underscore = value.indexOf(u'_');
        if (underscore >= 0)
            value = value.mid(underscore + 1);
        return {kind, value};
    }
    if (kind == QLatin1String("TP"))
        return {kind, data.mid(3)};
    return {kind, data};
}

QString markerKindAtCaret(const platform::TextSurface &surface) {
    const int field = surface.fieldAtInput();
    return field > 0 ? readMarker(surface, field).kind : QString();
}

} // namespace editor
