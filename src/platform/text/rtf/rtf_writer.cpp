#include "rtf_writer.h"

#include "platform/text/text_surface_util.h"
#include "rtf_codec.h"
#include "rtf_common.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace platform::rtf::detail {

namespace {

// What a frame holds, in order. Text frames inside a cell give their blocks, nested tables
// their cells' blocks, as RTF has no place for them.
void collect(QTextFrame *frame, QList<Entry> *entries, bool inCell) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        QTextFrame *child = it.currentFrame();
        if (!child) {
            entries->append(Entry{Entry::Block, it.currentBlock(), nullptr});
            continue;
        }
        auto *table = qobject_cast<QTextTable *>(child);
        if (inCell) {
            collect(child, entries, true);
        } else if (table) {
            entries->append(Entry{Entry::Table, {}, child});
        } else {
            entries->append(Entry{Entry::FrameBegin, {}, child});
            collect(child, entries, false);
            entries->append(Entry{Entry::FrameEnd, {}, child});
        }
    }
}

int nfcOf(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDecimal:
        return 0;
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    default:
        return 23;
    }
}

} // namespace

QByteArray Writer::write(const TextContent &content) {
    const PageSetup &page = content.page;
    m_textWidth = qMax(1440, page.width - page.marginLeft - page.marginRight);
    fontIndex(content.main->defaultFont().family());
    m_out.reserve(content.main->characterCount() * 4 + 4096);
    static constexpr const char *Areas[] = {"header", "headerf", "footer", "footerf"};
    for (std::size_t i = 0; i < content.areas.size(); ++i) {
        if (!(page.headerFooterBits & (1 << i)) || !content.areas[i])
            continue;
        m_out += "{\\";
        m_out += Areas[i];
        m_out += ' ';
        story(*content.areas[i]);
        m_out += "}\n";
    }
    story(*content.main);
    QByteArray result = header(content);
    result += m_out;
    result += "}\n";
    return result;
}

QByteArray Writer::header(const TextContent &content) const {
    QByteArray h = "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1\n{\\fonttbl";
    Writer names; // escapes names with a fresh \uc state
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        names.m_out.clear();
        names.text(m_fonts.at(i));
        h += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset128 " + names.m_out + ";}";
    }
    h += "}\n{\\colortbl;";
    for (QRgb rgb : m_colors)
        h += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) +
             "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    h += "}\n";
    if (!m_listFormats.isEmpty()) {
        h += "{\\*\\listtable";
        for (qsizetype i = 0; i < m_listFormats.size(); ++i) {
            const QTextListFormat &f = m_listFormats.at(i);
            const int nfc = nfcOf(f.style());
            const QByteArray id = QByteArray::number(i + 1);
            h += "\n{\\list\\listtemplateid" + id + "\\listsimple{\\listlevel\\levelnfc" +
                 QByteArray::number(nfc) + "\\levelnfcn" + QByteArray::number(nfc) +
                 "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1";
            h += nfc == 23 ? "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}"
                           : "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
            h += "\\fi-360\\li" + QByteArray::number(360 * (qMax(1, f.indent()) + 1)) + '}';
            h += "{\\*\\" + QByteArray(ListRest) + ' ' + encodeFormat(f).toHex() + '}';
            h += "\\listid" + id + '}';
        }
        h += "}\n{\\*\\listoverridetable";
        for (qsizetype i = 0; i < m_listFormats.size(); ++i) {
            const QByteArray id = QByteArray::number(i + 1);
            h += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + '}';
        }
        h += "}\n";
    }
    h += "{\\*\\generator drJvo;}\n";
    const PageSetup &p = content.page;
    h += "\\paperw" + QByteArray::number(p.width) + "\\paperh" + QByteArray::number(p.height) +
         "\\margl" + QByteArray::number(p.marginLeft) + "\\margr" +
         QByteArray::number(p.marginRight) + "\\margt" + QByteArray::number(p.marginTop) +
         "\\margb" + QByteArray::number(p.marginBottom);
    if (p.landscape)
        h += "\\landscape";
    h += "\\sectd";
    if (p.headerFooterBits & (HeaderFirstPage | FooterFirstPage))
        h += "\\titlepg";
    h += '\n';
    return h;
}

void Writer::story(const QTextDocument &document) {
    openGroup();
    m_out += "\\*\\";
    m_out += DefaultFont;
    m_out += ' ';
    text(document.defaultFont().toString());
    closeGroup();
    m_out += '\n';
    QList<Entry> entries;
    collect(document.rootFrame(), &entries, false);
    qsizetype lastBlock = entries.size() - 1;
    while (lastBlock > 0 && entries.at(lastBlock).kind != Entry::Block)
        --lastBlock;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        switch (entry.kind) {
        case Entry::Block:
            paragraph(entry.block, document, false, i == lastBlock ? "" : "\\par\n");
            break;
        case Entry::Table:
            table(static_cast<QTextTable *>(entry.frame), document);
            break;
        case Entry::FrameBegin:
            m_out += "{\\*\\";
            m_out += FrameBegin;
            m_out += ' ';
            m_out += encodeFormat(entry.frame->frameFormat()).toHex();
            m_out += "}\n";
            break;
        case Entry::FrameEnd:
            m_out += "{\\*\\";
            m_out += FrameEnd;
            m_out += "}\n";
            break;
        }
    }
}

int Writer::listNumber(QTextList *list) {
    const auto it = m_lists.constFind(list);
    if (it != m_lists.constEnd())
        return it.value();
    m_listFormats.append(list->format());
    const int number = int(m_listFormats.size());
    m_lists.insert(list, number);
    return number;
}

void Writer::paragraph(const QTextBlock &block, const QTextDocument &document, bool inTable,
                       const char *end) {
    m_out += "\\pard\\plain";
    if (inTable)
        m_out += "\\intbl";
    QTextFormat rest;
    blockWords(block.blockFormat(), &rest);
    if (QTextList *list = block.textList()) {
        number("\\ls", listNumber(list));
        m_out += "\\ilvl0";
    }
    restGroup(ParagraphRest, rest);
    delimit();
    int field = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const int id = format.intProperty(TextProp::FieldId);
        if (id != field) {
            if (field) {
                closeGroup();
                closeGroup();
            }
            if (id)
                openField(format);
            field = id;
        }
        if (format.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                picture(format.toImageFormat(), document);
            continue;
        }
        openGroup();
        QTextFormat runRest;
        charWords(format, &runRest);
        restGroup(CharRest, runRest);
        delimit();
        text(fragment.text());
        closeGroup();
    }
    if (field) {
        closeGroup();
        closeGroup();
    }
    QTextFormat markRest;
    const QTextCharFormat mark = block.charFormat();
    charWords(mark, &markRest);
    markRest.clearProperty(QTextFormat::ObjectType);
    markRest.clearProperty(QTextFormat::TableCellRowSpan);
    markRest.clearProperty(QTextFormat::TableCellColumnSpan);
    restGroup(CharRest, markRest);
    m_out += end;
}

// {\field{\*\fldinst HYPERLINK "data"}{\fldrslt ...}}: links for every reader; our other fields
// are add-in fields, whose result other readers show as it is.
void Writer::openField(const QTextCharFormat &format) {
    openGroup();
    m_out += "\\field";
    openGroup();
    m_out += "\\*\\fldinst ";
    const bool link = format.intProperty(TextProp::FieldLinkKind) == 1 &&
                      format.stringProperty(TextProp::FieldData) != QLatin1String("@");
    m_out += link ? "HYPERLINK \"" : "ADDIN drJvo \"";
    QString data = format.stringProperty(TextProp::FieldData);
    data.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    text(data);
    m_out += "\"";
    closeGroup();
    openGroup();
    m_out += "\\fldrslt ";
}

void Writer::picture(const QTextImageFormat &format, const QTextDocument &document) {
    QByteArray bytes = surfaceutil::imageBytes(document, format.name());
    if (bytes.isEmpty())
        return;
    const char *blip = nullptr;
    if (bytes.startsWith("\x89PNG"))
        blip = "\\pngblip";
    else if (bytes.startsWith("\xFF\xD8\xFF"))
        blip = "\\jpegblip";
    if (!blip) {
        const QImage image = QImage::fromData(bytes);
        if (image.isNull())
            return;
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        blip = "\\pngblip";
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();

    QTextImageFormat image = format;
    openGroup();
    QTextFormat rest;
    charWords(image, &rest);
    m_out += "{\\pict";
    m_out += blip;
    number("\\picw", size.width());
    number("\\pich", size.height());
    // A goal of the natural size reads back as no size given.
    const auto goal = [&](int property, double px, int natural, const char *word) {
        int twips = 0;
        if (rest.hasProperty(property) && exactTwips(px, &twips) && twips > 0 &&
            twips != natural * 15) {
            number(word, twips);
            rest.clearProperty(property);
        } else {
            number(word, natural * 15);
        }
    };
    goal(QTextFormat::ImageWidth, image.width(), size.width(), "\\picwgoal");
    goal(QTextFormat::ImageHeight, image.height(), size.height(), "\\pichgoal");
    if (image.name() == surfaceutil::imageName(bytes))
        rest.clearProperty(QTextFormat::ImageName);
    rest.clearProperty(QTextFormat::ObjectType);
    restGroup(CharRest, rest);
    m_out += '\n';
    m_out += bytes.toHex();
    m_out += '}';
    closeGroup();
}

void Writer::table(QTextTable *table, const QTextDocument &document) {
    const int rows = table->rows();
    const int columns = table->columns();
    const QTextTableFormat format = table->format();
    // Column edges in twips: fixed widths as they are, percentages of the text width, the rest
    // shares what is left.
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<int> widths(columns, 0);
    int used = 0;
    int open = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints.at(c) : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            widths[c] = qBound(100, int(length.rawValue() * 15), MaxTwips / 8);
        else if (length.type() == QTextLength::PercentageLength)
            widths[c] = qMax(100, int(m_textWidth * length.rawValue() / 100));
        else
            ++open;
        used += widths[c];
    }
    for (int c = 0; c < columns; ++c)
        if (widths[c] == 0)
            widths[c] = qMax(100, (m_textWidth - used) / qMax(1, open));
    QList<int> edges{0};
    for (int w : std::as_const(widths))
        edges.append(edges.last() + w);

    for (int r = 0; r < rows; ++r) {
        m_out += "\\trowd\\trgaph108";
        restGroup(TableRest, format);
        QList<QTextTableCell> cells; // the cells this row writes, continuation cells included
        for (int c = 0; c < columns;) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = qMax(1, cell.columnSpan());
            if (cell.column() != c) {
                ++c;
                continue;
            }
            if (cell.rowSpan() > 1)
                m_out += cell.row() == r ? "\\clvmgf" : "\\clvmrg";
            const QTextCharFormat cellFormat = cell.format();
            const QBrush shading = cellFormat.background();
            if (cellFormat.hasProperty(QTextFormat::BackgroundBrush) &&
                shading.style() == Qt::SolidPattern)
                number("\\clcbpat", colorIndex(shading.color()));
            QTextFormat rest = cellFormat;
            rest.clearProperty(QTextFormat::ObjectType);
            rest.clearProperty(QTextFormat::TableCellRowSpan);
            rest.clearProperty(QTextFormat::TableCellColumnSpan);
            restGroup(CellRest, rest);
            number("\\cellx", edges.at(qMin(c + span, columns)));
            cells.append(cell);
            c += span;
        }
        m_out += '\n';
        for (const QTextTableCell &cell : std::as_const(cells)) {
            if (cell.row() != r) {
                m_out += "\\pard\\plain\\intbl\\cell\n";
                continue;
            }
            QList<Entry> entries;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (QTextFrame *child = it.currentFrame())
                    collect(child, &entries, true);
                else
                    entries.append(Entry{Entry::Block, it.currentBlock(), nullptr});
            }
            for (qsizetype i = 0; i < entries.size(); ++i)
                paragraph(entries.at(i).block, document, true,
                          i + 1 == entries.size() ? "\\cell\n" : "\\par\n");
        }
        m_out += "\\row\n";
    }
}

} // namespace platform::rtf::detail

namespace platform::rtf {

QByteArray write(const TextContent &content) {
    detail::Writer writer;
    return writer.write(content);
}

} // namespace platform::rtf
