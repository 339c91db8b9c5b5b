#include "keybar/menu_arrays.h"

#include <QAction>
#include <QMenu>

namespace keybar {

void MenuArrays::setEntry(int menuNumber, int index, QAction *action) {
    m_entries[menuNumber][index] = action;
}

void MenuArrays::setMenu(int menuNumber, const QMenu *menu) {
    const QList<QAction *> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i)
        setEntry(menuNumber, i, actions.at(i));
}

void MenuArrays::clear() {
    m_entries.clear();
}

QAction *MenuArrays::entry(int menuNumber, int index) const {
    if (menuNumber < kFirstMenu || menuNumber > kLastMenu)
        return nullptr;
    QAction *action = m_entries.value(menuNumber).value(index);
    if (!action || action->isSeparator() || action->text() == QLatin1String("-"))
        return nullptr;
    return action;
}

} // namespace keybar
