// Prints through a real CUPS: a private cupsd on its own socket with a cups-pdf queue, so the PDF
// that arrives can be read back. Skips, saying why, where cupsd cannot be started.
#include "platform/printing.h"
#include "preview/page_source.h"
#include "preview/printer_record.h"
#include "preview/sbtvw.h"
#include "preview_samples.h"
#include "scripted_dialogs.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString Queue = QStringLiteral("DrJvoTestPdf");
const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString Backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");

QString tool(const QString &name) {
    return QStandardPaths::findExecutable(
        name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")});
}

// Runs a program to its end within the time; its output, or a null string when it failed.
QString run(const QString &program, const QStringList &arguments, int ms = 20000) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(ms) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(1000);
        return QString();
    }
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    return out.isNull() ? QStringLiteral("") : out;
}

// Where cups-pdf puts the files of the user running the test.
QString cupsPdfFolder() {
    const passwd *pw = getpwuid(geteuid());
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        const QRegularExpression line(QStringLiteral("^\\s*Out\\s+(\\S+)"),
                                      QRegularExpression::MultilineOption);
        const auto m = line.match(QString::fromUtf8(conf.readAll()));
        if (m.hasMatch())
            out = m.captured(1);
    }
    out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(pw ? pw->pw_dir : "/root"));
    out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(pw ? pw->pw_name : "root"));
    return out;
}

QSet<QString> pdfsIn(const QString &folder) {
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "starting cupsd and adding a queue needs root";
        m_cupsd = tool(QStringLiteral("cupsd"));
        m_lpadmin = tool(QStringLiteral("lpadmin"));
        m_reject = tool(QStringLiteral("cupsreject"));
        for (const QString &need :
             {m_cupsd, m_lpadmin, m_reject, tool("pdfinfo"), tool("pdftotext")})
            if (need.isEmpty())
                GTEST_SKIP() << "cups, cups-client or poppler-utils is not installed";
        if (!QFileInfo::exists(Backend) || !QFileInfo::exists(Ppd))
            GTEST_SKIP() << "printer-driver-cups-pdf is not installed";
        ASSERT_TRUE(m_dir.isValid());
        if (!startCupsd())
            GTEST_SKIP() << "cupsd did not start: " << m_reason.toStdString();
        if (run(m_lpadmin, {"-h", m_socket, "-p", Queue, "-E", "-v", "cups-pdf:/", "-P", Ppd,
                            // Poppler's cairo renderer keeps the text of the PDF searchable.
                            "-o", "pdftops-renderer-default=pdftocairo"})
                .isNull())
            GTEST_SKIP() << "lpadmin could not add the PDF queue: " << errorLog().toStdString();
        // Qt's printer support and our job hand-over both talk to this server.
        qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
        cupsSetServer(m_socket.toLocal8Bit().constData());
        m_previous = platform::setPrinter(platform::makeSystemPrinter());
    }

    void TearDown() override {
        if (m_previous)
            platform::setPrinter(std::move(m_previous));
        stopCupsd();
        for (const QString &file : m_made)
            QFile::remove(file);
    }

    bool startCupsd() {
        const QString root = m_dir.path();
        m_socket = root + QStringLiteral("/cups.sock");
        for (const char *sub : {"spool", "tmp", "cache", "state", "log"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        // Filters run as the lp user and need a temporary folder they can write.
        QFile::setPermissions(root + QStringLiteral("/tmp"), QFileDevice::Permissions(0x7777));
        QFile conf(root + QStringLiteral("/cupsd.conf"));
        QFile files(root + QStringLiteral("/cups-files.conf"));
        if (!conf.open(QIODevice::WriteOnly) || !files.open(QIODevice::WriteOnly)) {
            m_reason = QStringLiteral("cannot write its configuration");
            return false;
        }
        conf.write(QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                                  "DefaultAuthType None\n<Location />\n  Order allow,deny\n"
                                  "  Allow all\n</Location>\n<Policy default>\n  <Limit All>\n"
                                  "    Order deny,allow\n  </Limit>\n</Policy>\n")
                       .arg(m_socket)
                       .toLocal8Bit());
        files.write(QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                                   "CacheDir %1/cache\nStateDir %1/state\n"
                                   "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                   "PageLog %1/log/page_log\nServerBin /usr/lib/cups\n"
                                   "DataDir /usr/share/cups\nSystemGroup root\n")
                        .arg(root)
                        .toLocal8Bit());
        conf.close();
        files.close();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(m_cupsd, {"-f", "-c", conf.fileName(), "-s", files.fileName()});
        if (!m_process.waitForStarted(5000)) {
            m_reason = m_process.errorString();
            return false;
        }
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(m_socket) && !deadline.hasExpired()) {
            if (m_process.state() != QProcess::Running) {
                m_reason = QString::fromLocal8Bit(m_process.readAll()) + errorLog();
                return false;
            }
            QThread::msleep(50);
        }
        if (!QFileInfo::exists(m_socket)) {
            m_reason = QStringLiteral("no socket after 10 s");
            return false;
        }
        return true;
    }

    void stopCupsd() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QString errorLog() const {
        QFile log(m_dir.path() + QStringLiteral("/log/error_log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(2000))
                                             : QString();
    }

    // The PDF that arrives in the folder, once cups-pdf has finished writing it.
    // cups-pdf names the file after the job title; other runs may print beside this one.
    QString waitForPdf(const QString &folder, const QSet<QString> &before, const QString &title) {
        const QDeadlineTimer deadline(30000);
        qint64 lastSize = -1;
        QString found;
        while (!deadline.hasExpired()) {
            const QSet<QString> now = pdfsIn(folder);
            for (const QString &name : now)
                if (!before.contains(name) && name.startsWith(title))
                    found = QDir(folder).filePath(name);
            if (!found.isEmpty()) {
                const qint64 size = QFileInfo(found).size();
                if (size > 0 && size == lastSize)
                    return found;
                lastSize = size;
            }
            QThread::msleep(250);
        }
        return found;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_cupsd, m_lpadmin, m_reject, m_socket, m_reason;
    QStringList m_made;
    std::unique_ptr<platform::Printer> m_previous;
};

} // namespace

TEST_F(CupsPrintTest, ThreePageEntryArrivesAsAnA4PdfWithItsJapaneseText) {
    previewtest::UserFolder folder;
    testsupport::ScriptedDialogsGuard dialogs;
    platform::Printer &printer = platform::printer();
    ASSERT_TRUE(printer.installedPrinters().contains(Queue)) << errorLog().toStdString();
    ASSERT_TRUE(printer.setCurrent(Queue));
    // The stored settings, as the printer set-up writes them.
    ASSERT_TRUE(preview::writeRecordFile(preview::defaultSettingsFile(),
                                         preview::fillFromPrinter(printer)));

    auto surface = previewtest::entry(3);
    preview::SurfacePages pages(*surface);
    const QString out = cupsPdfFolder();
    const QSet<QString> before = pdfsIn(out);
    const QString title = QStringLiteral("drjvo-cups-test-%1").arg(getpid());
    ASSERT_TRUE(preview::sbTvw::cPrint(pages, true, QString(), title))
        << dialogs->messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogs->shown.isEmpty());

    const QString pdf = waitForPdf(out, before, title);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << out.toStdString() << "\n"
                                << errorLog().toStdString();
    m_made << pdf;
    const QString info = run(tool("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << info.toStdString();
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 595.3, 1.5);
    EXPECT_NEAR(size.captured(2).toDouble(), 841.9, 1.5);
    const QString text = run(tool("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(text.contains(QStringLiteral("日記 %1 ページ目").arg(n))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("公園の桜がきれいだった"))) << text.toStdString();
}

TEST_F(CupsPrintTest, ARefusedJobAndAStoppedServerAreReported) {
    previewtest::UserFolder folder;
    testsupport::ScriptedDialogsGuard dialogs;
    platform::Printer &printer = platform::printer();
    ASSERT_TRUE(printer.setCurrent(Queue));
    ASSERT_TRUE(preview::writeRecordFile(preview::defaultSettingsFile(),
                                         preview::fillFromPrinter(printer)));
    auto surface = previewtest::entry(1);
    preview::SurfacePages pages(*surface);

    ASSERT_FALSE(run(m_reject, {"-h", m_socket, Queue}).isNull());
    EXPECT_FALSE(preview::sbTvw::cPrint(pages, true, QString(), QStringLiteral("refused")));
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(dialogs->messages()[0].startsWith(QStringLiteral("印刷できませんでした\n")));
    EXPECT_GT(dialogs->messages()[0].size(), 11) << "the reason is missing";

    stopCupsd();
    EXPECT_FALSE(preview::sbTvw::cPrint(pages, true, QString(), QStringLiteral("stopped")));
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_TRUE(dialogs->messages()[1].startsWith(QStringLiteral("印刷できませんでした\n")));
}
