#include "editor_dialog/page_setup.h"

#include "editor_dialog/dialog_values.h"
#include "settings/yini.h"

#include <utility>

namespace editor_dialog {

const QList<Paper> &papers() {
    static const QList<Paper> list = {
        {QStringLiteral("A4   210 * 297 mm"), 11900, 16838},
        {QStringLiteral("A5   148 * 210 mm"), 8300, 11900},
        {QStringLiteral("B5   182 * 257 mm"), 10318, 14581},
        {QStringLiteral("A6   105 * 148 mm"), 5949, 8380},
        {QStringLiteral("ﾌｫﾄ  102 * 152 mm"), 5779, 8612},
        {QStringLiteral("ﾊｶﾞｷ 100 * 148 mm"), 5666, 8386},
        {QStringLiteral("往復   200*148 mm"), 11332, 8386},
        {QStringLiteral("ﾚﾀ-   8.5 * 11 in"), 12240, 15840},
        {QStringLiteral("ﾘ-ｶﾞﾙ 8.5 * 14 in"), 12240, 20160},
        {QStringLiteral("長形3号 120*235mm"), 6799, 13315},
        {QStringLiteral("長形4号  90*205mm"), 5099, 11615},
        {QStringLiteral("洋形1号 120*176mm"), 6799, 9972},
        {QStringLiteral("洋形2号 114*162mm"), 6459, 9179},
        {QStringLiteral("洋形3号  98*148mm"), 5553, 8386},
        {QStringLiteral("洋形4号 105*235mm"), 5949, 13315},
    };
    return list;
}

QString userDefinedCaption() {
    return QStringLiteral("ﾕｰｻﾞｰ定義");
}

PageTexts pageTexts(const platform::PageSetup &page) {
    return {sTwpsDlg(page.width),
            sTwpsDlg(page.height),
            sTwpsDlg(page.marginLeft),
            sTwpsDlg(page.marginTop),
            sTwpsDlg(page.marginRight),
            sTwpsDlg(page.marginBottom),
            page.landscape};
}

int matchPaper(const QString &width, const QString &height) {
    // Compared as the boxes show them, so a size read back from its own text still matches.
    const QString w = sTwpsDlg(nDlgTwps(width));
    const QString h = sTwpsDlg(nDlgTwps(height));
    const QList<Paper> &list = papers();
    for (int i = 0; i < list.size(); ++i) {
        const QString pw = sTwpsDlg(list[i].width);
        const QString ph = sTwpsDlg(list[i].height);
        if ((w == pw && h == ph) || (w == ph && h == pw))
            return i;
    }
    return int(list.size());
}

void choosePaper(PageTexts &texts, int index) {
    if (index < 0 || index >= papers().size())
        return;
    const Paper &paper = papers()[index];
    texts.width = sTwpsDlg(texts.landscape ? paper.height : paper.width);
    texts.height = sTwpsDlg(texts.landscape ? paper.width : paper.height);
}

void setLandscape(PageTexts &texts, bool landscape) {
    if (texts.landscape == landscape)
        return;
    texts.landscape = landscape;
    std::swap(texts.width, texts.height);
}

platform::PageSetup applyTexts(const PageTexts &texts, platform::PageSetup page) {
    page.width = nDlgTwps(texts.width);
    page.height = nDlgTwps(texts.height);
    page.marginLeft = nDlgTwps(texts.left);
    page.marginTop = nDlgTwps(texts.top);
    page.marginRight = nDlgTwps(texts.right);
    page.marginBottom = nDlgTwps(texts.bottom);
    page.landscape = texts.landscape;
    return page;
}

void writeDefaultPage(settings::yIni &ini, const PageTexts &texts) {
    ini.GetGtx(QStringLiteral("TX_PAGE"));
    ini.SetVal(QStringLiteral("WIDTH"), nDlgTwps(texts.width));
    ini.SetVal(QStringLiteral("HEIGHT"), nDlgTwps(texts.height));
    ini.SetVal(QStringLiteral("M_LFT"), nDlgTwps(texts.left));
    ini.SetVal(QStringLiteral("M_TOP"), nDlgTwps(texts.top));
    ini.SetVal(QStringLiteral("M_RGH"), nDlgTwps(texts.right));
    ini.SetVal(QStringLiteral("M_BTM"), nDlgTwps(texts.bottom));
    ini.SetGtx();
}

} // namespace editor_dialog
