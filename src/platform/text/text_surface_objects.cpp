#include "platform/text/text_surface.h"

#include "platform/text/guarded_document.h"
#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace platform {

namespace {

void collectFrames(QTextFrame *parent, QList<QTextFrame *> &frames) {
    const QList<QTextFrame *> children = parent->childFrames();
    for (QTextFrame *child : children) {
        if (!qobject_cast<QTextTable *>(child))
            frames << child;
        collectFrames(child, frames);
    }
}

} // namespace

QList<int> TextSurface::objectIds(int kind) const {
    QList<int> ids;
    if (kind == TextFrameObject) {
        QList<QTextFrame *> frames;
        collectFrames(doc()->rootFrame(), frames);
        for (QTextFrame *frame : std::as_const(frames))
            if (const int id = frame->frameFormat().intProperty(TextProp::ObjectId))
                ids << id;
        return ids;
    }
    if (kind != PictureObject)
        return ids;
    const Scope s = scope();
    for (QTextBlock block = doc()->findBlock(s.first); block.isValid() && block.position() < s.last;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                if (const int id = format.intProperty(TextProp::ObjectId))
                    ids << id;
        }
    }
    return ids;
}

int TextSurface::nextObject(int afterId, int kind) const {
    const QList<int> ids = objectIds(kind);
    if (afterId == 0)
        return ids.value(0);
    const qsizetype index = ids.indexOf(afterId);
    return index < 0 ? 0 : ids.value(index + 1);
}

int TextSurface::resolveObject(int id) const {
    return id != 0 ? id : m_currentObject;
}

int TextSurface::picturePosition(int id) const {
    if (id <= 0)
        return -1;
    for (QTextBlock block = doc()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() && format.intProperty(TextProp::ObjectId) == id)
                return fragment.position();
        }
    }
    return -1;
}

QTextFrame *TextSurface::textFrame(int id) const {
    if (id <= 0)
        return nullptr;
    QList<QTextFrame *> frames;
    collectFrames(m_area == 0 ? m_main->rootFrame() : doc()->rootFrame(), frames);
    for (QTextFrame *frame : std::as_const(frames))
        if (frame->frameFormat().intProperty(TextProp::ObjectId) == id)
            return frame;
    return nullptr;
}

int TextSurface::objectKind(int id) const {
    id = resolveObject(id);
    if (picturePosition(id) >= 0)
        return PictureObject;
    return textFrame(id) ? TextFrameObject : 0;
}

int TextSurface::currentObject() const {
    return m_currentObject;
}

bool TextSurface::setCurrentObject(int id) {
    if (id <= 0 || objectKind(id) == 0)
        return false;
    m_currentObject = id;
    return true;
}

int TextSurface::objectAt(int position) const {
    const int p = toDoc(position);
    QTextCursor probe(doc());
    probe.setPosition(qMin(p + 1, doc()->characterCount() - 1));
    const QTextCharFormat format = probe.charFormat();
    if (probe.position() == p + 1 && format.isImageFormat())
        return format.intProperty(TextProp::ObjectId);
    for (QTextFrame *frame = probe.currentFrame(); frame && frame != doc()->rootFrame();
         frame = frame->parentFrame())
        if (frame->frameFormat().intProperty(TextProp::ObjectKind) == TextFrameObject)
            return frame->frameFormat().intProperty(TextProp::ObjectId);
    return 0;
}

bool TextSurface::selectTextFrame(int id) {
    if (m_area != 0 || id < 0)
        return false;
    if (id == 0) {
        const bool inFrame = m_frame > 0;
        m_frame = 0;
        if (inFrame)
            cur().setPosition(0);
        cursorChanged();
        return true;
    }
    QTextFrame *frame = textFrame(id);
    if (!frame)
        return false;
    m_frame = id;
    cur().setPosition(frame->firstPosition());
    cursorChanged();
    return true;
}

int TextSurface::selectedTextFrame() const {
    return scopeFrame() ? m_frame : 0;
}

int TextSurface::insertPicture(const QString &file, int textFlow, int scaleX, int scaleY,
                               int position) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 0;
    return insertPictureData(in.readAll(), textFlow, scaleX, scaleY, position);
}

int TextSurface::insertPictureData(const QByteArray &encoded, int textFlow, int scaleX, int scaleY,
                                   int position) {
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels)
        return 0;
    const QString name = surfaceutil::imageName(encoded);
    doc()->addResource(QTextDocument::ImageResource, QUrl(name), encoded);
    const int id = takeObjectId();
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width() * qMax(1, scaleX) / 100.0);
    format.setHeight(size.height() * qMax(1, scaleY) / 100.0);
    format.setProperty(TextProp::ObjectId, id);
    format.setProperty(TextProp::ObjectKind, int(PictureObject));
    format.setProperty(TextProp::TextFlow, qBound(0, textFlow, 3));
    format.setProperty(TextProp::ScaleX, scaleX);
    format.setProperty(TextProp::ScaleY, scaleY);
    format.setProperty(TextProp::PictureExportCode, 4);
    format.setProperty(TextProp::PictureSaveMode, 0);
    EditGuard guard(this);
    if (position >= 0)
        cur().setPosition(toDoc(position));
    cur().beginEditBlock();
    cur().removeSelectedText();
    cur().insertImage(format);
    cur().endEditBlock();
    cur().setCharFormat(surfaceutil::textFormat(format));
    m_currentObject = id;
    cursorChanged();
    return id;
}

int TextSurface::insertTextFrame(int widthTwips, int heightTwips,
                                 const std::array<int, 4> &distances, int topTwips) {
    const int id = takeObjectId();
    QTextFrameFormat format;
    format.setWidth(QTextLength(QTextLength::FixedLength, widthTwips / 15.0));
    format.setHeight(QTextLength(QTextLength::FixedLength, heightTwips / 15.0));
    format.setLeftMargin(distances[0] / 15.0);
    format.setTopMargin(distances[1] / 15.0);
    format.setRightMargin(distances[2] / 15.0);
    format.setBottomMargin(distances[3] / 15.0);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setPadding(2);
    format.setProperty(TextProp::ObjectId, id);
    format.setProperty(TextProp::ObjectKind, int(TextFrameObject));
    format.setProperty(TextProp::FrameDistances,
                       QVariant::fromValue(QList<int>(distances.begin(), distances.end())));
    format.setProperty(TextProp::FrameWidth, widthTwips);
    format.setProperty(TextProp::FrameHeight, heightTwips);
    if (topTwips >= 0)
        format.setProperty(TextProp::FrameTop, topTwips);
    EditGuard guard(this);
    cur().beginEditBlock();
    cur().removeSelectedText();
    QTextFrame *frame = cur().insertFrame(format);
    cur().endEditBlock();
    cur().setPosition(frame->lastPosition() + 1);
    m_currentObject = id;
    cursorChanged();
    return id;
}

QVariant TextSurface::objectProperty(int id, int property) const {
    id = resolveObject(id);
    const int position = picturePosition(id);
    if (position >= 0) {
        QTextCursor probe(doc());
        probe.setPosition(position + 1);
        return probe.charFormat().property(property);
    }
    if (QTextFrame *frame = textFrame(id))
        return frame->frameFormat().property(property);
    return {};
}

bool TextSurface::setObjectProperty(int id, int property, const QVariant &value) {
    id = resolveObject(id);
    const int position = picturePosition(id);
    EditGuard guard(this);
    if (position >= 0) {
        QTextCursor c(doc());
        c.setPosition(position);
        c.setPosition(position + 1, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setProperty(property, value);
        c.mergeCharFormat(format);
        return true;
    }
    if (QTextFrame *frame = textFrame(id)) {
        QTextFrameFormat format = frame->frameFormat();
        format.setProperty(property, value);
        frame->setFrameFormat(format);
        return true;
    }
    return false;
}

QVariant TextSurface::objectValue(int id, int property) const {
    return objectProperty(id, property);
}

bool TextSurface::setObjectValue(int id, int property, const QVariant &value) {
    return objectKind(id) != 0 && setObjectProperty(id, property, value);
}

int TextSurface::pictureExportCode(int id) const {
    return objectProperty(id, TextProp::PictureExportCode).toInt();
}

bool TextSurface::setPictureExportCode(int code, int id) {
    return objectKind(id) == PictureObject &&
           setObjectProperty(id, TextProp::PictureExportCode, code);
}

int TextSurface::pictureSaveMode(int id) const {
    return objectProperty(id, TextProp::PictureSaveMode).toInt();
}

bool TextSurface::setPictureSaveMode(int mode, int id) {
    return objectKind(id) == PictureObject &&
           setObjectProperty(id, TextProp::PictureSaveMode, mode);
}

bool TextSurface::deleteObject(int id) {
    id = resolveObject(id);
    EditGuard guard(this);
    QTextCursor c(doc());
    if (const int position = picturePosition(id); position >= 0) {
        c.setPosition(position);
        c.setPosition(position + 1, QTextCursor::KeepAnchor);
    } else if (QTextFrame *frame = textFrame(id)) {
        if (m_frame == id)
            m_frame = 0;
        c.setPosition(frame->firstPosition() - 1);
        c.setPosition(frame->lastPosition() + 1, QTextCursor::KeepAnchor);
    } else {
        return false;
    }
    c.removeSelectedText();
    if (m_currentObject == id)
        m_currentObject = 0;
    cursorChanged();
    return true;
}

} // namespace platform
