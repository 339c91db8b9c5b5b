#include "rtf_common.h"
#include "rtf_parser.h"

#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QImageReader>

// What the parser builds: runs, paragraphs, table rows and cells, pictures and fields.
namespace platform::rtf::detail {

namespace {

// The link a field instruction names: HYPERLINK "url", HYPERLINK \l "anchor".
QString linkOf(const QString &instruction) {
    QString s = instruction.trimmed();
    if (!s.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    s = s.mid(9).trimmed();
    bool anchor = false;
    QString target;
    int i = 0;
    while (i < s.size() && target.isEmpty()) {
        if (s.at(i).isSpace()) {
            ++i;
        } else if (s.at(i) == u'\\') {
            anchor = anchor || s.mid(i, 2) == QLatin1String("\\l");
            i += 2;
            // A switch with an argument of its own (\t target, \o tip) takes it along.
            if (s.mid(i - 2, 2) != QLatin1String("\\l")) {
                while (i < s.size() && s.at(i).isSpace())
                    ++i;
                if (i < s.size() && s.at(i) == u'"') {
                    const qsizetype end = s.indexOf(u'"', i + 1);
                    i = end < 0 ? int(s.size()) : int(end) + 1;
                }
            }
        } else if (s.at(i) == u'"') {
            ++i;
            while (i < s.size() && s.at(i) != u'"') {
                if (s.at(i) == u'\\' && i + 1 < s.size())
                    ++i;
                target += s.at(i++);
            }
            ++i;
            if (target.isEmpty())
                return {};
        } else {
            while (i < s.size() && !s.at(i).isSpace())
                target += s.at(i++);
        }
    }
    if (target.isEmpty())
        return {};
    return anchor ? u'#' + target : target;
}

} // namespace

void Parser::fieldResultFormat(QTextCharFormat &format) {
    const State &s = top();
    if (!s.result || s.field < 0 || format.hasProperty(TextProp::FieldId))
        return;
    Field &f = m_fields[s.field];
    if (!f.parsed) {
        f.parsed = true;
        f.data = linkOf(f.instruction);
        if (!f.data.isEmpty())
            f.id = m_nextFieldId++;
    }
    if (f.id == 0)
        return;
    format.setProperty(TextProp::FieldId, f.id);
    format.setProperty(TextProp::FieldData, f.data);
    format.setProperty(TextProp::FieldLinkKind, 1);
    format.setProperty(TextProp::FieldAttribute, 149);
}

void Parser::appendText(const QString &text) {
    State &s = top();
    if (s.dest != Dest::Body || text.isEmpty() || s.hidden)
        return;
    QTextCharFormat format = s.chr;
    fieldResultFormat(format);
    appendRun(text, format);
}

void Parser::appendRun(const QString &text, const QTextCharFormat &format) {
    StoryBuild &b = m_builds[std::size_t(top().story)];
    b.touched = true;
    QList<Run> &runs = b.open.runs;
    if (!runs.isEmpty() && !format.isImageFormat() && !runs.last().format.isImageFormat() &&
        runs.last().format == format)
        runs.last().text += text;
    else
        runs.append(Run{text, format});
}

void Parser::endParagraph(bool cell) {
    State &s = top();
    StoryBuild &b = m_builds[std::size_t(s.story)];
    Paragraph p = std::move(b.open);
    b.open = Paragraph();
    b.touched = false;
    p.block = finishedBlock(s.para);
    if (b.pageBreakNext) {
        p.block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        b.pageBreakNext = false;
    }
    p.mark = s.chr;
    p.list = s.para.list;
    p.level = s.para.level;
    if (cell || s.para.inTable) {
        if (b.cellParagraphs.size() < MaxTableCells)
            b.cellParagraphs.append(std::move(p));
        return;
    }
    if (b.tableOpen)
        closeTable(b);
    m_model.stories[std::size_t(s.story)].items.emplace_back(std::move(p));
}

void Parser::endCell() {
    endParagraph(true);
    StoryBuild &b = m_builds[std::size_t(top().story)];
    if (b.rowCells.size() >= MaxRowCells) {
        b.cellParagraphs.clear();
        return;
    }
    Cell cell;
    cell.paragraphs = std::move(b.cellParagraphs);
    b.cellParagraphs.clear();
    b.rowCells.append(std::move(cell));
}

void Parser::endRow() {
    StoryBuild &b = m_builds[std::size_t(top().story)];
    if (!b.cellParagraphs.isEmpty())
        endCell();
    if (b.rowCells.isEmpty())
        return;
    m_cells += b.rowCells.size();
    if (m_cells > MaxTableCells) {
        fail(QStringLiteral("the RTF tables have too many cells"));
        return;
    }
    Row row;
    row.hasRest = b.rowDef.hasRest;
    row.tableRest = b.rowDef.tableRest;
    int left = b.rowDef.left;
    for (qsizetype i = 0; i < b.rowCells.size(); ++i) {
        Cell &cell = b.rowCells[i];
        cell.def = i < b.rowDef.cells.size() ? b.rowDef.cells.at(i) : CellDef();
        if (cell.def.right <= left)
            cell.def.right = left + 1440;
        cell.left = left;
        left = cell.def.right;
        if (cell.def.hmerge && !row.cells.isEmpty())
            row.cells.last().def.right = cell.def.right;
        else
            row.cells.append(std::move(cell));
    }
    b.rowCells.clear();
    b.table.rows.append(std::move(row));
    b.tableOpen = true;
}

void Parser::closeTable(StoryBuild &build) {
    if (!build.table.rows.isEmpty())
        m_model.stories[std::size_t(&build - m_builds.data())].items.emplace_back(
            std::move(build.table));
    build.table = Table();
    build.tableOpen = false;
}

void Parser::finishStory(const State &state) {
    StoryBuild &b = m_builds[std::size_t(state.story)];
    // The paragraph still open ends with the story's group, in the group's state.
    if (b.touched || !b.open.runs.isEmpty()) {
        m_stack.append(state);
        endParagraph(false);
        m_stack.removeLast();
    }
    if (b.tableOpen)
        closeTable(b);
}

void Parser::finishPicture(const State &state) {
    if (m_picture.kind == 0 || m_picture.bytes.isEmpty())
        return;
    // Equal pictures are one resource, checked once; all pictures together have a budget.
    const QString name = surfaceutil::imageName(m_picture.bytes);
    if (!m_model.images.contains(name)) {
        QBuffer buffer(&m_picture.bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, m_picture.kind == 1 ? "png" : "jpeg");
        const QSize size = reader.size();
        if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels)
            return;
        m_pixels += qint64(size.width()) * size.height();
        if (m_pixels > MaxDocumentPixels || reader.read().isNull())
            return;
        m_pictureSizes.insert(name, size);
    }
    const QSize size = m_pictureSizes.value(name);
    QTextImageFormat image;
    mergeFormat(image, state.chr);
    image.setObjectType(QTextFormat::ImageObject);
    if (!image.hasProperty(QTextFormat::ImageName))
        image.setName(name);
    // A picture shown at its own size keeps no size of its own.
    const auto shown = [](int goal, int natural, int scale) {
        return goal > 0 && (goal != natural * 15 || scale != 100)
                   ? pxFromTwips(goal) * scale / 100.0
                   : 0.0;
    };
    const double width = shown(m_picture.goalWidth, size.width(), m_picture.scaleX);
    const double height = shown(m_picture.goalHeight, size.height(), m_picture.scaleY);
    if (!image.hasProperty(QTextFormat::ImageWidth) && width > 0)
        image.setWidth(width);
    if (!image.hasProperty(QTextFormat::ImageHeight) && height > 0)
        image.setHeight(height);
    m_model.images.insert(image.name(), m_picture.bytes);
    QTextCharFormat format = image;
    fieldResultFormat(format);
    appendRun(QString(QChar::ObjectReplacementCharacter), format);
    m_picture = Picture();
}

void Parser::finishRest(const State &closed) {
    QTextFormat format;
    if (!decodeFormat(m_rest, &format))
        return;
    m_rest.clear();
    State &s = top();
    StoryBuild &b = m_builds[std::size_t(s.story)];
    if (closed.rest == CharRest && format.isCharFormat()) {
        mergeFormat(s.chr, format);
    } else if (closed.rest == ParagraphRest && format.isBlockFormat()) {
        mergeFormat(s.para.block, format);
    } else if (closed.rest == TableRest && format.isTableFormat()) {
        b.rowDef.hasRest = true;
        b.rowDef.tableRest = format;
    } else if (closed.rest == CellRest && format.isCharFormat()) {
        b.rowDef.current.hasRest = true;
        b.rowDef.current.rest = format;
    } else if (closed.rest == FrameBegin && format.isFrameFormat() && !format.isTableFormat()) {
        frameMark(FrameMark{true, format.toFrameFormat()});
    } else if (closed.rest == ListRest && format.isListFormat()) {
        m_listCurrent.hasRest = true;
        m_listCurrent.rest = format;
    }
}

// Text frames are marks between the story's paragraphs; an open table ends before them.
void Parser::frameMark(FrameMark mark) {
    const int story = top().story;
    StoryBuild &b = m_builds[std::size_t(story)];
    if (b.tableOpen)
        closeTable(b);
    std::vector<Item> &items = m_model.stories[std::size_t(story)].items;
    if (items.size() < std::size_t(MaxTableCells))
        items.emplace_back(std::move(mark));
}

} // namespace platform::rtf::detail
