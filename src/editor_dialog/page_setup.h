#pragma once

#include "platform/text/text_model.h"

#include <QList>
#include <QString>

namespace settings {
class yIni;
}

namespace editor_dialog {

struct Paper {
    QString caption;
    int width = 0; // twips, portrait
    int height = 0;
};

// The fifteen papers in list order; the list shows "ﾕｰｻﾞｰ定義" after them.
const QList<Paper> &papers();
QString userDefinedCaption();

// The six boxes of the page setup page, centimetre texts.
struct PageTexts {
    QString width, height, left, top, right, bottom;
    bool landscape = false;
};

PageTexts pageTexts(const platform::PageSetup &page);
// The paper whose size the two texts show in either orientation, or papers().size() for
// "ﾕｰｻﾞｰ定義".
int matchPaper(const QString &width, const QString &height);
// Width and height of paper index, exchanged for landscape; other boxes unchanged.
void choosePaper(PageTexts &texts, int index);
// Switches the orientation, exchanging width and height when it changes.
void setLandscape(PageTexts &texts, bool landscape);
// The page with the boxes' sizes and margins; the header and footer bits stay.
platform::PageSetup applyTexts(const PageTexts &texts, platform::PageSetup page);
// "規定値として設定": the six values in twips into "TX_PAGE", committed.
void writeDefaultPage(settings::yIni &ini, const PageTexts &texts);

} // namespace editor_dialog
