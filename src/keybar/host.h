#pragma once

#include <QString>

class QAction;
class QWidget;

namespace keybar {

// What the key bar needs of the window that hosts it. The bar never knows the window's class.
class Host {
public:
    virtual ~Host() = default;

    // Runs a menu entry: the dispatcher every key press ends in.
    virtual void fnMenu(int menuCode, int index) = 0;
    // The entry (menu number 1 to 16, index) of the host's menus; nullptr when there is none.
    virtual QAction *menuEntry(int menuNumber, int index) const = 0;
    // The window name that selects the enable notation.
    virtual QString hostName() const = 0;
    // The top-level window inside which F1-F12 reach the bar.
    virtual QWidget *hostWindow() const = 0;
};

} // namespace keybar
