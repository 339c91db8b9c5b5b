#include "docx_writer.h"

#include <QTextTable>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

L borderName(QTextFrameFormat::BorderStyle style) {
    switch (style) {
    case QTextFrameFormat::BorderStyle_None:
        return L("nil");
    case QTextFrameFormat::BorderStyle_Dotted:
        return L("dotted");
    case QTextFrameFormat::BorderStyle_Dashed:
        return L("dashed");
    case QTextFrameFormat::BorderStyle_Double:
        return L("double");
    case QTextFrameFormat::BorderStyle_DotDash:
        return L("dotDash");
    case QTextFrameFormat::BorderStyle_DotDotDash:
        return L("dotDotDash");
    case QTextFrameFormat::BorderStyle_Groove:
        return L("threeDEngrave");
    case QTextFrameFormat::BorderStyle_Ridge:
        return L("threeDEmboss");
    case QTextFrameFormat::BorderStyle_Inset:
        return L("inset");
    case QTextFrameFormat::BorderStyle_Outset:
        return L("outset");
    default:
        return L("single");
    }
}

void writeBorder(QXmlStreamWriter &xml, L side, double width, QTextFrameFormat::BorderStyle style,
                 const QBrush &brush) {
    xml.writeEmptyElement(kNsW, side);
    if (width <= 0 || style == QTextFrameFormat::BorderStyle_None) {
        xml.writeAttribute(kNsW, L("val"), L("nil"));
        return;
    }
    xml.writeAttribute(kNsW, L("val"), borderName(style));
    // Eighths of a point; a pixel is three quarters of a point.
    xml.writeAttribute(kNsW, L("sz"), QString::number(qMax(2, qRound(width * 6))));
    xml.writeAttribute(kNsW, L("space"), L("0"));
    xml.writeAttribute(kNsW, L("color"),
                       brush.style() == Qt::NoBrush ? QString(L("auto"))
                                                    : colorText(brush.color()));
}

void writeWidth(QXmlStreamWriter &xml, L element, const QTextLength &length, int twips) {
    xml.writeEmptyElement(kNsW, element);
    switch (length.type()) {
    case QTextLength::FixedLength:
        xml.writeAttribute(kNsW, L("w"), QString::number(twipsFromPx(length.rawValue())));
        xml.writeAttribute(kNsW, L("type"), L("dxa"));
        break;
    case QTextLength::PercentageLength:
        xml.writeAttribute(kNsW, L("w"), QString::number(qRound(length.rawValue() * 50)));
        xml.writeAttribute(kNsW, L("type"), L("pct"));
        break;
    default:
        xml.writeAttribute(kNsW, L("w"), QString::number(twips));
        xml.writeAttribute(kNsW, L("type"), twips > 0 ? L("dxa") : L("auto"));
        break;
    }
}

void writeMargin(QXmlStreamWriter &xml, L side, double px) {
    xml.writeEmptyElement(kNsW, side);
    xml.writeAttribute(kNsW, L("w"), QString::number(twipsFromPx(px)));
    xml.writeAttribute(kNsW, L("type"), L("dxa"));
}

void writeShading(QXmlStreamWriter &xml, const QBrush &brush) {
    if (brush.style() == Qt::NoBrush)
        return;
    xml.writeEmptyElement(kNsW, L("shd"));
    xml.writeAttribute(kNsW, L("val"), L("clear"));
    xml.writeAttribute(kNsW, L("color"), L("auto"));
    xml.writeAttribute(kNsW, L("fill"), colorText(brush.color()));
}

} // namespace

void PartWriter::writeTable(const QTextTable *table) {
    const QTextTableFormat format = table->format();
    const int rows = table->rows();
    const int columns = table->columns();

    // Grid widths in twips: Word needs them even where the table sizes its columns itself.
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<int> grid(columns, 0);
    int fixed = 0;
    int open = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints.at(c) : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            grid[c] = twipsFromPx(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            grid[c] = qRound(m_package.textWidthTwips * length.rawValue() / 100.0);
        else
            ++open;
        fixed += grid[c];
    }
    const int share = open > 0 ? qMax(360, (m_package.textWidthTwips - fixed) / open) : 0;
    for (int c = 0; c < columns; ++c)
        if (grid[c] == 0)
            grid[c] = share;

    m_xml.writeStartElement(kNsW, L("tbl"));
    m_xml.writeStartElement(kNsW, L("tblPr"));
    m_xml.writeAttribute(kNsDj, L("fmt"), encodeFormat(format));
    writeWidth(m_xml, L("tblW"), format.width(), 0);
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align == Qt::AlignHCenter || align == Qt::AlignRight) {
        m_xml.writeEmptyElement(kNsW, L("jc"));
        m_xml.writeAttribute(kNsW, L("val"), align == Qt::AlignHCenter ? L("center") : L("right"));
    }
    if (format.cellSpacing() > 0)
        writeMargin(m_xml, L("tblCellSpacing"), format.cellSpacing() / 2);
    m_xml.writeStartElement(kNsW, L("tblBorders"));
    for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        writeBorder(m_xml, L(side), format.border(), format.borderStyle(), format.borderBrush());
    m_xml.writeEndElement();
    writeShading(m_xml, format.background());
    m_xml.writeEmptyElement(kNsW, L("tblLayout"));
    m_xml.writeAttribute(kNsW, L("type"), L("fixed"));
    m_xml.writeStartElement(kNsW, L("tblCellMar"));
    for (const char *side : {"top", "left", "bottom", "right"})
        writeMargin(m_xml, L(side), format.cellPadding());
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // tblPr

    m_xml.writeStartElement(kNsW, L("tblGrid"));
    for (int c = 0; c < columns; ++c) {
        m_xml.writeEmptyElement(kNsW, L("gridCol"));
        m_xml.writeAttribute(kNsW, L("w"), QString::number(grid[c]));
    }
    m_xml.writeEndElement();

    for (int r = 0; r < rows; ++r) {
        m_xml.writeStartElement(kNsW, L("tr"));
        if (r < format.headerRowCount()) {
            m_xml.writeStartElement(kNsW, L("trPr"));
            m_xml.writeEmptyElement(kNsW, L("tblHeader"));
            m_xml.writeEndElement();
        }
        for (int c = 0; c < columns;) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = qMax(1, cell.columnSpan());
            int width = 0;
            for (int i = c; i < c + span && i < columns; ++i)
                width += grid[i];
            m_xml.writeStartElement(kNsW, L("tc"));
            const bool start = cell.row() == r;
            // vMerge: 0 none, 1 restart, 2 continue
            const int vMerge = cell.rowSpan() > 1 ? (start ? 1 : 2) : 0;
            m_xml.writeStartElement(kNsW, L("tcPr"));
            if (start)
                m_xml.writeAttribute(kNsDj, L("fmt"), encodeFormat(cell.format()));
            m_xml.writeEmptyElement(kNsW, L("tcW"));
            m_xml.writeAttribute(kNsW, L("w"), QString::number(width));
            m_xml.writeAttribute(kNsW, L("type"), L("dxa"));
            writeCellProperties(table, r, c, span, vMerge);
            m_xml.writeEndElement(); // tcPr
            if (start) {
                // Tables inside the cell size their relative columns to the cell.
                const int outerWidth = m_package.textWidthTwips;
                m_package.textWidthTwips = qMax(360, width - 2 * twipsFromPx(format.cellPadding()));
                writeItems(cell.begin());
                m_package.textWidthTwips = outerWidth;
            } else {
                m_xml.writeEmptyElement(kNsW, L("p"));
            }
            m_xml.writeEndElement(); // tc
            c += span;
        }
        m_xml.writeEndElement(); // tr
    }
    m_xml.writeEndElement(); // tbl
}

void PartWriter::writeCellProperties(const QTextTable *table, int row, int column, int span,
                                     int vMerge) {
    const QTextTableCellFormat f = table->cellAt(row, column).format().toTableCellFormat();
    if (span > 1) {
        m_xml.writeEmptyElement(kNsW, L("gridSpan"));
        m_xml.writeAttribute(kNsW, L("val"), QString::number(span));
    }
    if (vMerge > 0) {
        m_xml.writeEmptyElement(kNsW, L("vMerge"));
        if (vMerge == 1)
            m_xml.writeAttribute(kNsW, L("val"), L("restart"));
    }
    const bool borders = f.hasProperty(QTextFormat::TableCellTopBorder) ||
                         f.hasProperty(QTextFormat::TableCellLeftBorder) ||
                         f.hasProperty(QTextFormat::TableCellBottomBorder) ||
                         f.hasProperty(QTextFormat::TableCellRightBorder);
    if (borders) {
        m_xml.writeStartElement(kNsW, L("tcBorders"));
        writeBorder(m_xml, L("top"), f.topBorder(), f.topBorderStyle(), f.topBorderBrush());
        writeBorder(m_xml, L("left"), f.leftBorder(), f.leftBorderStyle(), f.leftBorderBrush());
        writeBorder(m_xml, L("bottom"), f.bottomBorder(), f.bottomBorderStyle(),
                    f.bottomBorderBrush());
        writeBorder(m_xml, L("right"), f.rightBorder(), f.rightBorderStyle(), f.rightBorderBrush());
        m_xml.writeEndElement();
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        writeShading(m_xml, f.background());
    const bool padding = f.hasProperty(QTextFormat::TableCellTopPadding) ||
                         f.hasProperty(QTextFormat::TableCellLeftPadding) ||
                         f.hasProperty(QTextFormat::TableCellBottomPadding) ||
                         f.hasProperty(QTextFormat::TableCellRightPadding);
    if (padding) {
        m_xml.writeStartElement(kNsW, L("tcMar"));
        writeMargin(m_xml, L("top"), f.topPadding());
        writeMargin(m_xml, L("left"), f.leftPadding());
        writeMargin(m_xml, L("bottom"), f.bottomPadding());
        writeMargin(m_xml, L("right"), f.rightPadding());
        m_xml.writeEndElement();
    }
    if (f.hasProperty(QTextFormat::TextVerticalAlignment)) {
        const auto v = f.verticalAlignment();
        if (v == QTextCharFormat::AlignMiddle || v == QTextCharFormat::AlignBottom ||
            v == QTextCharFormat::AlignTop) {
            m_xml.writeEmptyElement(kNsW, L("vAlign"));
            m_xml.writeAttribute(kNsW, L("val"),
                                 v == QTextCharFormat::AlignMiddle   ? L("center")
                                 : v == QTextCharFormat::AlignBottom ? L("bottom")
                                                                     : L("top"));
        }
    }
}

} // namespace platform::docx::detail
