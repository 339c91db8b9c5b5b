#include "platform/text/text_surface.h"

#include "platform/text/text_surface_util.h"

#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

namespace platform {

namespace {

void collectTables(QTextFrame *parent, QList<QTextTable *> &tables) {
    const QList<QTextFrame *> children = parent->childFrames();
    for (QTextFrame *child : children) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables << table;
        collectTables(child, tables);
    }
}

} // namespace

QTextTable *TextSurface::table(int id) const {
    return id > 0 ? qobject_cast<QTextTable *>(doc()->object(id - 1)) : nullptr;
}

QTextTable *TextSurface::caretTable(int *row, int *column) const {
    QTextTable *t = cur().currentTable();
    if (t) {
        const QTextTableCell cell = t->cellAt(cur().position());
        if (row)
            *row = cell.row();
        if (column)
            *column = cell.column();
    }
    return t;
}

int TextSurface::tableAtCaret() const {
    QTextTable *t = caretTable();
    return t ? t->objectIndex() + 1 : 0;
}

QList<int> TextSurface::tableIds() const {
    QList<QTextTable *> tables;
    collectTables(scopeFrame() ? scopeFrame() : doc()->rootFrame(), tables);
    QList<int> ids;
    for (QTextTable *t : std::as_const(tables))
        ids << t->objectIndex() + 1;
    return ids;
}

int TextSurface::tableRows(int tableId) const {
    QTextTable *t = table(tableId);
    return t ? t->rows() : 0;
}

int TextSurface::tableColumns(int tableId) const {
    QTextTable *t = table(tableId);
    return t ? t->columns() : 0;
}

QString TextSurface::cellText(int tableId, int row, int column) const {
    QTextTable *t = table(tableId);
    if (!t)
        return {};
    const QTextTableCell cell = t->cellAt(row - 1, column - 1);
    return cell.isValid() ? rawToText(cell.firstPosition(), cell.lastPosition()) : QString();
}

bool TextSurface::setCellText(int tableId, int row, int column, const QString &text) {
    QTextTable *t = table(tableId);
    if (!t)
        return false;
    const QTextTableCell cell = t->cellAt(row - 1, column - 1);
    if (!cell.isValid())
        return false;
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    surfaceutil::insertCoded(c, text, c.charFormat());
    return true;
}

int TextSurface::cellStart(int tableId, int row, int column) const {
    QTextTable *t = table(tableId);
    if (!t)
        return -1;
    const QTextTableCell cell = t->cellAt(row - 1, column - 1);
    return cell.isValid() ? fromDoc(cell.firstPosition()) : -1;
}

int TextSurface::insertTable(int rows, int columns) {
    if (rows < 1 || columns < 1)
        return 0;
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    cur().beginEditBlock();
    cur().removeSelectedText();
    QTextTable *t = cur().insertTable(rows, columns, format);
    cur().endEditBlock();
    cursorChanged();
    return t->objectIndex() + 1;
}

bool TextSurface::insertColumn(bool right) {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    t->insertColumns(right ? column + 1 : column, 1);
    return true;
}

bool TextSurface::insertRow(bool below) {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    t->insertRows(below ? row + 1 : row, 1);
    return true;
}

// Moves the rows from the split on into a new table of the same format after an empty paragraph.
bool TextSurface::splitTable(bool below) {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    const int keep = below ? row + 1 : row;
    const int rows = t->rows();
    const int columns = t->columns();
    if (keep <= 0 || keep >= rows)
        return false;
    QTextCursor c(doc());
    c.beginEditBlock();
    c.setPosition(t->lastPosition() + 1);
    c.insertBlock();
    QTextTable *second = c.insertTable(rows - keep, columns, t->format());
    for (int r = keep; r < rows; ++r) {
        for (int col = 0; col < columns; ++col) {
            const QTextTableCell source = t->cellAt(r, col);
            if (source.row() != r || source.column() != col)
                continue;
            QTextCursor from = source.firstCursorPosition();
            from.setPosition(source.lastPosition(), QTextCursor::KeepAnchor);
            QTextTableCell target = second->cellAt(r - keep, col);
            target.setFormat(source.format());
            QTextCursor to = target.firstCursorPosition();
            to.insertFragment(from.selection());
        }
    }
    t->removeRows(keep, rows - keep);
    c.endEditBlock();
    cur().setPosition(second->firstPosition());
    cursorChanged();
    return true;
}

bool TextSurface::deleteTable() {
    QTextTable *t = caretTable();
    if (!t)
        return false;
    QTextCursor c(doc());
    c.setPosition(t->firstPosition() - 1);
    c.setPosition(t->lastPosition() + 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    cursorChanged();
    return true;
}

bool TextSurface::deleteColumn() {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    if (t->columns() == 1)
        return deleteTable();
    t->removeColumns(column, 1);
    return true;
}

bool TextSurface::deleteRow() {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    if (t->rows() == 1)
        return deleteTable();
    t->removeRows(row, 1);
    return true;
}

bool TextSurface::selectTable() {
    QTextTable *t = caretTable();
    if (!t)
        return false;
    cur().setPosition(t->cellAt(0, 0).firstPosition());
    cur().setPosition(t->cellAt(t->rows() - 1, t->columns() - 1).lastPosition(),
                      QTextCursor::KeepAnchor);
    cursorChanged();
    return true;
}

bool TextSurface::selectRow() {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    cur().setPosition(t->cellAt(row, 0).firstPosition());
    cur().setPosition(t->cellAt(row, t->columns() - 1).lastPosition(), QTextCursor::KeepAnchor);
    cursorChanged();
    return true;
}

bool TextSurface::selectCell() {
    int row = 0, column = 0;
    QTextTable *t = caretTable(&row, &column);
    if (!t)
        return false;
    const QTextTableCell cell = t->cellAt(row, column);
    cur().setPosition(cell.firstPosition());
    cur().setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    cursorChanged();
    return true;
}

bool TextSurface::gridLines() const {
    return m_gridLines;
}

void TextSurface::setGridLines(bool on) {
    m_gridLines = on;
}

} // namespace platform
