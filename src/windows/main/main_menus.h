#pragma once

#include <QHash>
#include <QPair>

class QAction;
class QMenu;
class QMenuBar;

namespace mainwin {

// Menu codes of the dispatcher fnMenu.
enum MenuCode { OperationMenu = 2, ReferenceMenu = 9, DateMenu = 10 };

// The four menus of the main window. Entries are addressed by (menu code, item index) with the
// designed indices, gaps included; the settings menu has no code and is reached by its fields.
struct MainMenus {
    QMenu *operation = nullptr; // "操作(&F)"
    QMenu *reference = nullptr; // "参照(&L)"
    QMenu *date = nullptr;      // "日付(&D)"
    QMenu *options = nullptr;   // "設定"
    QAction *compact = nullptr; // "ﾃﾞｰﾀｰﾍﾞｰｽの最適化" in the submenu of "ﾃﾞｰﾀｰ(&B)"
    QAction *backup = nullptr;      // "ﾊﾞｯｸｱｯﾌﾟと復元..."
    QAction *exportDiary = nullptr; // "日記の書き出し..."
    QAction *showFkeys = nullptr;
    QAction *calCols[3] = {nullptr, nullptr, nullptr}; // "１列", "２列", "３列"

    QHash<QPair<int, int>, QAction *> entries;
    QAction *entry(int menuCode, int index) const { return entries.value({menuCode, index}); }
};

// Builds the menus into bar. Every entry of a coded menu carries the properties "menuCode" and
// "menuIndex" for the dispatcher.
MainMenus buildMainMenus(QMenuBar *bar);

} // namespace mainwin
