#include "docx_reader.h"

#include <QTextFrame>
#include <QTextTable>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr int kMaxWrappers = 32;
// Limits no real document reaches: beyond them the package is refused while it is read, before
// a table of millions of cells or a nesting whose layout doubles per level is built.
// The nesting is that of the program's own format, so every entry it writes reads back.
constexpr int kMaxTableNesting = 16;
constexpr int kMaxColumns = 1000;
constexpr qint64 kMaxCells = 100000;

QString wValue(const QXmlStreamReader &xml, L name = L("val")) {
    return xml.attributes().value(kNsW, name).toString();
}

// The next element of a table or row. Content controls and custom XML around rows and cells are
// stepped into as if they were not there; wrappers counts the open ones.
bool nextInTable(QXmlStreamReader &xml, int &wrappers) {
    forever {
        if (xml.readNextStartElement()) {
            const QStringView n = xml.name();
            if ((n == L("sdt") || n == L("sdtContent") || n == L("customXml")) &&
                wrappers < kMaxWrappers) {
                ++wrappers;
                continue;
            }
            return true;
        }
        if (xml.hasError() || wrappers == 0)
            return false;
        --wrappers;
    }
}

QTextFrameFormat::BorderStyle borderStyle(QStringView name) {
    if (name == L("nil") || name == L("none"))
        return QTextFrameFormat::BorderStyle_None;
    if (name == L("dotted"))
        return QTextFrameFormat::BorderStyle_Dotted;
    if (name == L("dashed") || name == L("dashSmallGap"))
        return QTextFrameFormat::BorderStyle_Dashed;
    if (name == L("double"))
        return QTextFrameFormat::BorderStyle_Double;
    if (name == L("dotDash"))
        return QTextFrameFormat::BorderStyle_DotDash;
    if (name == L("dotDotDash"))
        return QTextFrameFormat::BorderStyle_DotDotDash;
    if (name == L("threeDEngrave"))
        return QTextFrameFormat::BorderStyle_Groove;
    if (name == L("threeDEmboss"))
        return QTextFrameFormat::BorderStyle_Ridge;
    if (name == L("inset"))
        return QTextFrameFormat::BorderStyle_Inset;
    if (name == L("outset"))
        return QTextFrameFormat::BorderStyle_Outset;
    return QTextFrameFormat::BorderStyle_Solid;
}

struct Border {
    double width = 0;
    QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_None;
    QColor color;
    bool given = false;
};

Border readBorder(const QXmlStreamReader &xml) {
    Border b;
    b.given = true;
    b.style = borderStyle(xml.attributes().value(kNsW, L("val")));
    b.width =
        b.style == QTextFrameFormat::BorderStyle_None ? 0 : wValue(xml, L("sz")).toInt() / 6.0;
    b.color = readColor(xml.attributes().value(kNsW, L("color")));
    return b;
}

// One side of a cell's border, through that side's three setters.
void applyCellBorder(QTextTableCellFormat &format, const Border &border,
                     void (QTextTableCellFormat::*setWidth)(qreal),
                     void (QTextTableCellFormat::*setStyle)(QTextFrameFormat::BorderStyle),
                     void (QTextTableCellFormat::*setBrush)(const QBrush &)) {
    if (!border.given)
        return;
    (format.*setWidth)(border.width);
    (format.*setStyle)(border.style);
    if (border.color.isValid())
        (format.*setBrush)(border.color);
}

// Reads w:tblBorders / w:tcBorders into top, left, bottom, right.
std::array<Border, 4> readBorders(QXmlStreamReader &xml) {
    std::array<Border, 4> borders;
    while (xml.readNextStartElement()) {
        const QStringView n = xml.name();
        const int side = n == L("top")                       ? 0
                         : n == L("left") || n == L("start") ? 1
                         : n == L("bottom")                  ? 2
                         : n == L("right") || n == L("end")  ? 3
                                                             : -1;
        if (side >= 0)
            borders[size_t(side)] = readBorder(xml);
        xml.skipCurrentElement();
    }
    return borders;
}

std::array<double, 4> readMargins(QXmlStreamReader &xml, std::array<bool, 4> *given = nullptr) {
    std::array<double, 4> margins{};
    while (xml.readNextStartElement()) {
        const QStringView n = xml.name();
        const int side = n == L("top")                       ? 0
                         : n == L("left") || n == L("start") ? 1
                         : n == L("bottom")                  ? 2
                         : n == L("right") || n == L("end")  ? 3
                                                             : -1;
        if (side >= 0 && wValue(xml, L("type")) != L("pct")) {
            margins[size_t(side)] = pxFromTwips(wValue(xml, L("w")).toInt());
            if (given)
                (*given)[size_t(side)] = true;
        }
        xml.skipCurrentElement();
    }
    return margins;
}

QBrush readShading(const QXmlStreamReader &xml) {
    const QColor fill = readColor(xml.attributes().value(kNsW, L("fill")));
    return fill.isValid() ? QBrush(fill) : QBrush();
}

struct CellInfo {
    int span = 1;
    int vMerge = 0; // 0 none, 1 restart, 2 continue
    QTextTableCellFormat format;
    bool ours = false;
};

CellInfo readCellProperties(QXmlStreamReader &xml) {
    CellInfo cell;
    const QStringView stored = xml.attributes().value(kNsDj, L("fmt"));
    if (!stored.isEmpty()) {
        cell.format = decodeFormat(stored).toTableCellFormat();
        cell.ours = cell.format.isValid();
    }
    QTextTableCellFormat native;
    while (xml.readNextStartElement()) {
        const QStringView n = xml.name();
        if (n == L("gridSpan")) {
            cell.span = qBound(1, wValue(xml).toInt(), 1000);
        } else if (n == L("vMerge")) {
            cell.vMerge = wValue(xml) == L("restart") ? 1 : 2;
        } else if (n == L("shd")) {
            const QBrush brush = readShading(xml);
            if (brush.style() != Qt::NoBrush)
                native.setBackground(brush);
        } else if (n == L("vAlign")) {
            const QString v = wValue(xml);
            native.setVerticalAlignment(v == L("center")   ? QTextCharFormat::AlignMiddle
                                        : v == L("bottom") ? QTextCharFormat::AlignBottom
                                                           : QTextCharFormat::AlignTop);
        } else if (n == L("tcBorders")) {
            const auto b = readBorders(xml);
            applyCellBorder(native, b[0], &QTextTableCellFormat::setTopBorder,
                            &QTextTableCellFormat::setTopBorderStyle,
                            &QTextTableCellFormat::setTopBorderBrush);
            applyCellBorder(native, b[1], &QTextTableCellFormat::setLeftBorder,
                            &QTextTableCellFormat::setLeftBorderStyle,
                            &QTextTableCellFormat::setLeftBorderBrush);
            applyCellBorder(native, b[2], &QTextTableCellFormat::setBottomBorder,
                            &QTextTableCellFormat::setBottomBorderStyle,
                            &QTextTableCellFormat::setBottomBorderBrush);
            applyCellBorder(native, b[3], &QTextTableCellFormat::setRightBorder,
                            &QTextTableCellFormat::setRightBorderStyle,
                            &QTextTableCellFormat::setRightBorderBrush);
            continue;
        } else if (n == L("tcMar")) {
            std::array<bool, 4> given{};
            const auto m = readMargins(xml, &given);
            if (given[0])
                native.setTopPadding(m[0]);
            if (given[1])
                native.setLeftPadding(m[1]);
            if (given[2])
                native.setBottomPadding(m[2]);
            if (given[3])
                native.setRightPadding(m[3]);
            continue;
        }
        xml.skipCurrentElement();
    }
    if (!cell.ours)
        cell.format = native;
    return cell;
}

} // namespace

void PartReader::readTable() {
    const NestingGuard guard(m_depth);
    if (guard.tooDeep()) {
        m_xml.skipCurrentElement();
        return;
    }
    const NestingGuard tables(m_tableDepth);
    if (m_tableDepth > kMaxTableNesting) {
        m_xml.raiseError(
            QStringLiteral("tables are nested more than %1 deep").arg(kMaxTableNesting));
        return;
    }
    auto addCells = [this](qint64 count) {
        m_package.cells += count;
        if (m_package.cells <= kMaxCells)
            return true;
        m_xml.raiseError(
            QStringLiteral("the document has more than %1 table cells").arg(kMaxCells));
        return false;
    };
    const bool ours = m_package.records.present;
    QTextTableFormat format;
    bool stored = false;
    QList<int> grid;
    QTextTable *table = nullptr;
    int row = -1;
    struct Merge {
        int row, column, rows, columns;
    };
    QList<Merge> merges;
    QHash<int, int> openMerge; // grid column -> index into merges

    // Defaults for tables of other programs: single lines, no spacing.
    if (!ours) {
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        format.setCellPadding(pxFromTwips(108));
    }

    auto createTable = [&]() {
        if (table)
            return;
        const int columns = qMax(1, int(grid.size()));
        if (!stored) {
            QList<QTextLength> widths;
            for (int w : grid)
                widths.append(QTextLength(QTextLength::FixedLength, pxFromTwips(w)));
            format.setColumnWidthConstraints(widths);
        }
        format.setColumns(columns);
        flushText();
        if (m_fresh) {
            // The empty block before a table of other programs' packages.
            m_cursor.setBlockFormat(emptyBlockFormat());
            m_fresh = false;
        }
        if (addCells(columns))
            table = m_cursor.insertTable(1, columns, format);
    };

    int tableWrappers = 0;
    while (nextInTable(m_xml, tableWrappers)) {
        const QStringView n = m_xml.name();
        if (n == L("tblPr") && m_package.records.present &&
            !m_xml.attributes().value(kNsDj, L("frame")).isEmpty()) {
            // A text frame that was inside a text box: the table is the frame.
            const auto record = m_package.records.objects.constFind(
                m_xml.attributes().value(kNsDj, L("frame")).toInt());
            if (record != m_package.records.objects.cend()) {
                const QTextFrameFormat frameFormat = decodeFormat(record->frame).toFrameFormat();
                if (frameFormat.isValid()) {
                    m_xml.skipCurrentElement();
                    readFrameTable(frameFormat);
                    return;
                }
            }
            m_xml.skipCurrentElement();
        } else if (n == L("tblPr")) {
            const QStringView fmt = m_xml.attributes().value(kNsDj, L("fmt"));
            if (!fmt.isEmpty()) {
                const QTextTableFormat decoded = decodeFormat(fmt).toTableFormat();
                if (decoded.isValid()) {
                    format = decoded;
                    stored = true;
                }
            }
            while (m_xml.readNextStartElement()) {
                const QStringView p = m_xml.name();
                if (stored) {
                    m_xml.skipCurrentElement();
                } else if (p == L("tblBorders")) {
                    const auto b = readBorders(m_xml);
                    if (b[0].given) {
                        format.setBorder(b[0].width);
                        format.setBorderStyle(b[0].style);
                        if (b[0].color.isValid())
                            format.setBorderBrush(b[0].color);
                    }
                } else if (p == L("tblStyle") && format.border() == 0) {
                    // Tables of other programs mostly take their grid lines from a style.
                    format.setBorder(pxFromTwips(10));
                    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                    format.setBorderBrush(QColor(Qt::black));
                    m_xml.skipCurrentElement();
                } else if (p == L("tblCellMar")) {
                    format.setCellPadding(readMargins(m_xml)[1]);
                } else if (p == L("tblCellSpacing")) {
                    format.setCellSpacing(pxFromTwips(wValue(m_xml, L("w")).toInt()) * 2);
                    format.setBorderCollapse(false);
                    m_xml.skipCurrentElement();
                } else if (p == L("jc")) {
                    const QString v = wValue(m_xml);
                    format.setAlignment(v == L("center")                   ? Qt::AlignHCenter
                                        : v == L("right") || v == L("end") ? Qt::AlignRight
                                                                           : Qt::AlignLeft);
                    m_xml.skipCurrentElement();
                } else if (p == L("tblW")) {
                    const QString type = wValue(m_xml, L("type"));
                    const int w = wValue(m_xml, L("w")).toInt();
                    if (type == L("pct") && w > 0)
                        format.setWidth(QTextLength(QTextLength::PercentageLength, w / 50.0));
                    else if (type == L("dxa") && w > 0)
                        format.setWidth(QTextLength(QTextLength::FixedLength, pxFromTwips(w)));
                    m_xml.skipCurrentElement();
                } else if (p == L("shd")) {
                    const QBrush brush = readShading(m_xml);
                    if (brush.style() != Qt::NoBrush)
                        format.setBackground(brush);
                    m_xml.skipCurrentElement();
                } else {
                    m_xml.skipCurrentElement();
                }
            }
        } else if (n == L("tblGrid")) {
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == L("gridCol") && grid.size() < kMaxColumns)
                    grid.append(qMax(0, wValue(m_xml, L("w")).toInt()));
                m_xml.skipCurrentElement();
            }
        } else if (n == L("tr")) {
            createTable();
            if (!table || (row >= 0 && !addCells(table->columns())))
                return;
            ++row;
            if (row > 0)
                table->appendRows(1);
            int column = 0;
            bool header = false;
            int rowWrappers = 0;
            while (nextInTable(m_xml, rowWrappers)) {
                const QStringView e = m_xml.name();
                if (e == L("trPr")) {
                    while (m_xml.readNextStartElement()) {
                        if (m_xml.name() == L("tblHeader"))
                            header = true;
                        else if (m_xml.name() == L("gridBefore"))
                            column += qBound(0, wValue(m_xml).toInt(), 1000);
                        m_xml.skipCurrentElement();
                    }
                    continue;
                }
                if (e != L("tc")) {
                    m_xml.skipCurrentElement();
                    continue;
                }
                CellInfo cell;
                bool content = m_xml.readNextStartElement();
                if (content && m_xml.name() == L("tcPr")) {
                    cell = readCellProperties(m_xml);
                    content = m_xml.readNextStartElement();
                }
                if (column + cell.span > table->columns()) {
                    const int added = column + cell.span - table->columns();
                    if (column + cell.span > kMaxColumns) {
                        m_xml.raiseError(
                            QStringLiteral("a table has more than %1 columns").arg(kMaxColumns));
                        return;
                    }
                    if (!addCells(qint64(added) * table->rows()))
                        return;
                    table->appendColumns(added);
                }
                if (cell.vMerge == 2 && openMerge.contains(column)) {
                    ++merges[openMerge.value(column)].rows;
                    while (content) {
                        m_xml.skipCurrentElement();
                        content = m_xml.readNextStartElement();
                    }
                    column += cell.span;
                    continue;
                }
                openMerge.remove(column);
                if (cell.vMerge == 1 || cell.span > 1) {
                    merges.append({row, column, 1, cell.span});
                    if (cell.vMerge == 1)
                        openMerge.insert(column, int(merges.size() - 1));
                }
                QTextTableCell target = table->cellAt(row, column);
                // The cell is a container of its own.
                const QTextCursor outer = m_cursor;
                const bool outerFresh = m_fresh;
                m_cursor = target.firstCursorPosition();
                m_fresh = true;
                while (content) {
                    const QStringView c = m_xml.name();
                    if (c == L("p"))
                        readParagraph();
                    else if (c == L("tbl"))
                        readTable();
                    else if (c == L("sdt") || c == L("customXml"))
                        readContainer();
                    else
                        m_xml.skipCurrentElement();
                    content = m_xml.readNextStartElement();
                }
                m_cursor = outer;
                m_fresh = outerFresh;
                // After the content: the cell's format is its first block's char format.
                table->cellAt(row, column).setFormat(cell.format);
                column += cell.span;
            }
            if (header && row == format.headerRowCount() && !stored) {
                format.setHeaderRowCount(row + 1);
                table->setFormat(format);
            }
        } else {
            m_xml.skipCurrentElement();
        }
    }
    if (!table)
        return;
    for (const Merge &m : merges)
        if (m.rows > 1 || m.columns > 1)
            table->mergeCells(m.row, m.column, m.rows, m.columns);
    m_cursor.setPosition(table->lastPosition() + 1);
    // The block after a note's table is the note's until a paragraph takes it over.
    if (m_noteKind > 0)
        m_cursor.setBlockFormat(emptyBlockFormat());
    m_fresh = true;
}

void PartReader::readFrameTable(const QTextFrameFormat &format) {
    // The rest of the table: its first cell holds the frame's content.
    QTextFrame *frame = nullptr;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != L("tr") || frame) {
            m_xml.skipCurrentElement();
            continue;
        }
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != L("tc") || frame) {
                m_xml.skipCurrentElement();
                continue;
            }
            if (m_fresh) {
                m_cursor.setBlockFormat(emptyBlockFormat());
                m_fresh = false;
            }
            frame = m_cursor.insertFrame(format);
            m_fresh = true;
            while (m_xml.readNextStartElement()) {
                const QStringView c = m_xml.name();
                if (c == L("p"))
                    readParagraph();
                else if (c == L("tbl"))
                    readTable();
                else
                    m_xml.skipCurrentElement();
            }
        }
    }
    if (frame) {
        m_cursor.setPosition(frame->lastPosition() + 1);
        m_fresh = true;
    }
}

} // namespace platform::docx::detail
