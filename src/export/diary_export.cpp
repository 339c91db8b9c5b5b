#include "export/diary_export.h"

#include "diary/keys.h"
#include "diary/store.h"
#include "html/surface_export.h"
#include "html/yhtm.h"
#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

namespace diaryexport {

namespace {

struct Entry {
    QDate date;
    diary::DiaryRow row;
};

QString tr(const char16_t *text) {
    return QString::fromUtf16(text);
}

// Keys of the range, month by month in date order.
QList<QDate> datesIn(diary::Store &store, const Range &range) {
    QList<QDate> dates;
    if (!range.from.isValid() || !range.to.isValid() || range.from > range.to)
        return dates;
    for (QDate m(range.from.year(), range.from.month(), 1); m <= range.to; m = m.addMonths(1)) {
        for (const diary::DiaryRow &row : store.monthList(diary::monthPrefix(m))) {
            const QDate d = diary::keyToDate(row.key);
            if (d.isValid() && d >= range.from && d <= range.to && d.month() == m.month())
                dates.append(d);
        }
    }
    return dates;
}

bool loadEntry(platform::TextSurface &surface, const diary::DiaryRow &row) {
    if (row.document.isEmpty()) {
        surface.clearWhole();
        return surface.loadFromMemory(row.text.toUtf8(), platform::TextSurface::PlainText);
    }
    return surface.loadWholeFromMemory(row.document, platform::TextSurface::Word97);
}

Result failure(const QString &message) {
    Result r;
    r.message = message;
    return r;
}

Result cancelled() {
    Result r;
    r.cancelled = true;
    r.message = tr(u"書き出しを中止しました。");
    return r;
}

QString cannotWrite(const QString &path) {
    return tr(u"「%1」に書き込めません。").arg(QDir::toNativeSeparators(path));
}

// The date heading as the entry's first paragraph.
void addHeading(QTextDocument *document, const QDate &date) {
    QTextCursor c(document);
    c.movePosition(QTextCursor::Start);
    c.insertBlock();
    c.movePosition(QTextCursor::Start);
    QTextBlockFormat block;
    block.setBottomMargin(12);
    c.setBlockFormat(block);
    QTextCharFormat chars;
    chars.setFontWeight(QFont::Bold);
    chars.setFontPointSize(14);
    c.insertText(dateHeading(date), chars);
}

class Writer {
public:
    virtual ~Writer() = default;
    virtual bool add(const QDate &date, const diary::DiaryRow &row) = 0;
    virtual bool finish() = 0;
    QString error;
};

class PdfBook final : public Writer {
public:
    explicit PdfBook(const QString &part) : m_file(part) {}
    bool add(const QDate &date, const diary::DiaryRow &row) override {
        platform::TextSurface surface;
        if (!loadEntry(surface, row))
            surface.loadFromMemory(row.text.toUtf8(), platform::TextSurface::PlainText);
        const platform::TextContent content = surface.content();
        addHeading(content.main, date);
        platform::PageRenderer renderer(content);
        const QPageSize size(QSizeF(content.page.width / 1440.0, content.page.height / 1440.0),
                             QPageSize::Inch, QString(), QPageSize::ExactMatch);
        if (!start(size))
            return false;
        const int pages = renderer.pageCount();
        for (int n = 1; n <= pages; ++n) {
            if (m_pages > 0) {
                m_writer->setPageSize(size);
                m_writer->newPage();
            }
            ++m_pages;
            const QRectF page(0, 0, m_writer->width(), m_writer->height());
            renderer.drawPage(&m_painter, n, page);
            m_painter.save();
            QFont font = m_painter.font();
            font.setPointSize(9);
            m_painter.setFont(font);
            m_painter.setPen(Qt::black);
            // Centred in the bottom margin, under the last line of the page.
            const qreal scale = page.height() / renderer.geometry().page.height();
            const qreal margin = renderer.geometry().body.bottom() * scale;
            m_painter.drawText(QRectF(0, page.height() - margin, page.width(), margin),
                               Qt::AlignCenter, QString::number(m_pages));
            m_painter.restore();
        }
        return true;
    }
    bool finish() override {
        if (!m_writer && !start(QPageSize(QPageSize::A4)))
            return false;
        const bool ok = m_painter.end();
        m_writer.reset();
        m_file.close();
        return ok && m_file.error() == QFileDevice::NoError;
    }

private:
    bool start(const QPageSize &size) {
        if (m_writer)
            return true;
        if (!m_file.open(QIODevice::WriteOnly)) {
            error = cannotWrite(m_file.fileName());
            return false;
        }
        m_writer = std::make_unique<QPdfWriter>(&m_file);
        m_writer->setCreator(QStringLiteral("drJvo"));
        m_writer->setPageSize(size);
        m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
        return m_painter.begin(m_writer.get());
    }

    QFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

class PlainTextFile final : public Writer {
public:
    explicit PlainTextFile(const QString &part) : m_file(part) {}
    bool add(const QDate &date, const diary::DiaryRow &row) override {
        if (!m_file.isOpen() && !m_file.open(QIODevice::WriteOnly))
            return false;
        QString text = row.text;
        text.replace(QChar(11), QChar(10));
        const QByteArray bytes =
            (dateHeading(date) + u'\n' + text + QStringLiteral("\n\n")).toUtf8();
        return m_file.write(bytes) == bytes.size();
    }
    bool finish() override {
        if (!m_file.isOpen() && !m_file.open(QIODevice::WriteOnly))
            return false;
        m_file.close();
        return m_file.error() == QFileDevice::NoError;
    }

private:
    QFile m_file;
};

class WordFolder final : public Writer {
public:
    explicit WordFolder(const QString &part) : m_dir(part) {}
    bool add(const QDate &date, const diary::DiaryRow &row) override {
        QByteArray bytes = row.document;
        // Entries are stored as Word documents; older ones in the binary format are converted.
        if (!bytes.startsWith("PK")) {
            platform::TextSurface surface;
            loadEntry(surface, row);
            bool ok = false;
            bytes = surface.saveWholeToMemory(platform::TextSurface::Docx, &ok);
            if (!ok)
                return false;
        }
        QFile file(
            m_dir.filePath(date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".docx")));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    bool finish() override { return true; }

private:
    QDir m_dir;
};

class HtmlPages final : public Writer {
public:
    HtmlPages(const QString &part, const settings::UserStyleTable &styles)
        : m_dir(part), m_styles(styles) {}
    bool add(const QDate &date, const diary::DiaryRow &row) override {
        platform::TextSurface surface;
        loadEntry(surface, row);
        const QString name = date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".html");
        html::yHtm page(m_styles);
        const html::HtmStatus status = page.cSaveHtm(
            html::surfaceExport(surface), true, m_dir.filePath(name), QString(), dateHeading(date));
        if (!status.ok()) {
            error = status.message;
            return false;
        }
        m_pages[date.year()][date.month()].append({date, name, diary::oneLine(row.summary)});
        return true;
    }
    bool finish() override {
        QString body;
        for (auto y = m_pages.cbegin(); y != m_pages.cend(); ++y) {
            body += QStringLiteral("<h2>%1年</h2>\n").arg(y.key());
            for (auto m = y->cbegin(); m != y->cend(); ++m) {
                body += QStringLiteral("<h3>%1年%2月</h3>\n<ul>\n").arg(y.key()).arg(m.key());
                for (const Link &link : *m)
                    body += QStringLiteral("<li><a href=\"%1\">%2</a> %3</li>\n")
                                .arg(link.file.toHtmlEscaped(), dateHeading(link.date),
                                     link.summary.toHtmlEscaped());
                body += QStringLiteral("</ul>\n");
            }
        }
        const QString page =
            QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<title>日記</title>\n</head>\n<body>\n<h1>日記</h1>\n") +
            body + QStringLiteral("</body>\n</html>\n");
        QFile file(m_dir.filePath(QStringLiteral("index.html")));
        const QByteArray bytes = page.toUtf8();
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    struct Link {
        QDate date;
        QString file;
        QString summary;
    };
    QDir m_dir;
    const settings::UserStyleTable &m_styles;
    QMap<int, QMap<int, QList<Link>>> m_pages;
};

bool isFolderForm(Form form) {
    return form == Form::HtmlPages || form == Form::WordFolder;
}

void removePart(const QString &part, Form form) {
    if (isFolderForm(form))
        QDir(part).removeRecursively();
    else
        QFile::remove(part);
}

} // namespace

QString dateHeading(const QDate &date) {
    return QLocale(QLocale::Japanese).toString(date, QStringLiteral("yyyy年M月d日（ddd）"));
}

Range wholeDiary(diary::Store &store) {
    return {diary::keyToDate(store.firstKey()), diary::keyToDate(store.lastKey())};
}

Range year(int y) {
    return {QDate(y, 1, 1), QDate(y, 12, 31)};
}

Range month(int y, int m) {
    const QDate first(y, m, 1);
    return {first, first.addMonths(1).addDays(-1)};
}

Result exportDiary(diary::Store &store, const Request &request,
                   const settings::UserStyleTable &styles, const Progress &progress) {
    if (QFileInfo::exists(request.target))
        return failure(tr(u"「%1」は既にあります。別の名前を選んでください。")
                           .arg(QDir::toNativeSeparators(request.target)));
    const QList<QDate> dates = datesIn(store, request.range);
    if (dates.isEmpty())
        return failure(tr(u"書き出す日記がありません。"));

    const QString part = request.target + QStringLiteral(".part");
    removePart(part, request.form);
    if (isFolderForm(request.form) && !QDir().mkpath(part))
        return failure(cannotWrite(part));
    std::unique_ptr<Writer> writer;
    switch (request.form) {
    case Form::PdfBook:
        writer = std::make_unique<PdfBook>(part);
        break;
    case Form::HtmlPages:
        writer = std::make_unique<HtmlPages>(part, styles);
        break;
    case Form::WordFolder:
        writer = std::make_unique<WordFolder>(part);
        break;
    case Form::PlainText:
        writer = std::make_unique<PlainTextFile>(part);
        break;
    }

    const int total = int(dates.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            writer.reset();
            removePart(part, request.form);
            return cancelled();
        }
        bool ok = false;
        const std::optional<diary::DiaryRow> row = store.load(diary::entryKey(dates.at(i)), &ok);
        if (!ok || !row || !writer->add(dates.at(i), *row)) {
            const QString message =
                writer->error.isEmpty()
                    ? tr(u"%1 の日記を書き出せませんでした。").arg(dateHeading(dates.at(i)))
                    : writer->error;
            writer.reset();
            removePart(part, request.form);
            return failure(message);
        }
    }
    const bool finished = writer->finish();
    writer.reset();
    if (!finished || !QFile::rename(part, request.target)) {
        removePart(part, request.form);
        return failure(cannotWrite(request.target));
    }
    if (progress)
        progress(total, total);
    Result r;
    r.ok = true;
    r.entries = total;
    return r;
}

} // namespace diaryexport
