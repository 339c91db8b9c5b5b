#pragma once

#include "platform/text/text_lists.h"
#include "platform/text/text_model.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <memory>

namespace textviewtest {

// Documents of known shape for the view and renderer tests.
struct Sample {
    std::unique_ptr<QTextDocument> main = std::make_unique<QTextDocument>();
    std::array<std::unique_ptr<QTextDocument>, 4> areas;
    platform::PageSetup page;

    Sample() {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSizeF(10.5);
        main->setDefaultFont(font);
        for (auto &area : areas) {
            area = std::make_unique<QTextDocument>();
            area->setDefaultFont(font);
        }
    }

    platform::TextContent content() const {
        platform::TextContent c;
        c.main = main.get();
        for (int i = 0; i < 4; ++i)
            c.areas[i] = areas[i].get();
        c.page = page;
        return c;
    }

    // Paragraphs of mixed Latin and Japanese text, each long enough to wrap.
    void fill(int paragraphs) {
        QTextCursor cursor(main.get());
        for (int i = 0; i < paragraphs; ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(QStringLiteral("段落 %1: 今日は晴れ。The quick brown fox jumps over "
                                             "the lazy dog; 日記の本文がここに続きます。")
                                  .arg(i + 1)
                                  .repeated(2));
        }
    }

    // A numbered list of three paragraphs, then a table whose second cell holds a list of two:
    // with Qt's markers, or with Qt's markers off (text_lists.h) and the lists starting at start.
    void addLists(bool ownLabels, int start) {
        QTextCursor cursor(main.get());
        cursor.movePosition(QTextCursor::End);
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDecimal);
        format.setNumberPrefix(QStringLiteral("("));
        format.setNumberSuffix(QStringLiteral(")"));
        QTextListFormat inner;
        inner.setStyle(QTextListFormat::ListLowerRoman);
        if (start != 1) {
            format.setProperty(platform::TextProp::ListStart, start);
            inner.setProperty(platform::TextProp::ListStart, start);
        }
        cursor.insertText(QStringLiteral("一つ目 first"));
        QTextList *list = cursor.createList(format);
        for (const char *text : {"二つ目 second", "three"}) {
            cursor.insertBlock();
            cursor.insertText(QString::fromUtf8(text));
        }
        cursor.insertBlock(QTextBlockFormat());
        QTextTable *table = cursor.insertTable(1, 2);
        QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
        cell.insertText(QStringLiteral("cell"));
        QTextList *cellList = cell.createList(inner);
        cell.insertBlock();
        cell.insertText(QStringLiteral("セル two"));
        for (QTextList *l : {list, cellList}) {
            for (int i = 0; ownLabels && i < l->count(); ++i) {
                QTextBlockFormat f = l->item(i).blockFormat();
                platform::switchOffQtMarker(f);
                QTextCursor(l->item(i)).setBlockFormat(f);
            }
        }
    }

    void setArea(int area, const QString &text) {
        areas[area]->setPlainText(text);
        page.headerFooterBits |= 1 << area;
    }
};

} // namespace textviewtest
