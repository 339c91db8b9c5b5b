#include "diary/connection.h"

namespace diary {

Store &connection() {
    static Store store;
    return store;
}

bool DbOpen(const QString &userDir, const QString &tplDir) {
    return connection().open(userDir, tplDir);
}

void DbClose() {
    connection().close();
}

bool DbCompact() {
    return connection().compact();
}

} // namespace diary
