#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <array>

namespace platform {
class TextSurface;
}

namespace editor {

// What the properties of a picture or text frame show and change. Lengths in twips.
struct ObjectProperties {
    int kind = 0; // platform::TextSurface::PictureObject or TextFrameObject
    int width = 0;
    int height = 0;
    int textFlow = 0;               // pictures: 0 inline, 1 to 3 positioned
    std::array<int, 4> distances{}; // text frames: left, top, right, bottom
    QString altText;                // pictures: the description other programs read aloud
    QString fileName;               // pictures: the file the picture came from
    QString about;                  // what the object is, shown but not changed

    bool operator==(const ObjectProperties &) const = default;
};

// The largest length a property takes: 44 inches, as for pages.
constexpr int kMaxObjectTwips = 63360;

ObjectProperties objectProperties(const platform::TextSurface &surface, int id);
// Writes the values that differ from before into the object (one undoable edit each); true
// when something changed.
bool applyObjectProperties(platform::TextSurface &surface, int id, const ObjectProperties &before,
                           const ObjectProperties &after);

// The form of the properties (lengths in millimetres) and its title.
QList<platform::FormField> propertyFields(const ObjectProperties &properties);
QString propertiesTitle(int kind);
// The properties after the form was answered: a value the user left as shown keeps its exact
// twips, so closing the form with OK changes nothing.
ObjectProperties answeredProperties(const QList<platform::FormField> &shown,
                                    const QList<platform::FormField> &answered,
                                    ObjectProperties properties);

} // namespace editor
