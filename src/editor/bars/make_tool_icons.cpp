// Build step: draws the editor's tool icons once into PNG files and writes the resource list that
// the program is built with.
#include "editor/bars/tool_icon_drawing.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drjvo_make_tool_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;
    QByteArray list = "<RCC>\n    <qresource prefix=\"/tool_icons\">\n";
    for (const QString &key : editor::toolIconKeys()) {
        const QString name = key + QStringLiteral(".png");
        if (!editor::drawToolIcon(key).save(out.filePath(name), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
        list += "        <file>" + name.toUtf8() + "</file>\n";
    }
    list += "    </qresource>\n</RCC>\n";
    QFile qrc(out.filePath(QStringLiteral("tool_icons.qrc")));
    if (!qrc.open(QIODevice::WriteOnly) || qrc.write(list) != list.size())
        return 1;
    return 0;
}
