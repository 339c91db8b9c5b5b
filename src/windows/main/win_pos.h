#pragma once

#include <QList>
#include <QRect>

namespace settings {
class yIni;
}

namespace mainwin {

// Window rectangle in twips, as the settings group "位置" keeps it.
struct WinRect {
    int left = 0;
    int top = 0;
    int width = 10000;
    int height = 10000;

    bool operator==(const WinRect &) const = default;
};

// Group "位置": LEFT, TOP, WIDTH, HEIGHT with the defaults of a first run.
WinRect readWinPos(settings::yIni &ini);
// Whether the group holds a window size at all (false on a first run).
bool winPosStored(settings::yIni &ini);
// Stores the rectangle after moving an overhang to the left or top into the size.
void writeWinPos(settings::yIni &ini, const WinRect &rect);
// A left or top edge off-screen is cut off: the overhang shrinks the size and the edge becomes 0.
WinRect withoutOverhang(WinRect rect);

// A first window: about 80 % of the screen's available area (never smaller than the window's
// minimum, never larger than the area), centred on it.
QRect firstPlacement(const QRect &available, const QSize &minimum);
// A frame rectangle that no screen shows is moved onto the nearest screen and made to fit it;
// one that any screen shows is kept as it is.
QRect ontoScreens(const QRect &frame, const QList<QRect> &screens);

// Group "設定": the calendar's month columns as a menu index 0-2 (stored as 1-3; any other value
// gives one column) and whether the function-key bar is shown ("表示" / "非表示").
int readCalColsIndex(settings::yIni &ini);
void storeCalColsIndex(settings::yIni &ini, int index);
bool readFkeyShown(settings::yIni &ini);
void storeFkeyShown(settings::yIni &ini, bool shown);

// Twips (1440 per inch) and pixels at a given logical resolution.
int twipsFromPixels(int pixels, int dpi);
int pixelsFromTwips(int twips, int dpi);
WinRect toTwips(const QRect &pixels, int dpi);
QRect toPixels(const WinRect &twips, int dpi);

} // namespace mainwin
