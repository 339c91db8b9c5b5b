#pragma once

#include "settings/user_styles.h"

#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// Marker colours (0x00BBGGRR) by the kind the field data names: "TG_" tags, "TP_" tooltips,
// anything else a hyperlink or data field.
int markerColour(const QString &fieldData);

// Gives markers their own look back after a format was laid over them: body font name and size,
// the kind's colour, neither bold nor italic, underlined. start below 0 takes every marker,
// otherwise the markers touching start..start+length-1. Caret and selection are kept.
void recolourMarkers(platform::TextSurface &surface, const settings::UserStyleTable &table,
                     int start, int length);

} // namespace editor
