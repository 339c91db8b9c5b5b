#pragma once

#include "windows/main/main_menus.h"

#include <QMainWindow>

namespace settings {
class yIni;
}

namespace mainwin {

// The main window. Closing it (close box or "終了(&X)") is the only way the program ends: once
// CloseMain has agreed, shutdownRequested tells the application to shut down.
class fmTxt : public QMainWindow {
    Q_OBJECT

public:
    explicit fmTxt(settings::yIni &ini, QWidget *parent = nullptr);

    // The load step run once when the window is first shown by start-up.
    void LoadStep();

    // The command dispatcher of the menus and function keys: (menu code, item index).
    Q_INVOKABLE void fnMenu(int iMenu, int iNdx);

    void CloseMain(bool &cancel);
    void SaveWinPos();
    void RestoreWinPos();
    void ShowFkeyBar(bool show, bool store);
    void SetCalCols(int index, bool store);

    const MainMenus &menus() const { return m_menus; }
    bool fkeyBarShown() const { return m_fkeyShown; }
    int calColsIndex() const { return m_calColsIndex; }

signals:
    void shutdownRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectMenus();

    settings::yIni &m_ini;
    MainMenus m_menus;
    bool m_fkeyShown = true;
    int m_calColsIndex = 1;
    bool m_closed = false;
};

} // namespace mainwin
