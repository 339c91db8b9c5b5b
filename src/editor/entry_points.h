#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <memory>

namespace platform {
class TextSurface;
}

namespace editor {

class uTxm;

// Where the commands whose work lives in the file, picture, marker, style, settings-dialog and
// print parts of the editor enter. The dispatcher (rtAct) runs its own steps around each call
// (snapshot, focus, changed flag, CommandDone). Every function answers whether it changed the
// document; the defaults of parts not built yet do nothing and change nothing. A part installs
// its implementation with uTxm::setEntryPoints.
class EntryPoints {
public:
    virtual ~EntryPoints() = default;

    // Files: open, save, export and text import (files_entry_points.cpp).
    virtual bool openDocument(uTxm &editor, bool workFileProposal); // 1, 10
    virtual bool openFileByName(uTxm &editor, const QString &path); // 3
    virtual bool saveFile(uTxm &editor);                            // 4 in an editor of type > 0
    virtual bool saveAs(uTxm &editor, const QString &path);         // 5
    virtual bool viewAsWebPage(uTxm &editor);                       // 8
    virtual bool insertDocument(uTxm &editor);                      // 30
    virtual bool insertTextFile(uTxm &editor);                      // 32

    // Pictures, objects and paste (pictures_entry_points.cpp).
    virtual bool paste(uTxm &editor, const QString &kind); // 15, "TXT"/"PIC"/"OBJ"/""
    virtual bool insertPicture(uTxm &editor, int code);    // 33, 34, 35
    virtual bool insertTextFrame(uTxm &editor);            // 40
    virtual bool insertObject(uTxm &editor, int code);     // 41 to 44
    // The object menu for a right click at globalPos; false when no object is there.
    virtual bool objectMenu(uTxm &editor, const QPoint &globalPos);
    // Runs the object menu entry at position on the current object.
    virtual bool objectEntry(uTxm &editor, int position);
    // A double click at globalPos: an embedded file there opens; false when none is there.
    virtual bool objectDoubleClick(uTxm &editor, const QPoint &globalPos);
    // The image dialog: a drawing (SVG) sized by the user, starting at its own size narrowed to
    // maxWidthTwips, written rasterised at 96 dpi to workFile; false when cancelled. Without
    // the dialog the drawing is written at that starting size.
    virtual bool imageDialog(uTxm &editor, const QByteArray &svg, const QString &workFile,
                             int maxWidthTwips);

    // Markers. Tidy joins paragraphs and trims the end of the text, then recolours every
    // marker through recolourMarkers (start below 0: all of them), which applying a style also
    // uses for the markers of its selection.
    virtual bool tidy(uTxm &editor); // 24
    // 50, 51, 53: a number is the mode, markerArgument (markers/marker_commands.h) adds the
    // object flag and the marker to copy onto a picture.
    virtual bool marker(uTxm &editor, int command, const QVariant &argument); // 50 to 53, 56
    virtual bool textFrameMarker(uTxm &editor);                               // rtActTL 0
    virtual void recolourMarkers(uTxm &editor, int start, int length);

    // Styles (style_entry_points.cpp).
    virtual bool indent(uTxm &editor, int argument);         // 55
    virtual bool headerFooter(uTxm &editor, int argument);   // 57
    virtual bool applyUserStyle(uTxm &editor, int argument); // 60, negative: quietly
    virtual bool copyFormat(uTxm &editor);                   // 70
    virtual bool pasteFormat(uTxm &editor);                  // 71
    virtual void applyUserStyles(uTxm &editor);              // after the styles load, new documents

    // Form filling of text frames (rtActTL 1, 2, 5, 6, 8).
    virtual bool textFrameLayout(uTxm &editor, int command);
    virtual bool textFrameFile(uTxm &editor, int command);

    // Print preview and printing.
    virtual bool print(uTxm &) { return false; }           // 6
    virtual bool preview(uTxm &) { return false; }         // 7
    virtual bool printerSettings(uTxm &) { return false; } // 69
    // Shows a second surface of the editor (not the one on screen) in the print preview.
    virtual bool previewSurface(uTxm &, platform::TextSurface &) { return false; }

    // The settings dialog (find, replace, display, page, user styles, picture layout, IME and
    // update, table): shows page code prepared from answer and leaves its answer there. The
    // default shows nothing and answers "".
    virtual bool settingsPage(uTxm &, const QString &, QString &answer) {
        answer.clear();
        return false;
    }
};

// The entry points every editor starts with: the parts the program links in install a factory
// at start-up; without one an editor gets the defaults.
using EntryPointsFactory = std::unique_ptr<EntryPoints> (*)();
void setEntryPointsFactory(EntryPointsFactory factory);
std::unique_ptr<EntryPoints> makeEntryPoints();

} // namespace editor
