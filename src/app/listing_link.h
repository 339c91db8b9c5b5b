#pragma once

#include "windows/main/listing.h"

#include <QPointer>

namespace mainwin {
class fmTxt;
}
namespace searchwin {
class sbFnd;
}
namespace entryedit {
class sbEdt;
}

namespace appshell {

// The main window's reference commands reach the one search and recent-list window through
// this link; a date clicked there opens the entry edit window. Both windows are placed over the
// main window's editor on their first display.
class ListingLink final : public mainwin::ListingWindow {
public:
    explicit ListingLink(mainwin::fmTxt *main);

    void ActDate(const QString &sCp, const QString &sDt) override;
    void ActWd(const QString &sWd) override;
    bool closeEntryWindows() override;

private:
    searchwin::sbFnd &listing();
    void openEntry(const QString &key);

    QPointer<mainwin::fmTxt> m_main;
    QPointer<searchwin::sbFnd> m_connected;
    QPointer<entryedit::sbEdt> m_editConnected;
};

} // namespace appshell
