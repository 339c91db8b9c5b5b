#pragma once

#include "platform/text/text_surface.h"
#include "settings/user_styles.h"

#include <memory>

namespace editor_dialog {

// The samples of the user-style page: one paragraph per style 0 to 5 in tTxt, and the header and
// footer samples tHead and tFoot. The records are shown in them, edited there with the text
// control's own dialogs and read back from them on OK.
class StyleSamples {
public:
    StyleSamples();

    platform::TextSurface &text() { return *m_text; }
    platform::TextSurface &head() { return *m_head; }
    platform::TextSurface &foot() { return *m_foot; }

    void show(const settings::UserStyleTable &table);
    // Selects the sample paragraph of style 0 to 5, so that a dialog acts on it.
    void selectSample(int style);
    // Alignment of the header (false) or footer (true) sample.
    void setAreaAlignment(bool footer, int alignment);
    int areaAlignment(bool footer);

    // The records as the samples hold them; the fields the samples do not show come from base.
    settings::UserStyleTable read(const settings::UserStyleTable &base);

private:
    std::unique_ptr<platform::TextSurface> m_text;
    std::unique_ptr<platform::TextSurface> m_head;
    std::unique_ptr<platform::TextSurface> m_foot;
};

// Puts the heading sizes back in order when 見出1 > 見出2 > 見出3 >= 本文, 強調 and 10 points does
// not hold. True when it had to (the page then says so).
bool keepHeadingOrder(settings::UserStyleTable &table);

// The line-spacing factor the page stores: outside 1 to 2 it is 1.2.
float checkedLineSpacing(double factor);

// OK of the user-style page: the samples read back, the options and the factor taken, the heading
// order kept and 補足 set to 本文's font on white. True when the heading sizes were reset.
bool confirmUserStyles(StyleSamples &samples, settings::UserStyleTable &table, double factor,
                       bool titleIsFirstHeading, bool enterIsLineBreak);

} // namespace editor_dialog
