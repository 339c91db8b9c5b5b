#pragma once

#include "platform/imaging/imaging.h"

#include <QByteArray>
#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// Where and how pictures go into a document: the editor's type, the picture layout ("TX_FLW")
// and colour reduction ("PC_CLR") settings, the screen's pixels per inch, the text width in
// 96-dpi pixels and the work folder that holds the working file.
struct PictureTarget {
    platform::TextSurface &surface;
    int editorType = 0;
    int layout = 2;
    int reduction = 0;
    int dpi = 96;
    int textWidth = 0;
    QString workFolder;
};

// The working file for encoded bytes of format ("png" or "jpeg") in folder.
QString workingFile(const QString &folder, const QByteArray &format);

// Inserts encoded picture bytes at the caret with the layout and the picture scale; the new
// object id, 0 when the bytes are no picture. In an editor of type 3 the picture is inline and
// keeps file as its file name.
int insertPictureBytes(const PictureTarget &target, const QByteArray &bytes,
                       const QString &file = {});

// A picture from the clipboard or a companion: narrowed to the text width, normalised (1, 8
// and 24 bits kept, others 24 bits on white), 96 dpi, reduced, written compactly as the
// working file and inserted. 0 when nothing was inserted. The file name of the picture is
// source, or the working file without one.
int insertPicture(const PictureTarget &target, platform::imaging::Picture picture,
                  const QString &source = {});

// A picture file. A JPEG or PNG no wider than the text keeps its own bytes; a wider one is
// stored narrowed to the text width (JPEG stays JPEG); other formats are stored as the
// working file. 0 when the file is no readable picture.
int insertPictureFile(const PictureTarget &target, const QString &path);

} // namespace editor
