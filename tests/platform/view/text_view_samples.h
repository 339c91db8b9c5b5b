#pragma once

#include "platform/text/text_model.h"

#include <QTextCursor>
#include <QTextDocument>
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

    void setArea(int area, const QString &text) {
        areas[area]->setPlainText(text);
        page.headerFooterBits |= 1 << area;
    }
};

} // namespace textviewtest
