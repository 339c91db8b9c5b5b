// Writes the empty diary database that the program copies on first use.
#include "diary/schema.h"
#include "platform/database.h"

#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output dbJvo.mdb>\n", argv[0]);
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    const QString fresh = target + QStringLiteral(".new");
    QFile::remove(fresh);
    platform::Database db;
    if (!db.open(fresh, platform::Database::Mode::Create) || !diary::createSchema(db)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError()));
        return 1;
    }
    db.close();
    QString error;
    if (!platform::replaceFile(fresh, target, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
