#include "settings/app_values.h"

#include "settings/yini.h"

#include <QFileInfo>
#include <memory>

namespace settings {
namespace {

std::unique_ptr<yIni> &storeInstance() {
    static std::unique_ptr<yIni> instance;
    return instance;
}

} // namespace

AppValues &appValues() {
    static AppValues values;
    return values;
}

yIni &store() {
    std::unique_ptr<yIni> &instance = storeInstance();
    if (!instance)
        instance = std::make_unique<yIni>();
    return *instance;
}

void releaseStore() {
    storeInstance().reset();
}

QString exeBaseOf(const QString &exeFile) {
    QString base = QFileInfo(exeFile).completeBaseName();
    if (base.endsWith(QLatin1String("_dv"), Qt::CaseInsensitive))
        base.chop(3);
    return base;
}

} // namespace settings
