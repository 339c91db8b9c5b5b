#pragma once

#include <QString>

namespace mainwin {

// The search and recent-list window as the main window calls it. The application hands the
// main window an implementation; without one the reference commands do nothing.
class ListingWindow {
public:
    virtual ~ListingWindow() = default;
    // The up to 50 entries up to and including key sDt, newest first, under the title sCp.
    virtual void ActDate(const QString &sCp, const QString &sDt) = 0;
    // The entries whose text contains sWd.
    virtual void ActWd(const QString &sWd) = 0;
    // Closes the windows that edit entries on their own before the diary closes; false when the
    // user chose to keep one open.
    virtual bool closeEntryWindows() { return true; }
};

} // namespace mainwin
