#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QMenu;
class QWidget;

namespace platform {
class TextSurface;
}

namespace editor {

// What the object menu needs to know about the object under the pointer: the marker kind around
// it ("LK", "TG" or ""), the kinds of the nearest markers before and after it, whether it is
// an embedded file and whether it is a text frame.
struct ObjectMenuState {
    int objectId = 0;
    int position = -1; // of the object's character, 0-based
    int fieldId = 0;   // the marker around the object
    QString kind;
    QString previousKind;
    QString nextKind;
    bool embedded = false;
    bool frame = false;
};

ObjectMenuState objectMenuState(const platform::TextSurface &surface, int objectId);

// The entries by position; positions without an entry are separators. A text frame has cut,
// copy, delete and the properties.
struct ObjectEntry {
    int position;
    QString caption;
    bool visible;
};
QList<ObjectEntry> objectMenuEntries(const ObjectMenuState &state);

// The picture object at a 0-based position of the active document and its encoded bytes.
int pictureAt(const platform::TextSurface &surface, int position);
int picturePositionOf(const platform::TextSurface &surface, int objectId);
QByteArray pictureBytes(const platform::TextSurface &surface, int objectId);

// The menu for the entries; each action carries its position as data.
QMenu *buildObjectMenu(const QList<ObjectEntry> &entries, QWidget *parent);

} // namespace editor
