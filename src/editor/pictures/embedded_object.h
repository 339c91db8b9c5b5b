#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace editor {

// A file embedded in the document. It is stored as a picture: a PNG of the file's icon and name,
// followed after the PNG's end by the file itself, its name and a trailer. Picture readers stop
// at the PNG's end, so the entry still opens anywhere as a picture of the icon, and the bytes
// travel with the picture through every save, copy and undo.
struct EmbeddedFile {
    QString name;
    QByteArray bytes;
};

// Files larger than this are not embedded: the whole entry is read and written at once.
constexpr qsizetype kMaxEmbeddedBytes = 32 * 1024 * 1024;

// The icon picture of a file name: the type's icon above the name, on white.
QImage objectIcon(const QString &fileName);
// The picture bytes carrying file; empty when the file is too large or the icon cannot be made.
QByteArray packEmbedded(const EmbeddedFile &file);
// The file carried by picture bytes; nothing for a plain picture or a damaged trailer.
std::optional<EmbeddedFile> unpackEmbedded(const QByteArray &picture);
// Writes the file into folder under a fresh name for opening it; empty on failure.
QString extractEmbedded(const EmbeddedFile &file, const QString &folder);

} // namespace editor
