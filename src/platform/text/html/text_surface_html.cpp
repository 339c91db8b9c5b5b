#include "platform/text/html/text_surface_html.h"

#include "platform/text/text_lists.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface_util.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace platform::htmlexport {

namespace {

QString pt(qreal value) {
    return QString::number(value, 'g', 6) + QStringLiteral("pt");
}

// Document lengths are pixels at 96 dpi.
QString ptFromPixels(qreal pixels) {
    return pt(qRound(pixels * 0.75 * 100) / 100.0);
}

QString hexColor(const QColor &color) {
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QChar(u'0'))
        .arg(color.green(), 2, 16, QChar(u'0'))
        .arg(color.blue(), 2, 16, QChar(u'0'));
}

QString attribute(QString value) {
    return value.toHtmlEscaped();
}

// Every declaration ends with ";", the last one too: the converter removes default values as
// whole "name:value;" pieces.
QString declarations(const QStringList &style) {
    return style.isEmpty() ? QString() : style.join(u';') + u';';
}

class PageWriter {
public:
    PageWriter(const QTextDocument &document, const QString &imagesFolder,
               QList<QPair<QString, QString>> *pictures)
        : m_doc(document), m_folder(imagesFolder), m_pictures(pictures) {}

    QString body() {
        const QFont font = m_doc.defaultFont();
        m_out += QStringLiteral("<body style=\"font-family:'%1';font-size:%2;\">\n")
                     .arg(attribute(font.family()), pt(font.pointSizeF()));
        items(m_doc.rootFrame()->begin());
        closeList();
        m_out += QStringLiteral("</body>\n");
        return m_out;
    }

private:
    void items(QTextFrame::iterator it) {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *frame = it.currentFrame()) {
                closeList();
                if (auto *table = qobject_cast<QTextTable *>(frame))
                    this->table(table);
                else
                    this->frame(frame);
            } else {
                block(it.currentBlock());
            }
        }
    }

    void table(QTextTable *table) {
        const QTextTableFormat format = table->format();
        m_out += QStringLiteral("<table border=\"%1\" cellspacing=\"0\" cellpadding=\"0\" "
                                "style=\"border-collapse:collapse;\">\n")
                     .arg(qRound(format.border()));
        for (int r = 0; r < table->rows(); ++r) {
            m_out += QStringLiteral("<tr>\n");
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                QString spans;
                if (cell.rowSpan() > 1)
                    spans += QStringLiteral(" rowspan=\"%1\"").arg(cell.rowSpan());
                if (cell.columnSpan() > 1)
                    spans += QStringLiteral(" colspan=\"%1\"").arg(cell.columnSpan());
                QString style;
                const QTextCharFormat cellFormat = cell.format();
                if (cellFormat.background().style() != Qt::NoBrush)
                    style = QStringLiteral(" style=\"background-color:%1;\"")
                                .arg(hexColor(cellFormat.background().color()));
                m_out += QStringLiteral("<td") + spans + style + u'>';
                items(cell.begin());
                closeList();
                m_out += QStringLiteral("</td>\n");
            }
            m_out += QStringLiteral("</tr>\n");
        }
        m_out += QStringLiteral("</table>\n");
    }

    void frame(QTextFrame *frame) {
        const QTextFrameFormat format = frame->frameFormat();
        QString style = QStringLiteral("border:1pt solid #000000");
        if (format.width().type() == QTextLength::FixedLength)
            style += QStringLiteral(";width:") + ptFromPixels(format.width().rawValue());
        if (format.height().type() == QTextLength::FixedLength)
            style += QStringLiteral(";height:") + ptFromPixels(format.height().rawValue());
        m_out += QStringLiteral("<div style=\"") + style + QStringLiteral(";\">\n");
        items(frame->begin());
        closeList();
        m_out += QStringLiteral("</div>\n");
    }

    void closeList() {
        if (m_list) {
            m_out += m_listOrdered ? QStringLiteral("</ol>\n") : QStringLiteral("</ul>\n");
            m_list = nullptr;
        }
    }

    QString blockStyle(const QTextBlock &block) {
        const QTextBlockFormat format = block.blockFormat();
        QStringList style;
        style << QStringLiteral("margin-left:") + ptFromPixels(format.leftMargin());
        if (format.rightMargin() != 0)
            style << QStringLiteral("margin-right:") + ptFromPixels(format.rightMargin());
        if (format.topMargin() != 0)
            style << QStringLiteral("margin-top:") + ptFromPixels(format.topMargin());
        if (format.bottomMargin() != 0)
            style << QStringLiteral("margin-bottom:") + ptFromPixels(format.bottomMargin());
        style << QStringLiteral("text-indent:") + ptFromPixels(format.textIndent());
        const Qt::Alignment a = format.alignment();
        if (a & Qt::AlignHCenter)
            style << QStringLiteral("text-align:center");
        else if (a & Qt::AlignRight)
            style << QStringLiteral("text-align:right");
        else if (a & Qt::AlignJustify)
            style << QStringLiteral("text-align:justify");
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            style << QStringLiteral("page-break-before:always");
        qreal size = block.charFormat().fontPointSize();
        if (auto it = block.begin(); !it.atEnd() && it.fragment().charFormat().fontPointSize() > 0)
            size = it.fragment().charFormat().fontPointSize();
        if (size > 0)
            style << QStringLiteral("font-size:") + pt(size);
        return declarations(style);
    }

    void block(const QTextBlock &block) {
        QTextList *list = block.textList();
        if (list != m_list) {
            closeList();
            if (list) {
                m_list = list;
                const auto style = list->format().style();
                m_listOrdered = style != QTextListFormat::ListDisc &&
                                style != QTextListFormat::ListCircle &&
                                style != QTextListFormat::ListSquare;
                const int start = listStart(list->format());
                m_out += !m_listOrdered ? QStringLiteral("<ul>\n")
                         : start != 1   ? QStringLiteral("<ol start=\"%1\">\n").arg(start)
                                        : QStringLiteral("<ol>\n");
            }
        }
        const QString tag = list ? QStringLiteral("li") : QStringLiteral("p");
        m_out +=
            u'<' + tag + QStringLiteral(" style=\"") + blockStyle(block) + QStringLiteral("\">");
        const int before = int(m_out.size());
        int openField = 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const int field = format.intProperty(TextProp::FieldId);
            if (field != openField) {
                if (openField)
                    m_out += QStringLiteral("</a>");
                openField = field;
                if (field)
                    m_out += anchor(format);
            }
            if (format.isImageFormat()) {
                for (int i = 0; i < fragment.length(); ++i)
                    m_out += image(format.toImageFormat());
                continue;
            }
            // A run without formats of its own needs no span around it.
            const QString style = charStyle(format);
            if (style.isEmpty())
                m_out += text(fragment.text());
            else
                m_out += QStringLiteral("<span style=\"") + style + QStringLiteral("\">") +
                         text(fragment.text()) + QStringLiteral("</span>");
        }
        if (openField)
            m_out += QStringLiteral("</a>");
        // An empty paragraph keeps its line with a no-break space, written as the character
        // itself: the converter's blank-paragraph rule reads characters, not entities.
        if (m_out.size() == before)
            m_out += QChar(QChar::Nbsp);
        m_out += QStringLiteral("</") + tag + QStringLiteral(">\n");
    }

    static QString anchor(const QTextCharFormat &format) {
        const QString data = format.stringProperty(TextProp::FieldData);
        // Tags and tooltips point into the page; the converter turns a tag into its page's link.
        if (data.startsWith(QStringLiteral("TG_"), Qt::CaseInsensitive) ||
            data.startsWith(QStringLiteral("TP_"), Qt::CaseInsensitive))
            return QStringLiteral("<a href=\"#") + attribute(data) + QStringLiteral("\">");
        if (data.isEmpty() || data == QStringLiteral("@"))
            return QStringLiteral("<a>");
        return QStringLiteral("<a href=\"") + attribute(data) + QStringLiteral("\">");
    }

    static QString charStyle(const QTextCharFormat &format) {
        QStringList style;
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            style << QStringLiteral("font-family:'") + families.first() + u'\'';
        if (format.fontPointSize() > 0)
            style << QStringLiteral("font-size:") + pt(format.fontPointSize());
        if (format.fontWeight() >= QFont::Bold)
            style << QStringLiteral("font-weight:bold");
        if (format.fontItalic())
            style << QStringLiteral("font-style:italic");
        if (format.fontUnderline() && format.fontStrikeOut())
            style << QStringLiteral("text-decoration:underline line-through");
        else if (format.fontUnderline())
            style << QStringLiteral("text-decoration:underline");
        else if (format.fontStrikeOut())
            style << QStringLiteral("text-decoration:line-through");
        if (format.hasProperty(QTextFormat::ForegroundBrush))
            style << QStringLiteral("color:") + hexColor(format.foreground().color());
        if (format.background().style() != Qt::NoBrush)
            style << QStringLiteral("background-color:") + hexColor(format.background().color());
        return attribute(declarations(style));
    }

    static QString text(const QString &raw) {
        QString out;
        for (const QChar ch : raw) {
            if (ch == QChar::LineSeparator)
                out += QStringLiteral("<br>");
            else if (ch == QChar::Nbsp)
                out += QStringLiteral("&nbsp;");
            else
                out += QString(ch).toHtmlEscaped();
        }
        return out;
    }

    QString image(const QTextImageFormat &format) {
        const QString name = format.name();
        const int code = format.intProperty(TextProp::PictureExportCode);
        const QString key = name + u'|' + QString::number(code == 3 ? 3 : 4);
        QString file = m_files.value(key);
        if (file.isEmpty()) {
            const QByteArray bytes = surfaceutil::imageBytes(m_doc, name);
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QString suffix = QString::fromLatin1(QImageReader::imageFormat(&buffer)).toLower();
            if (code == 3 || suffix.isEmpty())
                suffix = QStringLiteral("png");
            file = QStringLiteral("image%1.%2").arg(m_files.size() + 1).arg(suffix);
            m_files.insert(key, file);
            if (m_pictures)
                m_pictures->append({key, file});
        }
        QStringList size;
        if (format.width() > 0)
            size << QStringLiteral("width:") + ptFromPixels(format.width());
        if (format.height() > 0)
            size << QStringLiteral("height:") + ptFromPixels(format.height());
        QString folder = m_folder;
        folder.replace(u' ', QStringLiteral("%20"));
        return QStringLiteral("<img src=\"") + folder + u'/' + file +
               QStringLiteral("\" style=\"") + declarations(size) + QStringLiteral("\">");
    }

    const QTextDocument &m_doc;
    QString m_folder;
    QList<QPair<QString, QString>> *m_pictures;
    QHash<QString, QString> m_files;
    QString m_out;
    QTextList *m_list = nullptr;
    bool m_listOrdered = false;
};

bool writePicture(const QTextDocument &document, const QString &key, const QString &path) {
    const QString name = key.section(u'|', 0, -2);
    const bool png = key.endsWith(QStringLiteral("|3"));
    QByteArray bytes = surfaceutil::imageBytes(document, name);
    if (png) {
        QImage image;
        if (!image.loadFromData(bytes))
            return false;
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        bytes = encoded;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString page(const QTextDocument &document, const QString &baseHref, const QString &imagesFolder,
             QList<QPair<QString, QString>> *pictureFiles) {
    QString out = QStringLiteral("<html>\n<head>\n"
                                 "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                 "charset=utf-8\">\n<base href=\"") +
                  baseHref + QStringLiteral("\">\n<title></title>\n</head>\n");
    out += PageWriter(document, imagesFolder, pictureFiles).body();
    out += QStringLiteral("</html>\n");
    return out;
}

bool write(const QTextDocument &document, const QString &path, QString *error) {
    const QFileInfo info(path);
    const QString folderName = info.completeBaseName() + QStringLiteral("_images");
    const QString base = QUrl::fromLocalFile(info.absolutePath() + u'/').toString();
    QList<QPair<QString, QString>> pictures;
    const QString html = page(document, base, folderName, &pictures);
    if (!pictures.isEmpty()) {
        QDir dir(info.absolutePath());
        if (!dir.mkpath(folderName)) {
            if (error)
                *error = QStringLiteral("cannot create ") + dir.filePath(folderName);
            return false;
        }
        for (const auto &[key, file] : std::as_const(pictures))
            if (!writePicture(document, key, dir.filePath(folderName + u'/' + file))) {
                if (error)
                    *error = QStringLiteral("cannot write picture ") + file;
                return false;
            }
    }
    QSaveFile out(path);
    const QByteArray bytes = html.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace platform::htmlexport
