#include "platform/text/text_surface_util.h"

#include "platform/text/text_model.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace platform::surfaceutil {

int toBgr(const QColor &color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor fromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void insertCoded(QTextCursor &cursor, const QString &text, const QTextCharFormat &given) {
    const QTextCharFormat format = textFormat(given);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty()) {
            cursor.insertText(run, format);
            run.clear();
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        switch (ch.unicode()) {
        case '\r':
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            Q_FALLTHROUGH();
        case '\n':
        case QChar::ParagraphSeparator: {
            flush();
            QTextBlockFormat block = cursor.blockFormat();
            block.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            cursor.insertBlock(block, format);
            break;
        }
        case '\f': {
            flush();
            QTextBlockFormat block = cursor.blockFormat();
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(block, format);
            break;
        }
        case '\v':
            run += QChar(QChar::LineSeparator);
            break;
        case 1:
            break;
        default:
            run += ch;
        }
    }
    flush();
    cursor.endEditBlock();
}

QString codedText(const QString &raw) {
    QString out = raw;
    for (QChar &ch : out) {
        if (ch == QChar::LineSeparator)
            ch = QChar(11);
        else if (ch == QChar::ObjectReplacementCharacter)
            ch = QChar(1);
    }
    return out;
}

QTextCharFormat textFormat(QTextCharFormat format) {
    if (!format.isImageFormat())
        return format;
    for (const int property :
         {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
          int(QTextFormat::ImageHeight), int(QTextFormat::ImageQuality),
          int(QTextFormat::ObjectIndex), int(TextProp::ObjectId), int(TextProp::ObjectKind),
          int(TextProp::PictureExportCode), int(TextProp::PictureSaveMode), int(TextProp::TextFlow),
          int(TextProp::ScaleX), int(TextProp::ScaleY)})
        format.clearProperty(property);
    return format;
}

QTextCharFormat withoutField(QTextCharFormat format) {
    format.clearProperty(TextProp::FieldId);
    format.clearProperty(TextProp::FieldData);
    format.clearProperty(TextProp::FieldLinkKind);
    format.clearProperty(TextProp::FieldAttribute);
    return format;
}

void stripField(QTextDocument &document, int from, int end, int id) {
    struct Piece {
        int a;
        int b;
        QTextCharFormat format;
    };
    // Collected first: changing formats while walking fragments invalidates the walk.
    QList<Piece> pieces;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int a = qMax(from, fragment.position());
            const int b = qMin(end, fragment.position() + fragment.length());
            const int fieldId = fragment.charFormat().intProperty(TextProp::FieldId);
            if (a < b && fieldId != 0 && (id == 0 || fieldId == id))
                pieces.append({a, b, withoutField(fragment.charFormat())});
        }
    }
    QTextCursor c(&document);
    for (const Piece &piece : std::as_const(pieces)) {
        c.setPosition(piece.a);
        c.setPosition(piece.b, QTextCursor::KeepAnchor);
        c.setCharFormat(piece.format);
    }
}

QString imageName(const QByteArray &encoded) {
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QString suffix = QString::fromLatin1(QImageReader::imageFormat(&buffer)).toLower();
    if (suffix.isEmpty())
        suffix = QStringLiteral("bin");
    const QByteArray hash = QCryptographicHash::hash(encoded, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("img_") + QString::fromLatin1(hash.left(20)) + u'.' + suffix;
}

QByteArray imageBytes(const QTextDocument &document, const QString &name) {
    const QVariant value = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (value.userType() == QMetaType::QByteArray)
        return value.toByteArray();
    QImage image;
    if (value.userType() == QMetaType::QImage)
        image = value.value<QImage>();
    else if (value.userType() == QMetaType::QPixmap)
        image = value.value<QPixmap>().toImage();
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace platform::surfaceutil
