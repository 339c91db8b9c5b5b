#include "editor/pictures/object_menu.h"

#include "editor/pictures/embedded_object.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"

#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace editor {

namespace {

QString markerKind(const QString &data) {
    if (data.startsWith(QStringLiteral("TG_")))
        return QStringLiteral("TG");
    if (data.startsWith(QStringLiteral("TP_")))
        return QStringLiteral("TP");
    return QStringLiteral("LK");
}

QTextCharFormat pictureFormat(const platform::TextSurface &surface, int objectId) {
    QTextDocument *doc = surface.activeDocument();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() &&
                format.intProperty(platform::TextProp::ObjectId) == objectId)
                return format;
        }
    return {};
}

} // namespace

int pictureAt(const platform::TextSurface &surface, int position) {
    const int id = surface.objectAt(position);
    return surface.objectKind(id) == platform::TextSurface::PictureObject ? id : 0;
}

int picturePositionOf(const platform::TextSurface &surface, int objectId) {
    const QString text = surface.text();
    for (qsizetype i = text.indexOf(QChar(1)); i >= 0; i = text.indexOf(QChar(1), i + 1))
        if (surface.objectAt(int(i)) == objectId)
            return int(i);
    return -1;
}

QByteArray pictureBytes(const platform::TextSurface &surface, int objectId) {
    const QTextCharFormat format = pictureFormat(surface, objectId);
    if (!format.isImageFormat())
        return {};
    const QVariant value = surface.activeDocument()->resource(QTextDocument::ImageResource,
                                                              QUrl(format.toImageFormat().name()));
    return value.userType() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

ObjectMenuState objectMenuState(const platform::TextSurface &surface, int objectId) {
    ObjectMenuState state;
    state.objectId = objectId;
    state.frame = surface.objectKind(objectId) == platform::TextSurface::TextFrameObject;
    if (state.frame)
        return state;
    state.position = picturePositionOf(surface, objectId);
    state.embedded = unpackEmbedded(pictureBytes(surface, objectId)).has_value();
    if (state.position < 0)
        return state;
    const int at = state.position + 1; // fields count from 1
    const QList<int> fields = surface.fieldIds();
    for (int id : fields) {
        const int start = surface.fieldStart(id);
        const int end = surface.fieldEnd(id);
        const QString kind = markerKind(surface.fieldData(id));
        if (start <= at && at <= end) {
            state.fieldId = id;
            state.kind = kind;
        } else if (kind != QStringLiteral("TP") && end < at) {
            state.previousKind = kind;
        } else if (kind != QStringLiteral("TP") && start > at && state.nextKind.isEmpty()) {
            state.nextKind = kind;
        }
    }
    return state;
}

QList<ObjectEntry> objectMenuEntries(const ObjectMenuState &state) {
    if (state.frame)
        return {
            {0, QStringLiteral("切り取り(&T)"), true},
            {1, QStringLiteral("ｺﾋﾟｰ(&C)"), true},
            {5, QStringLiteral("削除"), true},
            {21, QStringLiteral("ﾌﾟﾛﾊﾟﾃｨ"), true},
        };
    const bool bare = state.kind.isEmpty();
    const bool link = state.kind == QStringLiteral("LK");
    const bool tag = state.kind == QStringLiteral("TG");
    auto copyCaption = [](const QString &side, const QString &kind) -> QString {
        return side +
               (kind == QStringLiteral("LK") ? QStringLiteral("ﾘﾝｸ") : QStringLiteral("ﾀｸﾞ")) +
               QStringLiteral("を複写");
    };
    return {
        {0, QStringLiteral("切り取り(&T)"), true},
        {1, QStringLiteral("ｺﾋﾟｰ(&C)"), true},
        {3, QStringLiteral("編集"), true},
        {5, QStringLiteral("削除"), true},
        {7, QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸ(&L)"), bare},
        {8, QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸの修正"), link},
        {9, QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸの削除"), link},
        {11, QStringLiteral("ﾀｸﾞ(&G)"), bare},
        {12, QStringLiteral("ﾀｸﾞの修正"), tag},
        {13, QStringLiteral("ﾀｸﾞの削除"), tag},
        {15, QStringLiteral("拡大画像へのﾘﾝｸ(最新)"), bare && !state.embedded},
        {16, QStringLiteral("拡大画像へのﾘﾝｸ(選択)"), bare && !state.embedded},
        {18, copyCaption(QStringLiteral("直前の"), state.previousKind),
         bare && !state.previousKind.isEmpty()},
        {19, copyCaption(QStringLiteral("直後の"), state.nextKind),
         bare && !state.nextKind.isEmpty()},
        {21, QStringLiteral("ﾌﾟﾛﾊﾟﾃｨ"), true},
    };
}

QMenu *buildObjectMenu(const QList<ObjectEntry> &entries, QWidget *parent) {
    auto *menu = new QMenu(parent);
    int last = -1;
    for (const ObjectEntry &entry : entries) {
        if (!entry.visible)
            continue;
        if (last >= 0 && entry.position > last + 1)
            menu->addSeparator();
        menu->addAction(entry.caption)->setData(entry.position);
        last = entry.position;
    }
    return menu;
}

} // namespace editor
