// The style part of the editor behind its entry points: user styles, indentation, headers and
// footers, the format carrier and tidying.
#include "editor/bars/bands.h"
#include "editor/entry_points.h"
#include "editor/interface.h"
#include "editor/styles/format_carrier.h"
#include "editor/styles/header_footer.h"
#include "editor/styles/indent.h"
#include "editor/styles/marker_colours.h"
#include "editor/styles/style_apply.h"
#include "editor/styles/tidy.h"
#include "platform/text/text_fonts.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QTextDocument>
#include <QToolButton>

#include <cstdlib>

namespace editor {

bool EntryPoints::tidy(uTxm &host) {
    const bool changed = tidyText(host.surface());
    recolourMarkers(host, -1, 0);
    return changed;
}

void EntryPoints::recolourMarkers(uTxm &host, int start, int length) {
    editor::recolourMarkers(host.surface(), host.userStyles(), start, length);
}

bool EntryPoints::indent(uTxm &host, int argument) {
    return indentParagraph(host.surface(), host.userStyles(), host.editorType(), argument);
}

bool EntryPoints::headerFooter(uTxm &host, int argument) {
    host.takeSnapshot();
    platform::TextView *view = host.view();
    if (view->viewMode() != platform::TextView::PageView)
        view->setViewMode(platform::TextView::PageView);
    const bool changed = switchHeaderFooter(host.surface(), host.userStyles(), argument);
    view->refresh();
    host.setBDcEdt(true);
    host.refreshToolbar();
    return changed;
}

bool EntryPoints::applyUserStyle(uTxm &host, int argument) {
    StyleTarget target{
        host.surface(),
        host.userStyles(),
        host.editorType(),
        [&host] { return host.imeOpen(); },
        [&host](bool on) { host.txIME(on); },
        [this, &host](int start, int length) { recolourMarkers(host, start, length); }};
    return editor::applyUserStyle(target, std::abs(argument), argument < 0);
}

bool EntryPoints::copyFormat(uTxm &host) {
    showCarrier(host.frFmt()->cmTfm, carrierFromCaret(host.surface()));
    return false;
}

bool EntryPoints::pasteFormat(uTxm &host) {
    const std::optional<CarriedFormat> format = carrierOf(host.frFmt()->cmTfm);
    if (!format)
        return false;
    pasteCarrier(host.surface(), *format);
    host.view()->setFocus();
    return true;
}

void EntryPoints::applyUserStyles(uTxm &host) {
    platform::TextSurface &surface = host.surface();
    const settings::UserStyle &body = host.userStyles().styles[settings::Body];
    QTextDocument *document = surface.document();
    QFont font = document->defaultFont();
    font.setFamilies({body.fontName});
    font.setPointSize(body.size);
    document->setDefaultFont(platform::layoutFont(font));
    if (surface.activeArea() == 0 && surface.selLength() == 0) {
        surface.setFontName(body.fontName);
        surface.setFontSize(body.size);
        surface.setTextColor(body.textColor);
        surface.setBold(body.bold == 1);
        // White is the page: text without a background already shows it.
        if (body.backColor != 0xFFFFFF)
            surface.setBackColor(body.backColor);
        host.view()->setTextCursor(surface.cursor());
    }
    QToolButton *carrier = host.frFmt()->cmTfm;
    if (!carrierOf(carrier))
        showCarrier(carrier, carrierFromBody(surface, host.userStyles()));
}

} // namespace editor
