// Saves a picture of each page of the settings dialog. Arguments: the folder for the PNG files.
#include "editor_dialog/sbtxm.h"
#include "platform/text/text_surface.h"
#include "settings/user_styles.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("今日は晴れ。明日も晴れ。"));
    surface.select(3, 2);
    platform::PageSetup page;
    page.width = 11900;
    page.height = 16838;
    surface.setPage(page);

    settings::UserStyleTable styles = settings::UserStyleTable::defaults();
    editor_dialog::sbTxm dialog;
    dialog.cOn(surface, nullptr);
    dialog.setUserStyles(&styles);
    const struct {
        const char *code;
        const char *answer;
        const char *file;
    } pages[] = {
        {"FD", "", "settings_find.png"},
        {"RP", "", "settings_replace.png"},
        {"PG", "", "settings_page.png"},
        {"IM", "ON\t上書", "settings_ime.png"},
        {"TF", "21", "settings_picture_layout.png"},
        {"TB", "", "settings_table.png"},
        {"DP", "2\t75", "settings_display.png"},
        {"US", "", "settings_user_styles_page.png"},
        {"LK", "", "settings_link.png"},
        {"LK", "晴れ", "settings_link_seltext.png"},
        {"LK_OBJ", "", "settings_link_picture.png"},
    };
    bool ok = true;
    for (const auto &p : pages) {
        dialog.prepare(QString::fromLatin1(p.code), QString::fromUtf8(p.answer));
        if (QString::fromLatin1(p.code) == QStringLiteral("RP")) {
            if (auto *replacement = dialog.findChild<QComboBox *>(QStringLiteral("cbFnd3")))
                replacement->setCurrentText(QStringLiteral("雨"));
        }
        dialog.show();
        app.processEvents();
        ok &= dialog.grab().save(QDir(folder).filePath(QString::fromLatin1(p.file)));
        dialog.hide();
    }
    return ok ? 0 : 1;
}
