#include "editor/form_filling/form_tables.h"

#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace editor {

namespace {

int enclosingTextFrame(QTextFrame *frame) {
    for (QTextFrame *f = frame; f; f = f->parentFrame())
        if (f->frameFormat().intProperty(platform::TextProp::ObjectKind) ==
            platform::TextSurface::TextFrameObject)
            return f->frameFormat().intProperty(platform::TextProp::ObjectId);
    return 0;
}

void collect(QTextFrame *parent, QList<QTextTable *> &tables) {
    const QList<QTextFrame *> children = parent->childFrames();
    for (QTextFrame *child : children) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables << table;
        collect(child, tables);
    }
}

} // namespace

QList<FormTable> formTables(const platform::TextSurface &surface) {
    QList<QTextTable *> tables;
    collect(surface.document()->rootFrame(), tables);
    std::stable_sort(tables.begin(), tables.end(), [](QTextTable *a, QTextTable *b) {
        return a->firstPosition() < b->firstPosition();
    });
    QList<int> frames{0};
    for (int id = surface.nextObject(0, platform::TextSurface::TextFrameObject); id > 0;
         id = surface.nextObject(id, platform::TextSurface::TextFrameObject))
        frames << id;
    QList<FormTable> result;
    for (int frame : std::as_const(frames))
        for (QTextTable *table : std::as_const(tables))
            if (enclosingTextFrame(table) == frame)
                result.append({frame, table->objectIndex() + 1});
    return result;
}

} // namespace editor
