#include "editor/markers/marker_commands.h"

#include "editor/entry_points.h"
#include "editor/interface.h"
#include "editor/markers/marker_make.h"
#include "editor/markers/marker_read.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QRegularExpression>
#include <QVariantList>

namespace editor {

namespace {

const QString kTagPrefix = QStringLiteral("TG_");
const QString kTooltipPrefix = QStringLiteral("TP_");

void tell(const QString &text) {
    platform::dialogs().message(text, platform::Buttons::Ok, platform::Icon::Exclamation);
}

// The field at the caret becomes current; 0 when there is none.
int caretField(platform::TextSurface &surface) {
    const int id = surface.fieldAtInput();
    return id > 0 && surface.setCurrentField(id) ? id : 0;
}

void setMarker(platform::TextSurface &surface, int id, int linkKind, const QString &data) {
    surface.setFieldLinkKind(linkKind, id);
    surface.setFieldData(data, id);
    surface.setFieldAttribute(kMarkerAttribute, id);
}

// Steps every marker command shares before it asks for text: trimming, the field that an edit
// or delete needs, copying a marker onto a picture and deleting. Returns the field to edit (0
// for a new marker), or the mode already carried out.
struct Prepared {
    bool done = false;
    int mode = MarkerCancelled;
    int field = 0;
};

Prepared prepare(uTxm &editor, const MarkerRequest &request, int entry,
                 const QString &requiredPrefix) {
    platform::TextSurface &surface = editor.surface();
    if (request.mode != MarkerDelete)
        trimMarkerSelection(surface);
    Prepared p;
    if (request.mode != MarkerNew) {
        p.field = caretField(surface);
        if (p.field == 0) {
            p.done = true;
            return p;
        }
    }
    if (request.mode == MarkerNew && request.fieldId > 0 && request.onObject) {
        p.done = true;
        if (!surface.setCurrentField(request.fieldId))
            return p;
        const QString data = surface.fieldData(request.fieldId);
        if (!requiredPrefix.isEmpty() && !data.startsWith(requiredPrefix, Qt::CaseInsensitive))
            return p;
        if (makeObjectMarker(surface, editor.userStyles(), entry, data) > 0)
            p.mode = MarkerNew;
        return p;
    }
    if (request.mode == MarkerDelete) {
        p.done = true;
        if (removeMarker(surface, editor.userStyles(), false))
            p.mode = MarkerDelete;
    }
    return p;
}

int finish(uTxm &editor, int mode) {
    if (mode != MarkerCancelled) {
        editor.setBDcEdt(true);
        showCaret(editor);
    }
    return mode;
}

} // namespace

void showCaret(uTxm &editor) {
    // The view shows the main text; a header or footer keeps its own caret.
    const QTextCursor cursor = editor.surface().cursor();
    if (cursor.document() == editor.view()->document())
        editor.view()->setTextCursor(cursor);
}

QVariant markerArgument(int mode, bool onObject, int fieldId) {
    return QVariantList{mode, onObject, fieldId};
}

MarkerRequest markerRequest(const QVariant &argument) {
    MarkerRequest request;
    if (argument.typeId() == QMetaType::QVariantList) {
        const QVariantList parts = argument.toList();
        request.mode = parts.value(0).toInt();
        request.onObject = parts.value(1).toBool();
        request.fieldId = parts.value(2).toInt();
    } else {
        request.mode = argument.toInt();
    }
    return request;
}

double leadingNumber(const QString &text) {
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+(\\.\\d*)?|\\.\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(0).trimmed().toDouble() : 0;
}

int linkCommand(uTxm &editor, const MarkerRequest &request) {
    platform::TextSurface &surface = editor.surface();
    const Prepared p = prepare(editor, request, kLinkStyleEntry, QString());
    if (p.done)
        return finish(editor, p.mode);
    const bool edit = request.mode == MarkerEdit;
    QString answer =
        edit ? surface.fieldText(p.field) + u'\t' + surface.fieldData(p.field) : surface.selText();
    editor.entryPoints().settingsPage(
        editor, request.onObject ? QStringLiteral("LK_OBJ") : QStringLiteral("LK"), answer);
    if (answer.isEmpty())
        return MarkerCancelled; // the page was cancelled
    const qsizetype tab = answer.indexOf(u'\t');
    const QString caption = (tab < 0 ? answer : answer.left(tab)).trimmed();
    const QString target = tab < 0 ? QString() : answer.mid(tab + 1).trimmed();
    if (target.isEmpty()) {
        tell(QStringLiteral("ﾘﾝｸ先が指定されていません"));
        return MarkerCancelled;
    }
    if (caption.isEmpty() && !request.onObject) {
        tell(QStringLiteral("ｷｬﾌﾟｼｮﾝが指定されていません"));
        return MarkerCancelled;
    }
    if (edit) {
        if (!request.onObject)
            surface.setFieldText(caption, p.field);
        setMarker(surface, p.field, 1, target);
    } else {
        const int id =
            request.onObject
                ? makeObjectMarker(surface, editor.userStyles(), kLinkStyleEntry, target)
                : makeMarker(surface, editor.userStyles(), kLinkStyleEntry, caption, target);
        if (id <= 0)
            return MarkerCancelled;
    }
    return finish(editor, request.mode);
}

int tagCommand(uTxm &editor, const MarkerRequest &request) {
    if (editor.editorType() != -2)
        return MarkerCancelled;
    platform::TextSurface &surface = editor.surface();
    const Prepared p = prepare(editor, request, kTagStyleEntry, kTagPrefix);
    if (p.done)
        return finish(editor, p.mode);
    const bool edit = request.mode == MarkerEdit;
    QString text = edit ? surface.fieldText(p.field) : surface.selText();
    text.remove(QChar(1));
    QString value = edit ? surface.fieldData(p.field).mid(3) : QString();
    emit editor.TagRequested(text, value);
    text = text.trimmed();
    if (text.isEmpty() || leadingNumber(value) == 0)
        return MarkerCancelled;
    const QString data = kTagPrefix + value;
    if (edit) {
        if (!request.onObject)
            surface.setFieldText(text, p.field);
        setMarker(surface, p.field, 2, data);
    } else {
        const int id = request.onObject
                           ? makeObjectMarker(surface, editor.userStyles(), kTagStyleEntry, data)
                           : makeMarker(surface, editor.userStyles(), kTagStyleEntry, text, data);
        if (id <= 0)
            return MarkerCancelled;
    }
    return finish(editor, request.mode);
}

int tooltipCommand(uTxm &editor, const MarkerRequest &request) {
    platform::TextSurface &surface = editor.surface();
    const Prepared p = prepare(editor, {request.mode, false, 0}, kTagStyleEntry, kTooltipPrefix);
    if (p.done)
        return finish(editor, p.mode);
    const bool edit = request.mode == MarkerEdit;
    QString text = edit ? surface.fieldText(p.field) : surface.selText();
    text.remove(QChar(1));
    if (text.trimmed().isEmpty()) {
        tell(QStringLiteral("ﾂｰﾙﾁｯﾌﾟを付ける文字を選択して下さい"));
        return MarkerCancelled;
    }
    QString tip = edit ? surface.fieldData(p.field).mid(3) : QString();
    if (!platform::dialogs().input(QStringLiteral("ﾂｰﾙﾁｯﾌﾟ"), QString(), tip))
        return MarkerCancelled;
    tip = tip.trimmed();
    if (tip.isEmpty())
        return MarkerCancelled;
    // The tooltip list is tab and line separated: neither may be part of a tooltip.
    tip.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    const QString data = kTooltipPrefix + tip;
    if (edit)
        setMarker(surface, p.field, 2, data);
    else if (makeMarker(surface, editor.userStyles(), kTagStyleEntry, text.trimmed(), data) <= 0)
        return MarkerCancelled;
    return finish(editor, request.mode);
}

bool dataFieldCommand(platform::TextSurface &surface, bool insert) {
    if (insert) {
        const int id = surface.insertField(kDataFieldText);
        if (id <= 0)
            return false;
        setMarker(surface, id, 1, kDataFieldData);
        return true;
    }
    // Only a data field goes back to "@"; a hyperlink at the caret keeps its text and target.
    const int id = caretField(surface);
    if (id == 0 || surface.fieldLinkKind(id) != 1 || surface.fieldData(id) != kDataFieldData)
        return false;
    const int start = surface.fieldStart(id) - 1;
    if (!surface.deleteField(true, id))
        return false;
    surface.select(start, 0);
    surface.setSelText(kDataFieldData);
    return true;
}

} // namespace editor
