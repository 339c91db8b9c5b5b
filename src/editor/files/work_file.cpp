#include "editor/files/work_file.h"

#include "editor/files/write_file.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

namespace editor::files {

QString workFilePath(int number) {
    const settings::AppValues &app = settings::appValues();
    if (number == 0)
        return QDir(app.wrkDir).filePath(QStringLiteral("temp.doc"));
    const QString folder = QDir(app.userDir).filePath(QStringLiteral("Dbs/_doc"));
    return QDir(folder).filePath(QStringLiteral("%1.doc").arg(number, 4, 10, QLatin1Char('0')));
}

bool workFileSave(uTxm &editor) {
    using S = platform::TextSurface;
    S &s = editor.surface();
    for (int id = s.nextObject(0, S::PictureObject); id > 0;
         id = s.nextObject(id, S::PictureObject))
        if (s.setCurrentObject(id))
            s.setPictureSaveMode(1);
    const QList<int> fields = s.fieldIds();
    for (int id : fields)
        if (s.setCurrentField(id) && s.fieldText(id).isEmpty())
            s.deleteField(true, id);
    if (!editor.workFileSwitch())
        return true;

    const int number = editor.window()->property("nTmpNo").toInt();
    const QString path = workFilePath(number);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !s.saveFile(path, S::Word97)) {
        platform::dialogs().message(saveFailedMessage(path), platform::Buttons::Ok,
                                    platform::Icon::Exclamation);
        return false;
    }
    return true;
}

} // namespace editor::files
