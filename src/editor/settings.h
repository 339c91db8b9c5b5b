#pragma once

#include "platform/text/text_model.h"

#include <QList>
#include <QString>
#include <optional>

namespace settings {
class yIni;
}

namespace editor {

// Names of the controls the four bands hold, in their designed band order.
inline const QStringList &bandControlNames() {
    static const QStringList names = {QStringLiteral("tlBar"), QStringLiteral("frFmt"),
                                      QStringLiteral("vButton"), QStringLiteral("vStatus")};
    return names;
}

// One band of the band bar as "C_BR" stores it.
struct BandState {
    QString position;    // stored as text; only its first character orders the bands
    int width = 0;       // 0 while hidden
    bool newRow = false; // "N" starts a new row, "R" does not
    QString control;     // "tlBar", "frFmt", "vButton" or "vStatus"

    bool operator==(const BandState &) const = default;
};

// "position-width-N|R-control:" per band, in band order.
QString encodeBandLayout(const QList<BandState> &bands);
// The bands in restore order (sorted by the first character of their position), or nothing when
// the value is empty or an entry lacks a field; the caller then keeps its designed layout.
std::optional<QList<BandState>> decodeBandLayout(const QString &value);

// Every value of the groups "TX_PAGE", "TX_DISP", "TX_BAR" and "TX_USR".
struct EditorSettings {
    platform::PageSetup page;
    int viewMode = 0;
    int zoom = 100;
    bool controlCharacters = true;
    bool rulers = false;
    QString bandLayout;
    QString ime = QStringLiteral("OFF");
    QString updateMode = QStringLiteral("確認");
    QString picturePath;
    int textFlow = 2;
    int colourReduction = 0;
    bool plainPaste = false;
};

// Load modes: 0 everything (switch-on), 1 a new document (page and display), 2 a file was opened
// (display only).
enum LoadMode { FullLoad = 0, NewDocumentLoad = 1, FileOpenedLoad = 2 };

// Group names carry the editor's suffix for the display and bar groups.
QString displayGroup(const QString &suffix);
QString barGroup(const QString &suffix);

// Reads the groups the mode asks for into values; keys that are absent keep their defaults
// ("TX_FLW" defaults to the value values already holds).
void readEditorSettings(settings::yIni &ini, int mode, const QString &suffix,
                        EditorSettings &values);
// Writes "TX_BAR", "TX_DISP" and "TX_USR" and commits each group. "TX_PAGE" belongs to the page
// settings dialog.
void writeEditorSettings(settings::yIni &ini, const QString &suffix, const EditorSettings &values);
// The display settings page's own write: view mode and zoom only.
void writeDisplaySettings(settings::yIni &ini, const QString &suffix, int viewMode, int zoom);

} // namespace editor
