#include "rtf_common.h"
#include "rtf_reader.h"

#include "platform/text/text_format_codec.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace platform::rtf::detail {

namespace {

constexpr qint64 MaxGrid = 1'000'000; // rows × columns of one table

// Characters that would make blocks or frames in the text engine are not text.
QString cleanText(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\t' || u == 0x2028 || u == QChar::ObjectReplacementCharacter ||
            (u >= 0x20 && u != 0x2029 && u != 0xFDD0 && u != 0xFDD1 && u != 0xFEFF))
            out += ch;
    }
    return out;
}

// A cell's first block mark is the cell's own format: its structure stays as the table made it.
QTextCharFormat keepStructure(QTextCharFormat format, const QTextCharFormat &current) {
    for (int key : {int(QTextFormat::ObjectType), int(QTextFormat::TableCellRowSpan),
                    int(QTextFormat::TableCellColumnSpan)}) {
        if (current.hasProperty(key))
            format.setProperty(key, current.property(key));
        else
            format.clearProperty(key);
    }
    return format;
}

QTextListFormat::Style styleOfNfc(int nfc) {
    switch (nfc) {
    case 0:
        return QTextListFormat::ListDecimal;
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    default:
        return QTextListFormat::ListDisc;
    }
}

class Builder {
public:
    Builder(const Model &model, QTextDocument &document) : m_model(model), m_doc(document) {}

    bool items(const std::vector<Item> &items) {
        QTextCursor c(&m_doc);
        bool fresh = true;
        std::vector<QTextFrame *> frames;
        int ignored = 0; // frames past the depth limit, whose paragraphs go where they stand
        for (const Item &item : items) {
            if (const auto *p = std::get_if<Paragraph>(&item)) {
                paragraph(c, *p, fresh);
                fresh = false;
            } else if (const auto *t = std::get_if<Table>(&item)) {
                if (!table(c, *t))
                    return false;
                fresh = true;
            } else if (std::get<FrameMark>(item).begin) {
                if (frames.size() >= std::size_t(MaxFrameDepth)) {
                    ++ignored;
                    continue;
                }
                c.clearSelection();
                frames.push_back(c.insertFrame(std::get<FrameMark>(item).format));
                fresh = true;
            } else if (ignored > 0) {
                --ignored;
            } else if (!frames.empty()) {
                c.setPosition(frames.back()->lastPosition() + 1);
                frames.pop_back();
                fresh = true;
            }
        }
        return true;
    }

private:
    void paragraph(QTextCursor &c, const Paragraph &p, bool fresh) {
        if (fresh) {
            c.setBlockFormat(p.block);
            c.setBlockCharFormat(keepStructure(p.mark, c.blockCharFormat()));
        } else {
            c.insertBlock(p.block, p.mark);
        }
        if (p.list > 0 && m_model.lists.contains(p.list)) {
            if (QTextList *list = m_lists.value(p.list)) {
                list->add(c.block());
            } else {
                const ListDef def = m_model.lists.value(p.list);
                QTextListFormat format;
                if (def.hasRest) {
                    format = def.rest.toListFormat();
                } else {
                    format.setStyle(styleOfNfc(def.nfc));
                    format.setIndent(p.level + 1);
                }
                m_lists.insert(p.list, c.createList(format));
            }
        }
        for (const Run &run : p.runs) {
            if (run.format.isImageFormat())
                c.insertText(QString(QChar::ObjectReplacementCharacter), run.format);
            else
                c.insertText(cleanText(run.text), run.format);
        }
    }

    bool table(QTextCursor &c, const Table &t) {
        std::vector<int> edges;
        for (const Row &row : t.rows)
            for (const Cell &cell : row.cells) {
                edges.push_back(cell.left);
                edges.push_back(cell.def.right);
            }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        const int rows = int(t.rows.size());
        const int columns = int(edges.size()) - 1;
        if (columns < 1)
            return true;
        if (columns > formatcodec::MaxColumns || qint64(rows) * columns > MaxGrid)
            return false;
        const auto column = [&](int edge) {
            return int(std::lower_bound(edges.begin(), edges.end(), edge) - edges.begin());
        };

        struct Origin {
            const Cell *cell;
            int row, column, rowSpan, columnSpan;
        };
        std::vector<Origin> origins;
        QHash<int, std::size_t> vertical; // column → origin still open downwards
        for (int r = 0; r < rows; ++r) {
            for (const Cell &cell : t.rows.at(r).cells) {
                const int c0 = column(cell.left);
                const int span = qMax(1, column(cell.def.right) - c0);
                if (cell.def.vmerge == 2 && vertical.contains(c0)) {
                    Origin &o = origins[vertical.value(c0)];
                    if (o.row + o.rowSpan == r && o.columnSpan == span) {
                        ++o.rowSpan;
                        continue;
                    }
                }
                origins.push_back(Origin{&cell, r, c0, 1, span});
                if (cell.def.vmerge == 1)
                    vertical.insert(c0, origins.size() - 1);
                else
                    vertical.remove(c0);
            }
        }

        QTextTableFormat format;
        const Row &first = t.rows.first();
        if (first.hasRest) {
            format = first.tableRest.toTableFormat();
        } else {
            QList<QTextLength> widths;
            for (int i = 0; i < columns; ++i)
                widths << QTextLength(
                    QTextLength::FixedLength,
                    pxFromTwips(edges[std::size_t(i) + 1] - edges[std::size_t(i)]));
            format.setColumnWidthConstraints(widths);
        }
        c.clearSelection();
        QTextTable *table = c.insertTable(rows, columns, format);
        std::vector<char> taken(std::size_t(rows) * std::size_t(columns), 0);
        std::vector<const Origin *> placed;
        for (Origin &o : origins) {
            bool free = true;
            for (int r = o.row; r < o.row + o.rowSpan && free; ++r)
                for (int k = o.column; k < o.column + o.columnSpan && free; ++k)
                    free = k < columns && !taken[std::size_t(r) * columns + k];
            if (!free) {
                o.rowSpan = o.columnSpan = 1;
                if (o.column >= columns || taken[std::size_t(o.row) * columns + o.column])
                    continue;
            }
            for (int r = o.row; r < o.row + o.rowSpan; ++r)
                for (int k = o.column; k < o.column + o.columnSpan; ++k)
                    taken[std::size_t(r) * columns + k] = 1;
            if (o.rowSpan > 1 || o.columnSpan > 1)
                table->mergeCells(o.row, o.column, o.rowSpan, o.columnSpan);
            placed.push_back(&o);
        }
        for (const Origin *o : placed) {
            QTextTableCell cell = table->cellAt(o->row, o->column);
            if (!cell.isValid())
                continue;
            const CellDef &def = o->cell->def;
            if (def.hasRest)
                cell.setFormat(keepStructure(def.rest.toCharFormat(), cell.format()));
            QTextCursor cc = cell.firstCursorPosition();
            bool fresh = true;
            for (const Paragraph &p : o->cell->paragraphs) {
                paragraph(cc, p, fresh);
                fresh = false;
            }
            // The first paragraph's mark is the cell's format: the shading goes on after it.
            if (!def.hasRest && def.shading.isValid()) {
                QTextCharFormat cellFormat = cell.format();
                cellFormat.setBackground(def.shading);
                cell.setFormat(cellFormat);
            }
        }
        c.setPosition(table->lastPosition() + 1);
        return true;
    }

    const Model &m_model;
    QTextDocument &m_doc;
    QHash<int, QTextList *> m_lists;
};

} // namespace

bool build(const Model &model, TextContent &content, QString *error) {
    content.page = model.page;
    content.page.headerFooterBits = 0;
    for (std::size_t i = 0; i < model.stories.size(); ++i) {
        QTextDocument *document = i == 0 ? content.main : content.areas[i - 1];
        const Story &story = model.stories[i];
        if (!document)
            continue;
        document->clear();
        if (i > 0 && !story.present)
            continue;
        if (i > 0)
            content.page.headerFooterBits |= 1 << (i - 1);
        if (story.hasDefaultFont) {
            document->setDefaultFont(story.defaultFont);
        } else if (!model.defaultFamily.isEmpty()) {
            QFont font = document->defaultFont();
            font.setFamilies({model.defaultFamily});
            document->setDefaultFont(font);
        }
        for (auto it = model.images.cbegin(); it != model.images.cend(); ++it)
            document->addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
        Builder builder(model, *document);
        if (!builder.items(story.items)) {
            if (error)
                *error = QStringLiteral("an RTF table is too large");
            return false;
        }
    }
    return true;
}

} // namespace platform::rtf::detail

namespace platform::rtf {

bool read(const QByteArray &bytes, TextContent &content, QString *error) {
    detail::Model model;
    model.page = content.page;
    model.page.landscape = false;
    if (!detail::parse(bytes, model, error))
        return false;
    return detail::build(model, content, error);
}

} // namespace platform::rtf
