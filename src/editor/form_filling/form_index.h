#pragma once

#include "editor/form_filling/form_tables.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// What T_Start learns of a form document, kept by the editor until the next T_Start. Callers
// number data fields, text frames and tables from 1 as the numbered preview shows them.
struct FormIndex {
    QString dataFields; // field ids of link kind 1, joined by ","
    QString textFrames; // text frame ids, joined by ","
    QList<FormTable> tables;
    QString picture;  // background picture of the preview
    int selector = 0; // text frame selected for editing, -1 none known yet
};

// Item n (from 1) of a comma list read as a number: beyond the list the last item, 0 or less
// gives 0.
int formListItem(const QString &list, int n);

// Indexes the data fields, text frames and tables of the document and selects the main text.
// The table list has no fixed size.
void buildFormIndex(platform::TextSurface &surface, FormIndex &index, const QString &picture);

// Text of a cell of table n without its line ends; empty for a table or cell not there.
QString readFormCell(platform::TextSurface &surface, FormIndex &index, int table, int row,
                     int column);
// Sets the text of a cell; false for a table or cell not there.
bool writeFormCell(platform::TextSurface &surface, FormIndex &index, int table, int row, int column,
                   const QString &text);
// Replaces the content of text frame n by a stored document (format 9, or legacy binary bytes).
bool fillFormFrame(platform::TextSurface &surface, FormIndex &index, int frame,
                   const QByteArray &document);
// Sets the visible text of data field n.
bool fillFormFieldText(platform::TextSurface &surface, FormIndex &index, int field,
                       const QString &text);
// Empties data field n and puts the picture file where it stood.
bool fillFormFieldPicture(platform::TextSurface &surface, FormIndex &index, int field,
                          const QString &pictureFile);
// Selects the main text with the caret after its last character.
void endFormFilling(platform::TextSurface &surface, FormIndex &index);

} // namespace editor
