#pragma once

#include <QString>

namespace html {

// The export writes pictures into "NAME_images" beside the page; the saved page keeps them in
// "NAME_files".

// Points the pictures' src addresses of the body at NAME_files, relative to the page.
QString rewriteImageSources(const QString &body, const QString &fileName);

// Renames the folder NAME_images beside the page to NAME_files, replacing an older NAME_files.
// Failures leave the folders as they are.
void renameImageFolder(const QString &fileName);

} // namespace html
