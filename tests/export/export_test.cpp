#include "diary/keys.h"
#include "diary/store.h"
#include "export/diary_export.h"
#include "platform/text/text_surface.h"
#include "settings/user_styles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace diaryexport;

namespace {

QString readText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

// A real diary whose entries are written as the editor writes them.
class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_store.open(m_dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)));
        add(QDate(2023, 12, 31), QStringLiteral("大晦日の日記"));
        add(QDate(2024, 1, 15), QStringLiteral("一月の日記 first"));
        QString longText;
        for (int i = 0; i < 120; ++i)
            longText += QStringLiteral("長い日記の行 %1\n").arg(i);
        add(QDate(2024, 2, 1), longText);
        add(QDate(2024, 12, 31), QStringLiteral("年末の日記 last"));
    }
    void add(const QDate &date, const QString &text) {
        platform::TextSurface surface;
        surface.setSelText(text);
        bool ok = false;
        const QByteArray doc = surface.saveWholeToMemory(platform::TextSurface::Word97, &ok);
        ASSERT_TRUE(ok);
        ASSERT_TRUE(m_store.saveEntry(diary::entryKey(date), surface.text(), doc));
    }
    Result run(Form form, const Range &range, const QString &name, const Progress &p = {}) {
        Request request;
        request.form = form;
        request.range = range;
        request.target = out(name);
        return exportDiary(m_store, request, m_styles, p);
    }
    QString out(const QString &name) const { return m_out.filePath(name); }
    QStringList outNames() const {
        return QDir(m_out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_out;
    diary::Store m_store;
    settings::UserStyleTable m_styles;
};

TEST_F(ExportTest, YearToPdfStartsEveryEntryOnANewPageUnderItsDate) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const Result r = run(Form::PdfBook, year(2024), QStringLiteral("2024.pdf"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.entries, 3);
    EXPECT_EQ(outNames(), QStringList{"2024.pdf"});
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), out("2024.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GT(pages.size(), 3); // the long entry takes more than one page
    QStringList headed;
    for (int i = 0; i < pages.size(); ++i) {
        const QString page = pages.at(i).trimmed();
        const QString first = page.section(u'\n', 0, 0).trimmed();
        if (first.startsWith(QStringLiteral("2024年")))
            headed.append(first);
        // Every page ends with its number.
        EXPECT_TRUE(page.endsWith(QString::number(i + 1))) << page.right(40).toStdString();
    }
    EXPECT_EQ(headed, (QStringList{dateHeading(QDate(2024, 1, 15)), dateHeading(QDate(2024, 2, 1)),
                                   dateHeading(QDate(2024, 12, 31))}));
    EXPECT_TRUE(pages.at(0).contains(QStringLiteral("一月の日記 "))) << pages.at(0).toStdString();
    EXPECT_FALSE(pages.join(QString()).contains(QStringLiteral("大晦日")));
}

TEST_F(ExportTest, HtmlIndexLinksEveryEntryByYearAndMonth) {
    const Result r = run(Form::HtmlPages, wholeDiary(m_store), QStringLiteral("html"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    const QString index = readText(out("html/index.html"));
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    QStringList linked;
    for (auto it = link.globalMatch(index); it.hasNext();)
        linked.append(it.next().captured(1));
    EXPECT_EQ(linked, (QStringList{"2023-12-31.html", "2024-01-15.html", "2024-02-01.html",
                                   "2024-12-31.html"}));
    EXPECT_TRUE(index.contains(QStringLiteral("<h2>2024年</h2>")));
    EXPECT_TRUE(index.contains(QStringLiteral("<h3>2024年2月</h3>")));
    for (const QString &page : linked)
        EXPECT_TRUE(readText(out("html/" + page)).contains(QStringLiteral("日記")))
            << page.toStdString();
    EXPECT_TRUE(readText(out("html/2024-01-15.html")).contains(QStringLiteral("一月の日記 first")));
}

TEST_F(ExportTest, WordDocumentsOpenInAnotherProgramWithTheirText) {
    const Result r = run(Form::WordFolder, wholeDiary(m_store), QStringLiteral("word"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    const QStringList files = QDir(out("word")).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files, (QStringList{"2023-12-31.docx", "2024-01-15.docx", "2024-02-01.docx",
                                  "2024-12-31.docx"}));
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QStringList args{QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                     QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                     out("txt")};
    for (const QString &f : files)
        args.append(out("word/" + f));
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment() << "HOME=" + m_out.path());
    p.start(soffice, args);
    ASSERT_TRUE(p.waitForFinished(180000));
    EXPECT_TRUE(readText(out("txt/2023-12-31.txt")).contains(QStringLiteral("大晦日の日記")));
    EXPECT_TRUE(readText(out("txt/2024-01-15.txt")).contains(QStringLiteral("一月の日記 first")));
    EXPECT_TRUE(readText(out("txt/2024-02-01.txt")).contains(QStringLiteral("長い日記の行 119")));
    EXPECT_TRUE(readText(out("txt/2024-12-31.txt")).contains(QStringLiteral("年末の日記 last")));
}

TEST_F(ExportTest, PlainTextMonthRangesAndCancelLeavesNothing) {
    Result r = run(Form::PlainText, month(2024, 1), QStringLiteral("jan.txt"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(readText(out("jan.txt")),
              dateHeading(QDate(2024, 1, 15)) + QStringLiteral("\n一月の日記 first\n\n"));
    r = run(Form::PlainText, {QDate(2023, 12, 31), QDate(2024, 1, 31)}, QStringLiteral("jan.txt"));
    EXPECT_FALSE(r.ok); // an existing file is never overwritten
    r = run(Form::PlainText, {QDate(2023, 12, 31), QDate(2024, 1, 31)}, QStringLiteral("two.txt"));
    EXPECT_EQ(r.entries, 2);
    EXPECT_FALSE(run(Form::PlainText, year(2030), QStringLiteral("none.txt")).ok);

    const QStringList before = outNames();
    for (Form form : {Form::PdfBook, Form::HtmlPages, Form::WordFolder, Form::PlainText}) {
        const Result c = run(form, wholeDiary(m_store), QStringLiteral("cancelled"),
                             [](int done, int) { return done < 2; });
        EXPECT_TRUE(c.cancelled);
        EXPECT_FALSE(c.ok);
        EXPECT_EQ(outNames(), before) << int(form);
    }
    EXPECT_EQ(m_store.firstKey(), QStringLiteral("231231"));
}
