#include "windows/main/fm_txt.h"

#include "windows/main/win_pos.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QMenu>
#include <QMenuBar>

namespace mainwin {

fmTxt::fmTxt(settings::yIni &ini, QWidget *parent) : QMainWindow(parent), m_ini(ini) {
    setCentralWidget(new QWidget(this));
    m_menus = buildMainMenus(menuBar());
    // Entries whose commands need the diary, the editor or the lists stay off until those exist.
    for (auto it = m_menus.entries.cbegin(); it != m_menus.entries.cend(); ++it)
        it.value()->setEnabled(it.key() == qMakePair(int(OperationMenu), 11));
    m_menus.compact->setEnabled(false);
    connectMenus();
}

void fmTxt::connectMenus() {
    for (QAction *action : std::as_const(m_menus.entries)) {
        if (action->isSeparator() || action->menu())
            continue;
        connect(action, &QAction::triggered, this, [this, action] {
            fnMenu(action->property("menuCode").toInt(), action->property("menuIndex").toInt());
        });
    }
    connect(m_menus.showFkeys, &QAction::triggered, this,
            [this] { ShowFkeyBar(!m_fkeyShown, true); });
    for (int i = 0; i < 3; ++i)
        connect(m_menus.calCols[i], &QAction::triggered, this, [this, i] { SetCalCols(i, true); });
}

void fmTxt::LoadStep() {
    RestoreWinPos();
    setWindowTitle(QDate::currentDate().toString(QStringLiteral("yy/MM/dd")));
}

void fmTxt::fnMenu(int iMenu, int iNdx) {
    if (iMenu == OperationMenu && iNdx == 11) {
        bool cancel = false;
        CloseMain(cancel);
    }
}

void fmTxt::CloseMain(bool &cancel) {
    cancel = false;
    if (m_closed)
        return;
    SaveWinPos();
    m_closed = true;
    emit shutdownRequested();
}

void fmTxt::closeEvent(QCloseEvent *event) {
    bool cancel = false;
    CloseMain(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void fmTxt::SaveWinPos() {
    writeWinPos(m_ini, toTwips(QRect(pos(), size()), logicalDpiX()));
}

void fmTxt::RestoreWinPos() {
    const WinRect r = readWinPos(m_ini);
    if (r.width > 0 && r.height > 0) {
        const QRect px = toPixels(r, logicalDpiX());
        move(px.topLeft());
        resize(px.size());
    }
    SetCalCols(readCalColsIndex(m_ini), false);
    ShowFkeyBar(readFkeyShown(m_ini), false);
}

void fmTxt::ShowFkeyBar(bool show, bool store) {
    m_fkeyShown = show;
    m_menus.showFkeys->setChecked(show);
    if (store)
        storeFkeyShown(m_ini, show);
}

void fmTxt::SetCalCols(int index, bool store) {
    m_calColsIndex = qBound(0, index, 2);
    m_menus.calCols[m_calColsIndex]->setChecked(true);
    if (store)
        storeCalColsIndex(m_ini, m_calColsIndex);
}

} // namespace mainwin
