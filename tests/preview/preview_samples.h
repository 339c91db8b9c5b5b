#pragma once

#include "platform/text/text_surface.h"
#include "settings/app_values.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <memory>

namespace previewtest {

constexpr int A4Width = 11906;
constexpr int A4Height = 16838;

// A surface on A4 paper with `pages` pages, each a few Japanese paragraphs ended by a page break.
inline std::unique_ptr<platform::TextSurface> entry(int pages) {
    auto surface = std::make_unique<platform::TextSurface>();
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    surface->document()->setDefaultFont(font);
    platform::PageSetup page = surface->page();
    page.width = A4Width;
    page.height = A4Height;
    surface->setPage(page);
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            surface->setSelText(QString(QChar(12)));
        surface->setSelText(QStringLiteral("日記 %1 ページ目。今日は朝から雨が降った。\n公園の桜が"
                                           "きれいだった。Page %1 of the entry.")
                                .arg(n));
    }
    return surface;
}

// Points the user data folder at a fresh temporary folder for the test's lifetime.
class UserFolder {
public:
    UserFolder() : m_previous(settings::appValues().userDir) {
        settings::appValues().userDir = m_dir.path() + QLatin1Char('/');
    }
    ~UserFolder() { settings::appValues().userDir = m_previous; }
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace previewtest
