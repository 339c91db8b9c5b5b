#pragma once

#include "keybar/menu_code.h"

#include <QString>
#include <optional>

namespace keybar {

class Host;
class KeyRow;

// Binds the keys of a row to the host's menu entries and keeps them enabled with those entries.
// No widget: the bar and the tests drive it directly. Every operation skips a missing host,
// menu entry or key and returns normally.
class KeyBindings {
public:
    explicit KeyBindings(KeyRow &row) : m_row(row) {}

    // Starts a binding period: full row gives the "4|4|4" layout; shows set "F".
    void cOn(Host *host, bool fullRow);
    void cOff();
    Host *host() const { return m_host; }

    void cKey(const QString &keyName, int menuNumber, int entryIndex, const QString &caption,
              const QString &tooltip);
    void cCap(const QString &keyName, const QString &caption);
    // Rebuilds the parent map from the host window's notation.
    void cKyS();
    // Enables (or shows) entries "0.3.5" of a menu and the keys bound to them or below them.
    void SetEnb(int menuNumber, const QString &entryIndices, bool enabled, bool visibility);
    // Enables the keys of a list "F1,F10,".
    void SetEnbKy(const QString &keyNames, bool enabled);
    // Copies every bound entry's enabled state onto its key.
    void SetEnbByMenu();

    // What a key used on the keyboard or by mouse runs; modifier state 2 is Ctrl. The caller
    // calls the host's fnMenu itself, since that may end the bar's life.
    struct Press {
        bool bound = false;             // the key map holds the key: the press is consumed
        std::optional<MenuRef> command; // set for a bound key that is enabled
    };
    Press press(int keyNumber, int modifierState) const;

    QString keyMap() const { return m_keyMap; }
    QString parentMap() const { return m_parentMap; }

private:
    KeyRow &m_row;
    Host *m_host = nullptr;
    QString m_keyMap;
    QString m_parentMap;
};

} // namespace keybar
