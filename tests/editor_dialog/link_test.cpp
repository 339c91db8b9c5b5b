#include "editor_dialog/link_page.h"
#include "editor_dialog/link_target.h"
#include "editor_dialog/sbtxm.h"
#include "platform/text/text_surface.h"
#include "recording_shell.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using editor_dialog::LinkTarget;
using editor_dialog::sbTxm;

namespace {

template <typename T> T *child(QWidget &parent, const QString &name) {
    T *widget = parent.findChild<T *>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

platform::FileAnswer chosen(const QString &path) {
    platform::FileAnswer answer;
    answer.accepted = true;
    answer.path = path;
    return answer;
}

class LinkPageTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.cOn(surface, nullptr); }
    void TearDown() override { sbTxm::setModalRunner(nullptr); }
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingShellGuard shell;
    platform::TextSurface surface;
    sbTxm dialog;
};

} // namespace

TEST(LinkShortcuts, UrlFilesAndDesktopLinks) {
    using editor_dialog::shortcutAddressOf;
    // Windows writes CR LF and the system code page.
    EXPECT_EQ(shortcutAddressOf(
                  "[InternetShortcut]\r\nURL=https://example.jp/a?b=1\r\nIconIndex=0\r\n", false),
              QStringLiteral("https://example.jp/a?b=1"));
    EXPECT_EQ(shortcutAddressOf("[InternetShortcut]\nURL=https://example.jp/\n", false),
              QStringLiteral("https://example.jp/"));
    EXPECT_EQ(shortcutAddressOf("[InternetShortcut]\r\nIconIndex=0\r\n", false), QString());
    const QByteArray desktop =
        "[Desktop Entry]\nName=ニュース\nType=Link\nURL=https://news.example/top\n"
        "Icon=text-html\n";
    EXPECT_EQ(shortcutAddressOf(desktop, true), QStringLiteral("https://news.example/top"));
    EXPECT_EQ(shortcutAddressOf("[Desktop Entry]\nType=Application\nExec=rm -rf ~\nURL=x\n", true),
              QString());
    EXPECT_EQ(shortcutAddressOf("[Other]\nType=Link\nURL=https://a/\n", true), QString());
    // Only the start of an oversized file is read.
    EXPECT_EQ(shortcutAddressOf(QByteArray(100000, 'x') + "\nURL=https://late/\n", false),
              QString());
}

TEST(LinkTargetState, SplitChoiceAndCheck) {
    LinkTarget state;
    state.prepare(QStringLiteral(" photo\x01 "), false);
    EXPECT_EQ(state.caption, QStringLiteral("photo"));
    EXPECT_TRUE(state.selTextChecked);
    EXPECT_FALSE(state.captionEnabled);
    EXPECT_EQ(state.message(), QString());
    // With SelText checked a chosen file confirms at once.
    EXPECT_TRUE(state.fileChosen(chosen(QStringLiteral("/pic.d/a.b.jpg"))));
    QString answer;
    EXPECT_EQ(state.check(answer), LinkTarget::Check::Confirmed);
    EXPECT_EQ(answer, QStringLiteral("photo\t/pic.d/a.b.jpg"));
    EXPECT_EQ(state.lastFile(), QStringLiteral("/pic.d/a.b"));
    EXPECT_EQ(state.suggestedCaption(), QStringLiteral("a"));
    state.setSelText(false);
    EXPECT_EQ(state.caption, QStringLiteral("a"));
    EXPECT_TRUE(state.captionEnabled);

    state.prepare(QStringLiteral("古い文字\thttps://old/ "), false);
    EXPECT_EQ(state.target, QStringLiteral("https://old/"));
    state.setSelText(false);
    EXPECT_EQ(state.caption, QString());
    EXPECT_EQ(state.check(answer), LinkTarget::Check::NoCaption);
    EXPECT_EQ(state.message(), QStringLiteral("ﾘﾝｸ先を指定して下さい"));
    EXPECT_FALSE(state.fileChosen(platform::FileAnswer{})); // cancelled: target emptied
    EXPECT_EQ(state.target, QString());
    EXPECT_EQ(state.check(answer), LinkTarget::Check::NoTarget);

    // A picture's link needs a target only.
    state.prepare(QString(), true);
    EXPECT_FALSE(state.captionEnabled);
    EXPECT_FALSE(state.selTextEnabled);
    state.target = QStringLiteral("https://a/");
    EXPECT_EQ(state.check(answer), LinkTarget::Check::Confirmed);
    EXPECT_EQ(answer, QStringLiteral("\thttps://a/"));
}

TEST_F(LinkPageTest, FileAndFavouriteFillTheBoxes) {
    QTemporaryDir dir;
    const QString memo = writeFile(dir, QStringLiteral("memo.txt"), "x");
    const QString news = writeFile(dir, QStringLiteral("News.url"),
                                   "[InternetShortcut]\r\nURL=https://news.example.jp/\r\n");
    const QString link = writeFile(dir, QStringLiteral("天気.予報.desktop"),
                                   "[Desktop Entry]\nType=Link\nURL=https://tenki.example/\n");
    const QString bare = writeFile(dir, QStringLiteral("bare.url"), "[InternetShortcut]\r\n");
    shell->folders[6] = dir.path() + QLatin1Char('/');
    dialogs->files << chosen(memo) << chosen(news) << chosen(link) << chosen(bare);
    sbTxm::setModalRunner([&](sbTxm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ﾘﾝｸ先の設定"));
        EXPECT_FALSE(child<QCheckBox>(d, QStringLiteral("chLnkHg"))->isEnabled());
        child<QPushButton>(d, QStringLiteral("cmLnk0"))->click();
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk1"))->text(), QStringLiteral("memo"));
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk0"))->text(), memo);
        child<QPushButton>(d, QStringLiteral("cmLnk1"))->click();
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk0"))->text(),
                  QStringLiteral("https://news.example.jp/"));
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk1"))->text(), QStringLiteral("News"));
        child<QPushButton>(d, QStringLiteral("cmLnk1"))->click();
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk0"))->text(),
                  QStringLiteral("https://tenki.example/"));
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk1"))->text(),
                  QStringLiteral("天気.予報"));
        // A shortcut without "URL=": no target, and OK refuses it.
        child<QPushButton>(d, QStringLiteral("cmLnk1"))->click();
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txLnk0"))->text(), QString());
        d.cmOk(0);
        EXPECT_EQ(dialogs->messages().value(0), QStringLiteral("ﾘﾝｸ先が指定されていません"));
        child<QLineEdit>(d, QStringLiteral("txLnk0"))->setText(QStringLiteral(" https://b/ "));
        child<QLineEdit>(d, QStringLiteral("txLnk1"))->clear();
        d.cmOk(0);
        EXPECT_EQ(dialogs->messages().value(1), QStringLiteral("ｷｬﾌﾟｼｮﾝが指定されていません"));
        child<QLineEdit>(d, QStringLiteral("txLnk1"))->setText(QStringLiteral("ビー"));
        d.cmOk(0);
    });
    QString answer;
    dialog.Act(QStringLiteral("LK"), answer);
    EXPECT_EQ(answer, QStringLiteral("ビー\thttps://b/"));
    ASSERT_EQ(dialogs->shown.size(), 6);
    EXPECT_EQ(dialogs->shown[0].request.title, QStringLiteral("ﾘﾝｸ先のﾄﾞｷｭﾒﾝﾄ"));
    EXPECT_EQ(dialogs->shown[0].request.filter, QStringLiteral("全てのﾌｧｲﾙ|*.*"));
    EXPECT_TRUE(dialogs->shown[0].request.folder.endsWith(QStringLiteral("Site")));
    EXPECT_EQ(dialogs->shown[1].request.title, QStringLiteral("お気に入り"));
    EXPECT_EQ(dialogs->shown[1].request.folder, shell->folders[6]);
}

TEST_F(LinkPageTest, SelectedTextConfirmsAtOnceSearchAndCancel) {
    QTemporaryDir dir;
    const QString picture = writeFile(dir, QStringLiteral("a.b.jpg"), "x");
    dialogs->files << chosen(picture);
    sbTxm::setModalRunner([&](sbTxm &d) {
        EXPECT_TRUE(child<QCheckBox>(d, QStringLiteral("chLnkHg"))->isChecked());
        EXPECT_FALSE(child<QLineEdit>(d, QStringLiteral("txLnk1"))->isEnabled());
        child<QPushButton>(d, QStringLiteral("cmLnk2"))->click();
        child<QPushButton>(d, QStringLiteral("cmLnk0"))->click();
    });
    QString answer = QStringLiteral("photo");
    dialog.Act(QStringLiteral("LK"), answer);
    EXPECT_EQ(answer, QStringLiteral("photo\t") + picture);
    EXPECT_EQ(shell->opened, QStringList{editor_dialog::LinkPage::searchAddress()});

    // Cancel answers "", whatever came in.
    sbTxm::setModalRunner([](sbTxm &d) {
        child<QLineEdit>(d, QStringLiteral("txLnk0"))->setText(QStringLiteral("https://c/"));
        d.cmOk(1);
    });
    answer = QStringLiteral("文字\thttps://old/");
    dialog.Act(QStringLiteral("LK_OBJ"), answer);
    EXPECT_EQ(answer, QString());
}
