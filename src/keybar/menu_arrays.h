#pragma once

#include <QHash>
#include <QPointer>

class QAction;
class QMenu;

namespace keybar {

// The host's numbered menu arrays (1 mnJb, 2 mnFile, ... 16 mnRep) over Qt actions, so a host
// can answer Host::menuEntry. Indices may have gaps, as the arrays of a designed menu do.
class MenuArrays {
public:
    static constexpr int kFirstMenu = 1;
    static constexpr int kLastMenu = 16;

    // Registers one entry; an index registered twice keeps the later action.
    void setEntry(int menuNumber, int index, QAction *action);
    // Registers every action of a menu under its position, separators included.
    void setMenu(int menuNumber, const QMenu *menu);
    void clear();

    // The entry, or nullptr for a menu number outside 1 to 16, a missing index, a deleted action
    // or a separator (an entry whose caption is "-").
    QAction *entry(int menuNumber, int index) const;

private:
    QHash<int, QHash<int, QPointer<QAction>>> m_entries;
};

} // namespace keybar
