#include "editor/form_filling/form_index.h"

#include "platform/text/text_surface.h"

#include <QStringList>

namespace editor {

namespace {

QString joinIds(const QList<int> &ids) {
    QStringList parts;
    for (int id : ids)
        parts << QString::number(id);
    return parts.join(u',');
}

// The main text, where every field of the document is reachable.
void toMain(platform::TextSurface &surface, FormIndex &index) {
    if (index.selector != 0 || surface.selectedTextFrame() != 0)
        surface.selectTextFrame(0);
    index.selector = 0;
}

const FormTable *tableOf(platform::TextSurface &surface, FormIndex &index, int n) {
    if (n < 1 || n > index.tables.size())
        return nullptr;
    const FormTable &table = index.tables.at(n - 1);
    if (table.frameId != index.selector) {
        surface.selectTextFrame(table.frameId);
        index.selector = table.frameId;
    }
    return &table;
}

} // namespace

int formListItem(const QString &list, int n) {
    if (n <= 0)
        return 0;
    const QStringList items = list.split(u',');
    return items.at(qMin<qsizetype>(n, items.size()) - 1).trimmed().toInt();
}

void buildFormIndex(platform::TextSurface &surface, FormIndex &index, const QString &picture) {
    index.picture = picture;
    index.selector = -1;
    surface.selectTextFrame(0);
    QList<int> fields;
    for (int id = surface.nextField(0); id > 0; id = surface.nextField(id))
        if (surface.fieldLinkKind(id) == 1)
            fields << id;
    QList<int> frames;
    for (int id = surface.nextObject(0, platform::TextSurface::TextFrameObject); id > 0;
         id = surface.nextObject(id, platform::TextSurface::TextFrameObject))
        frames << id;
    index.dataFields = joinIds(fields);
    index.textFrames = joinIds(frames);
    index.tables = formTables(surface);
    toMain(surface, index);
}

QString readFormCell(platform::TextSurface &surface, FormIndex &index, int table, int row,
                     int column) {
    const FormTable *t = tableOf(surface, index, table);
    if (!t)
        return {};
    QString text = surface.cellText(t->tableId, row, column);
    // Paragraph ends and line breaks are the CR LF pairs of a cell.
    text.remove(QStringLiteral("\r\n"));
    text.remove(QChar(10));
    text.remove(QChar(11));
    return text;
}

bool writeFormCell(platform::TextSurface &surface, FormIndex &index, int table, int row, int column,
                   const QString &text) {
    const FormTable *t = tableOf(surface, index, table);
    return t && surface.setCellText(t->tableId, row, column, text);
}

bool fillFormFrame(platform::TextSurface &surface, FormIndex &index, int frame,
                   const QByteArray &document) {
    const int id = formListItem(index.textFrames, frame);
    if (id <= 0 || !surface.selectTextFrame(id))
        return false;
    index.selector = id;
    return surface.loadFromMemory(document, platform::TextSurface::Word97);
}

bool fillFormFieldText(platform::TextSurface &surface, FormIndex &index, int field,
                       const QString &text) {
    const int id = formListItem(index.dataFields, field);
    if (id <= 0)
        return false;
    toMain(surface, index);
    return surface.setCurrentField(id) && surface.setFieldText(text, id);
}

bool fillFormFieldPicture(platform::TextSurface &surface, FormIndex &index, int field,
                          const QString &pictureFile) {
    const int id = formListItem(index.dataFields, field);
    if (id <= 0)
        return false;
    toMain(surface, index);
    if (!surface.setCurrentField(id))
        return false;
    const int start = surface.fieldStart(id) - 1;
    if (start < 0 || !surface.setFieldText(QString(), id))
        return false;
    surface.select(start, 0);
    const int picture = surface.insertPicture(pictureFile, 0, 100, 100, -1);
    if (picture > 0)
        surface.setPictureSaveMode(1, picture);
    surface.select(surface.textLength(), 0);
    return picture > 0;
}

void endFormFilling(platform::TextSurface &surface, FormIndex &index) {
    surface.selectTextFrame(0);
    index.selector = 0;
    surface.select(surface.textLength(), 0);
}

} // namespace editor
