#include "windows/main/main_menus.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace mainwin {
namespace {

// One designed item: its index in the menu and its caption; an empty caption is a separator.
struct Item {
    int index;
    const char16_t *caption;
};

void fill(MainMenus &menus, QMenu *menu, int code, std::initializer_list<Item> items) {
    for (const Item &item : items) {
        QAction *action = nullptr;
        if (item.caption[0] == u'\0') {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(QString::fromUtf16(item.caption));
            action->setProperty("menuCode", code);
            action->setProperty("menuIndex", item.index);
        }
        menus.entries.insert({code, item.index}, action);
    }
}

} // namespace

MainMenus buildMainMenus(QMenuBar *bar) {
    MainMenus m;
    m.operation = bar->addMenu(QStringLiteral("操作(&F)"));
    fill(m, m.operation, OperationMenu,
         {{0, u"ﾍﾟｰｼﾞﾋﾞｭｰ"},
          {1, u"印刷"},
          {2, u"保存"},
          {4, u""},
          {5, u"更新(&U)"},
          {6, u""},
          {7, u"削除(&D)"},
          {8, u""}});
    QMenu *data = m.operation->addMenu(QStringLiteral("ﾃﾞｰﾀｰ(&B)"));
    m.entries.insert({OperationMenu, 9}, data->menuAction());
    m.compact = data->addAction(QStringLiteral("ﾃﾞｰﾀｰﾍﾞｰｽの最適化"));
    m.backup = m.operation->addAction(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟと復元..."));
    m.exportDiary = m.operation->addAction(QStringLiteral("日記の書き出し..."));
    fill(m, m.operation, OperationMenu, {{10, u""}, {11, u"終了(&X)"}});

    m.reference = bar->addMenu(QStringLiteral("参照(&L)"));
    fill(m, m.reference, ReferenceMenu,
         {{0, u"検索(&F)"},
          {1, u""},
          {2, u"最近の日記(&D)"},
          {3, u"去年の今頃"},
          {4, u"おととしの今頃"}});

    m.date = bar->addMenu(QStringLiteral("日付(&D)"));
    fill(m, m.date, DateMenu,
         {{0, u"登録されている最初の日"},
          {1, u"登録されている最後の日"},
          {2, u""},
          {3, u"本日"},
          {4, u"去年の同日付"},
          {5, u"おととしの同日付"}});

    m.options = bar->addMenu(QStringLiteral("設定"));
    m.showFkeys = m.options->addAction(QStringLiteral("ﾌｧﾝｸｼｮﾝｷｰを表示"));
    m.showFkeys->setCheckable(true);
    QMenu *cols = m.options->addMenu(QStringLiteral("ｶﾚﾝﾀﾞｰの列数"));
    auto *group = new QActionGroup(cols);
    const char16_t *captions[3] = {u"１列", u"２列", u"３列"};
    for (int i = 0; i < 3; ++i) {
        m.calCols[i] = cols->addAction(QString::fromUtf16(captions[i]));
        m.calCols[i]->setCheckable(true);
        group->addAction(m.calCols[i]);
    }
    return m;
}

} // namespace mainwin
