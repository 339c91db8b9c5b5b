#pragma once

#include "keybar/host.h"
#include "keybar/menu_arrays.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QPair>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>

// A host window with the main window's menus: "操作" as mnFile (2), "参照" as mnList (9),
// "日付" as mnPage (10), and the top-level menus as mnJb (1). Records every fnMenu call.
class TestHost : public keybar::Host {
public:
    explicit TestHost(const QString &name = QStringLiteral("fmTxt"))
        : m_name(name), m_window(std::make_unique<QWidget>()) {
        auto *layout = new QVBoxLayout(m_window.get());
        m_menuBar = new QMenuBar(m_window.get());
        layout->setMenuBar(m_menuBar);
        m_file = addMenu(0, QStringLiteral("操作(&F)"));
        m_list = addMenu(1, QStringLiteral("参照(&L)"));
        m_page = addMenu(2, QStringLiteral("日付(&D)"));
        addMenu(3, QStringLiteral("設定"));

        addEntries(2, m_file,
                   {{0, "ﾍﾟｰｼﾞﾋﾞｭｰ"},
                    {1, "印刷"},
                    {2, "保存"},
                    {4, "-"},
                    {5, "更新(&U)"},
                    {6, "-"},
                    {7, "削除(&D)"},
                    {8, "-"},
                    {11, "終了(&X)"}});
        addEntries(9, m_list,
                   {{0, "検索(&F)"},
                    {1, "-"},
                    {2, "最近の日記(&D)"},
                    {3, "去年の今頃"},
                    {4, "おととしの今頃"}});
        addEntries(10, m_page,
                   {{0, "登録されている最初の日"},
                    {1, "登録されている最後の日"},
                    {2, "-"},
                    {3, "本日"},
                    {4, "去年の同日付"},
                    {5, "おととしの同日付"}});
    }

    void fnMenu(int menuCode, int index) override {
        calls.append({menuCode, index});
        if (onMenu)
            onMenu(menuCode, index);
    }
    QAction *menuEntry(int menuNumber, int index) const override {
        return m_arrays.entry(menuNumber, index);
    }
    QString hostName() const override { return m_name; }
    QWidget *hostWindow() const override { return m_window.get(); }

    QWidget *window() const { return m_window.get(); }
    // The action registered under (menu number, index), separators included.
    QAction *action(int menuNumber, int index) const { return m_raw.value({menuNumber, index}); }

    QList<QPair<int, int>> calls;
    std::function<void(int, int)> onMenu;

private:
    QMenu *addMenu(int index, const QString &title) {
        QMenu *menu = m_menuBar->addMenu(title);
        m_arrays.setEntry(1, index, menu->menuAction());
        m_raw.insert({1, index}, menu->menuAction());
        return menu;
    }
    void addEntries(int number, QMenu *menu,
                    std::initializer_list<QPair<int, const char *>> items) {
        for (const auto &[index, text] : items) {
            QAction *action = QString::fromUtf8(text) == QLatin1String("-")
                                  ? menu->addSeparator()
                                  : menu->addAction(QString::fromUtf8(text));
            m_arrays.setEntry(number, index, action);
            m_raw.insert({number, index}, action);
        }
    }

    QString m_name;
    std::unique_ptr<QWidget> m_window;
    QMenuBar *m_menuBar;
    QMenu *m_file;
    QMenu *m_list;
    QMenu *m_page;
    keybar::MenuArrays m_arrays;
    QHash<QPair<int, int>, QAction *> m_raw;
};

// The main window's registration of the twelve keys.
struct KeyRegistration {
    const char *key;
    int menu;
    int index;
    const char *caption;
    const char *tooltip;
};

inline constexpr KeyRegistration kMainKeys[] = {
    {"F1", 10, 0, "最初", "登録されている最初の日付"},
    {"F2", 10, 1, "最後", "登録されている最後の日付"},
    {"F3", 10, 4, "去年", "去年の同日付に移動"},
    {"F4", 10, 3, "本日", "本日の日付に移動"},
    {"F5", 9, 0, "検索", "指定文字で全文検索を行います"},
    {"F6", 9, 2, "最近", "最近の日記を一括表示します"},
    {"F7", 9, 3, "去年", "去年の今頃の日記を一括表示します"},
    {"F8", 9, 4, "おととし", "おととしの今頃の日記を一括表示します"},
    {"F9", 2, 5, "更新", "現在の日付の日誌を更新します"},
    {"F10", 2, 0, "ﾌﾟﾚﾋﾞｭｰ", "印刷ﾌﾟﾚﾋﾞｭｰを表示します"},
    {"F11", 2, 1, "印刷", "現在の日誌を印刷します"},
    {"F12", 2, 2, "保存", "現在の日誌を別形式で保存します"},
};
