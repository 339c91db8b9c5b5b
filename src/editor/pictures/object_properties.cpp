#include "editor/pictures/object_properties.h"

#include "editor/pictures/embedded_object.h"
#include "editor/pictures/object_menu.h"
#include "platform/imaging/imaging.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextLength>

namespace editor {

namespace {

using platform::FormField;
using platform::TextSurface;
namespace TextProp = platform::TextProp;

const QString kWidth = QStringLiteral("幅 (mm)");
const QString kHeight = QStringLiteral("高さ (mm)");
const QString kLayout = QStringLiteral("配置");
const QString kAltText = QStringLiteral("代替ﾃｷｽﾄ");
const QString kFileName = QStringLiteral("ﾌｧｲﾙ名");
const QString kAbout = QStringLiteral("種類");
const std::array<QString, 4> kDistances{
    QStringLiteral("左の間隔 (mm)"), QStringLiteral("上の間隔 (mm)"),
    QStringLiteral("右の間隔 (mm)"), QStringLiteral("下の間隔 (mm)")};
constexpr int kMaxTextLength = 1024;

double millimetres(int twips) {
    return qRound(twips * 254.0 / 144.0) / 10.0;
}

int twipsOf(double millimetres) {
    return qBound(0, qRound(millimetres * 144.0 / 2.54), kMaxObjectTwips);
}

FormField length(const QString &label, int twips, double minimum) {
    FormField field;
    field.label = label;
    field.value = millimetres(twips);
    field.minimum = minimum;
    field.maximum = millimetres(kMaxObjectTwips);
    field.decimals = 1;
    return field;
}

FormField text(const QString &label, const QString &value) {
    FormField field;
    field.label = label;
    field.value = value;
    return field;
}

QSize pixelSize(const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).size();
}

QString about(const TextSurface &surface, int id) {
    const QByteArray bytes = pictureBytes(surface, id);
    if (const auto file = unpackEmbedded(bytes))
        return QStringLiteral("%1 (%2 ﾊﾞｲﾄ)").arg(file->name).arg(file->bytes.size());
    const platform::imaging::Picture picture = platform::imaging::load(bytes, 1);
    return QStringLiteral("%1 %2 × %3 ﾋﾟｸｾﾙ (%4 ﾊﾞｲﾄ)")
        .arg(QString::fromLatin1(picture.format).toUpper())
        .arg(picture.originalSize.width())
        .arg(picture.originalSize.height())
        .arg(bytes.size());
}

} // namespace

ObjectProperties objectProperties(const TextSurface &surface, int id) {
    ObjectProperties p;
    p.kind = surface.objectKind(id);
    if (p.kind == TextSurface::PictureObject) {
        QSizeF size(surface.objectValue(id, QTextFormat::ImageWidth).toDouble(),
                    surface.objectValue(id, QTextFormat::ImageHeight).toDouble());
        if (size.width() <= 0 || size.height() <= 0)
            size = pixelSize(pictureBytes(surface, id));
        p.width = qRound(size.width() * 15);
        p.height = qRound(size.height() * 15);
        p.textFlow = qBound(0, surface.objectValue(id, TextProp::TextFlow).toInt(), 3);
        p.altText = surface.objectValue(id, QTextFormat::ImageAltText).toString();
        p.fileName = surface.objectValue(id, TextProp::PictureFileName).toString();
        p.about = about(surface, id);
    } else if (p.kind == TextSurface::TextFrameObject) {
        p.width = surface.objectValue(id, TextProp::FrameWidth).toInt();
        p.height = surface.objectValue(id, TextProp::FrameHeight).toInt();
        const QList<int> d = surface.objectValue(id, TextProp::FrameDistances).value<QList<int>>();
        for (int i = 0; i < 4; ++i)
            p.distances[i] = d.value(i);
        p.about = QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑ");
    }
    return p;
}

bool applyObjectProperties(TextSurface &surface, int id, const ObjectProperties &before,
                           const ObjectProperties &after) {
    if (before == after || before.kind != after.kind)
        return false;
    bool changed = false;
    auto set = [&](int property, const QVariant &value) {
        changed = surface.setObjectValue(id, property, value) || changed;
    };
    if (after.kind == TextSurface::PictureObject) {
        if (after.width != before.width || after.height != before.height) {
            const int width = qBound(15, after.width, kMaxObjectTwips);
            const int height = qBound(15, after.height, kMaxObjectTwips);
            set(QTextFormat::ImageWidth, width / 15.0);
            set(QTextFormat::ImageHeight, height / 15.0);
            // The scale follows, so that the picture's size is told the same way however it
            // was made.
            const QSize pixels = pixelSize(pictureBytes(surface, id));
            if (!pixels.isEmpty()) {
                set(TextProp::ScaleX, qRound(width * 100.0 / 15 / pixels.width()));
                set(TextProp::ScaleY, qRound(height * 100.0 / 15 / pixels.height()));
            }
        }
        if (after.textFlow != before.textFlow)
            set(TextProp::TextFlow, qBound(0, after.textFlow, 3));
        if (after.altText != before.altText)
            set(QTextFormat::ImageAltText, after.altText.left(kMaxTextLength));
        if (after.fileName != before.fileName)
            set(TextProp::PictureFileName, after.fileName.left(kMaxTextLength));
        return changed;
    }
    if (after.width != before.width || after.height != before.height) {
        const int width = qBound(15, after.width, kMaxObjectTwips);
        const int height = qBound(15, after.height, kMaxObjectTwips);
        set(QTextFormat::FrameWidth, QTextLength(QTextLength::FixedLength, width / 15.0));
        set(QTextFormat::FrameHeight, QTextLength(QTextLength::FixedLength, height / 15.0));
        set(TextProp::FrameWidth, width);
        set(TextProp::FrameHeight, height);
    }
    if (after.distances != before.distances) {
        const std::array<int, 4> properties{
            QTextFormat::FrameLeftMargin, QTextFormat::FrameTopMargin,
            QTextFormat::FrameRightMargin, QTextFormat::FrameBottomMargin};
        QList<int> distances;
        for (int i = 0; i < 4; ++i) {
            distances << qBound(0, after.distances[i], kMaxObjectTwips);
            set(properties[i], distances.last() / 15.0);
        }
        set(TextProp::FrameDistances, QVariant::fromValue(distances));
    }
    return changed;
}

QList<FormField> propertyFields(const ObjectProperties &p) {
    QList<FormField> fields;
    FormField kind = text(kAbout, p.about);
    kind.readOnly = true;
    fields << kind << length(kWidth, p.width, 0.3) << length(kHeight, p.height, 0.3);
    if (p.kind == TextSurface::PictureObject) {
        FormField layout;
        layout.label = kLayout;
        layout.value = p.textFlow;
        layout.choices = QStringList{QStringLiteral("文字位置"), QStringLiteral("右寄せ"),
                                     QStringLiteral("左寄せ"), QStringLiteral("ﾌﾛｰﾄ")};
        fields << layout << text(kAltText, p.altText) << text(kFileName, p.fileName);
    } else {
        for (int i = 0; i < 4; ++i)
            fields << length(kDistances[i], p.distances[i], 0);
    }
    return fields;
}

QString propertiesTitle(int kind) {
    return kind == TextSurface::TextFrameObject ? QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑのﾌﾟﾛﾊﾟﾃｨ")
                                                : QStringLiteral("画像のﾌﾟﾛﾊﾟﾃｨ");
}

ObjectProperties answeredProperties(const QList<FormField> &shown, const QList<FormField> &answered,
                                    ObjectProperties p) {
    for (qsizetype i = 0; i < qMin(shown.size(), answered.size()); ++i) {
        const FormField &field = answered.at(i);
        if (field.readOnly || field.value == shown.at(i).value)
            continue;
        const QString &label = field.label;
        if (label == kWidth)
            p.width = twipsOf(field.value.toDouble());
        else if (label == kHeight)
            p.height = twipsOf(field.value.toDouble());
        else if (label == kLayout)
            p.textFlow = qBound(0, field.value.toInt(), 3);
        else if (label == kAltText)
            p.altText = field.value.toString().left(kMaxTextLength);
        else if (label == kFileName)
            p.fileName = field.value.toString().left(kMaxTextLength);
        for (int d = 0; d < 4; ++d)
            if (label == kDistances[d])
                p.distances[d] = twipsOf(field.value.toDouble());
    }
    return p;
}

} // namespace editor
