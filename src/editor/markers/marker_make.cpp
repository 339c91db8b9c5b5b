#include "editor/markers/marker_make.h"

#include "editor/markers/marker_read.h"
#include "editor/styles/marker_colours.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"

#include <QTextCursor>
#include <QTextDocument>

namespace editor {

namespace {

constexpr QChar kObjectCode(1);
constexpr int kWhite = 0xFFFFFF;

int newMarkerColour(int entry, const QString &data) {
    return entry == kLinkStyleEntry ? 0xff8080 : markerColour(data);
}

void formatMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles, int entry,
                  const QString &data, int id, int start, int length) {
    const settings::UserStyle &style = styles.styles[entry];
    surface.select(start, length);
    surface.setFontName(style.fontName);
    surface.setFontSize(style.size);
    surface.setTextColor(newMarkerColour(entry, data));
    surface.setBackColor(kWhite);
    surface.setBold(false);
    surface.setUnderline(true);
    if (id > 0) {
        surface.setFieldLinkKind(entry == kLinkStyleEntry ? 1 : 2, id);
        surface.setFieldData(data, id);
        surface.setFieldAttribute(kMarkerAttribute, id);
    }
    surface.select(start + length, 0);
    applyBodyLook(surface, styles);
}

// Position of the picture the object marker wraps, -1 when there is none.
int objectPosition(const platform::TextSurface &surface) {
    const int caret = surface.selStart();
    const int length = surface.selLength();
    if (length == 1 && surface.charAt(caret) == kObjectCode)
        return caret;
    if (length != 0)
        return -1;
    if (surface.charAt(caret) == kObjectCode)
        return caret;
    if (caret > 0 && surface.charAt(caret - 1) == kObjectCode)
        return caret - 1;
    return -1;
}

} // namespace

void applyBodyLook(platform::TextSurface &surface, const settings::UserStyleTable &styles) {
    const settings::UserStyle &body = styles.styles[settings::Body];
    surface.setFontName(body.fontName);
    surface.setFontSize(body.size);
    surface.setUnderline(false);
    surface.setTextColor(body.textColor);
    surface.setBackColor(body.backColor);
}

void trimMarkerSelection(platform::TextSurface &surface) {
    const int length = surface.selLength();
    if (length <= 0)
        return;
    const QString selected = surface.selText();
    if (selected.isEmpty())
        return;
    const QChar last = selected.back();
    if (last == QChar(10) || last == QChar(11))
        surface.setSelLength(length - 1);
}

int makeMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles, int entry,
               const QString &text, const QString &data) {
    const int start = surface.selStart();
    const int id = surface.insertField(text);
    if (id <= 0)
        return 0;
    const int length = surface.fieldEnd(id) - surface.fieldStart(id) + 1;
    formatMarker(surface, styles, entry, data, surface.currentField(), start, length);
    return id;
}

int makeObjectMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles,
                     int entry, const QString &data) {
    const int object = objectPosition(surface);
    if (object < 0)
        return makeMarker(surface, styles, entry, QStringLiteral("  "), data);
    // The blank after the picture belongs to the field as written: no field repair here.
    surface.beginBatch();
    surface.select(object, 0);
    const int id = surface.insertField(QStringLiteral(" "));
    if (id > 0) {
        surface.select(object + 1, 1);
        QTextCursor picture = surface.cursor();
        QTextCursor blank(picture.document());
        blank.setPosition(picture.selectionStart()); // right after the field's blank
        const QTextCharFormat fieldFormat = blank.charFormat();
        QTextCharFormat joined;
        joined.setProperty(platform::TextProp::FieldId, id);
        picture.mergeCharFormat(joined);
        QTextCursor after(picture.document());
        after.setPosition(picture.selectionEnd());
        after.insertText(QStringLiteral(" "), fieldFormat);
    }
    surface.endBatch();
    if (id <= 0)
        return 0;
    formatMarker(surface, styles, entry, data, id, object, 3);
    return id;
}

bool removeMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles,
                  bool withText) {
    const int id = surface.fieldAtInput();
    if (id <= 0 || !surface.setCurrentField(id))
        return false;
    const int start = surface.fieldStart(id) - 1;
    const int length = surface.fieldEnd(id) - start;
    if (!surface.deleteField(withText, id))
        return false;
    if (!withText) {
        surface.select(start, length);
        const QString kept = surface.selText();
        if (kept == QString(u' ') + kObjectCode + u' ') {
            surface.beginBatch();
            surface.select(start + 2, 1);
            surface.setSelText(QString());
            surface.select(start, 1);
            surface.setSelText(QString());
            surface.endBatch();
            surface.select(start, 1);
        }
        applyBodyLook(surface, styles);
    }
    surface.setSelLength(0);
    return true;
}

} // namespace editor
