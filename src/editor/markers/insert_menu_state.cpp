#include "editor/markers/insert_menu_state.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace editor {

namespace {

QString plainCaption(const QString &text) {
    const qsizetype paren = text.indexOf(u'(');
    return (paren > 0 ? text.left(paren) : text).trimmed();
}

} // namespace

InsertMenuState insertMenuState(const QString &markerKind, bool inHeading, bool inTextFrame) {
    InsertMenuState state;
    state.objectsEnabled = !inHeading && !inTextFrame;
    state.markersEnabled = markerKind.isEmpty() && !inHeading;
    state.linkEditsShown = markerKind == QLatin1String("LK");
    state.tagEditsShown = markerKind == QLatin1String("TG");
    state.tooltipEditsShown = markerKind == QLatin1String("TP");
    return state;
}

void applyInsertMenuState(QMenu *insertMenu, const InsertMenuState &state) {
    if (!insertMenu)
        return;
    static const QStringList objects = {QStringLiteral("文書"),
                                        QStringLiteral("ﾃｷｽﾄ"),
                                        QStringLiteral("画像"),
                                        QStringLiteral("画像 (ｻｲｽﾞ指定)"),
                                        QStringLiteral("画像(ｻｲｽﾞを指定して取込)"),
                                        QStringLiteral("画像 WMF形式"),
                                        QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑ"),
                                        QStringLiteral("OLEｵﾌﾞｼﾞｪｸﾄ"),
                                        QStringLiteral("改頁"),
                                        QStringLiteral("ｲﾝﾗｲﾝﾌﾚｰﾑ"),
                                        QStringLiteral("javascript")};
    static const QStringList markers = {QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸ"), QStringLiteral("ﾀｸﾞ"),
                                        QStringLiteral("ﾂｰﾙﾁｯﾌﾟ")};
    const QList<QAction *> actions = insertMenu->actions();
    for (QAction *action : actions) {
        const QString caption = plainCaption(action->text());
        if (objects.contains(caption))
            action->setEnabled(state.objectsEnabled);
        else if (markers.contains(caption))
            action->setEnabled(state.markersEnabled);
        else if (caption.startsWith(QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸの")))
            action->setVisible(state.linkEditsShown);
        else if (caption.startsWith(QStringLiteral("ﾀｸﾞの")))
            action->setVisible(state.tagEditsShown);
        else if (caption.startsWith(QStringLiteral("ﾂｰﾙﾁｯﾌﾟの")))
            action->setVisible(state.tooltipEditsShown);
    }
}

} // namespace editor
