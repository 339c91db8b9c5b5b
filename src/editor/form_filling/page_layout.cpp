#include "editor/form_filling/page_layout.h"

#include "platform/dialogs.h"
#include "platform/text/text_surface.h"

namespace editor {

bool layoutFormPage(platform::TextSurface &surface, int sections) {
    if (sections < 2)
        return false;
    surface.toMainText();
    if (!surface.text().isEmpty() &&
        platform::dialogs().message(QStringLiteral("文書は初期化されますが良いですか"),
                                    platform::Buttons::OkCancel,
                                    platform::Icon::Question) != platform::Answer::Ok)
        return false;
    surface.select(0, -1);
    surface.setSelText(QString());
    const platform::PageSetup page = surface.page();
    const int margins = page.marginTop + page.marginBottom;
    const int height = page.height / sections - margins;
    const int width = page.width - page.marginLeft - page.marginRight;
    if (height <= 0 || width <= 0)
        return false;
    // Each frame ends at its vertical value: h for the first, 2h + the margins for the second.
    for (int k = 0; k < sections - 1; ++k) {
        const int bottom = k == 0 ? height : 2 * height + margins;
        surface.insertTextFrame(width, height, {0, 0, 0, 0}, bottom - height);
    }
    return true;
}

} // namespace editor
