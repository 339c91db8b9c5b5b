#include "editor/markers/numbered_preview.h"

#include "editor/form_filling/form_tables.h"
#include "platform/text/text_surface.h"

namespace editor {

namespace {

constexpr int kCellNumberColour = 0x808040; // RGB(64, 128, 128)
constexpr int kCellNumberSize = 9;

void numberFields(platform::TextSurface &s) {
    int n = 0;
    for (int id = s.nextField(0); id > 0; id = s.nextField(id))
        if (s.fieldLinkKind(id) == 1)
            s.setFieldText(QStringLiteral("FD:") + QString::number(++n), id);
}

void numberEmptyCells(platform::TextSurface &s) {
    int t = 0;
    const QList<FormTable> tables = formTables(s);
    for (const FormTable &table : tables) {
        if (table.frameId != 0)
            continue;
        ++t;
        for (int r = 1; r <= s.tableRows(table.tableId); ++r)
            for (int c = 1; c <= s.tableColumns(table.tableId); ++c) {
                if (!s.cellText(table.tableId, r, c).trimmed().isEmpty())
                    continue;
                const int start = s.cellStart(table.tableId, r, c);
                if (start < 0)
                    continue;
                const QString label = QStringLiteral("%1,%2,%3").arg(t).arg(r).arg(c);
                s.select(start, 0);
                s.setSelText(label);
                s.select(start, int(label.size()));
                s.setTextColor(kCellNumberColour);
                s.setFontSize(kCellNumberSize);
            }
    }
}

void numberTextFrames(platform::TextSurface &s) {
    QList<int> frames;
    for (int id = s.nextObject(0, platform::TextSurface::TextFrameObject); id > 0;
         id = s.nextObject(id, platform::TextSurface::TextFrameObject))
        frames << id;
    int n = 0;
    for (int id : std::as_const(frames)) {
        ++n;
        if (!s.selectTextFrame(id))
            continue;
        s.select(0, -1);
        s.setSelText(QStringLiteral("TF:") + QString::number(n));
    }
    s.selectTextFrame(0);
}

} // namespace

bool numberedCopy(platform::TextSurface &source, platform::TextSurface &copy) {
    bool ok = false;
    const QByteArray bytes = source.saveWholeToMemory(platform::TextSurface::Internal, &ok);
    if (!ok || !copy.loadWholeFromMemory(bytes, platform::TextSurface::Internal))
        return false;
    numberFields(copy);
    numberEmptyCells(copy);
    numberTextFrames(copy);
    copy.toMainText();
    copy.select(0, 0);
    return true;
}

} // namespace editor
