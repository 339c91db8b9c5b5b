// The marker part of the editor behind its entry points: links, tags, tooltips, data fields and
// the numbered preview.
#include "editor/commands.h"
#include "editor/entry_points.h"
#include "editor/interface.h"
#include "editor/markers/marker_commands.h"
#include "editor/markers/numbered_preview.h"
#include "platform/text/text_surface.h"

namespace editor {

bool EntryPoints::marker(uTxm &host, int command, const QVariant &argument) {
    switch (command) {
    case cmd::Hyperlink:
        return linkCommand(host, markerRequest(argument)) != MarkerCancelled;
    case cmd::Tag:
        return tagCommand(host, markerRequest(argument)) != MarkerCancelled;
    case cmd::Tooltip:
        return tooltipCommand(host, markerRequest(argument)) != MarkerCancelled;
    case cmd::DataField: {
        const bool changed = dataFieldCommand(host.surface(), argument.toInt() == 1);
        if (changed) {
            host.setBDcEdt(true);
            showCaret(host);
        }
        return changed;
    }
    default:
        return false; // dxml references belong to another program
    }
}

bool EntryPoints::textFrameMarker(uTxm &host) {
    platform::TextSurface copy;
    if (!numberedCopy(host.surface(), copy))
        return false;
    previewSurface(host, copy);
    return false;
}

} // namespace editor
