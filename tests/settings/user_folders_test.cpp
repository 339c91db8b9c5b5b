#include "recording_shell.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using settings::yIni;

namespace {

const QString kUse = QStringLiteral(" を使用します");

class UserFolderTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingShellGuard shell;
    yIni ini;
    QString bin, data, docs, defUser;

    void SetUp() override {
        bin = tmp.filePath(QStringLiteral("bin")) + u'/';
        data = tmp.filePath(QStringLiteral("data"));
        docs = tmp.filePath(QStringLiteral("docs"));
        QDir().mkpath(bin);
        QDir().mkpath(data);
        shell->folders.insert(26, data + u'/');
        shell->folders.insert(5, docs + u'/');
        defUser = data + QStringLiteral("/Brenvik/drJvo/");
    }
    void writeIni(const QByteArray &content) {
        QFile f(bin + QStringLiteral("UserData.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    settings::UserFolders resolve(const QString &exeName = QStringLiteral("drJvo")) {
        return ini.W_UserData(bin + exeName, settings::exeBaseOf(exeName));
    }
};

} // namespace

TEST_F(UserFolderTest, MissingIniTellsAndUsesThePrivateDefaultFolder) {
    const settings::UserFolders f = resolve();
    EXPECT_EQ(f.appDir, bin);
    EXPECT_EQ(f.tplDir, bin + QStringLiteral("apData/"));
    EXPECT_EQ(f.defUserDir, defUser);
    EXPECT_EQ(f.userDir, defUser);
    EXPECT_EQ(dialogs->messages(), QStringList{bin +
                                               QStringLiteral("UserData.ini が見つかりません\n"
                                                              "ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　") +
                                               defUser + kUse});
    ASSERT_TRUE(QFileInfo(defUser).isDir());
    EXPECT_EQ(QFileInfo(defUser).permissions() & 0x0077, 0); // nobody but the owner
}

TEST_F(UserFolderTest, EmptyIniOrEmptyFirstLineTells) {
    for (const QByteArray &content : {QByteArray(), QByteArray("\r\n%app%")}) {
        writeIni(content);
        dialogs->shown.clear();
        EXPECT_EQ(resolve().userDir, defUser);
        EXPECT_EQ(
            dialogs->messages(),
            QStringList{QStringLiteral(" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません\n") + defUser + kUse});
    }
}

TEST_F(UserFolderTest, PlaceholdersIgnoreCaseButNotTrailingLineBreaks) {
    const QString docUser = docs + QStringLiteral("/Brenvik/drJvo/");
    const QList<QPair<QByteArray, QString>> cases = {
        {"%APP%", bin + QStringLiteral("usData/")},
        {"%usr%", defUser},
        {"%Applicaion Data%", defUser},
        {"%doc", docUser},
        {"%My Document%", docUser},
        {"%app%\n", defUser},
        {"%anything", defUser},
    };
    for (const auto &[content, expected] : cases) {
        writeIni(content);
        EXPECT_EQ(resolve().userDir, expected) << content.constData();
        EXPECT_TRUE(QFileInfo(expected).isDir()) << content.constData();
    }
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(UserFolderTest, ExistingFolderGetsASlashAndAMissingOneTells) {
    const QString own = tmp.filePath(QStringLiteral("own folder"));
    QDir().mkpath(own);
    writeIni(own.toUtf8());
    EXPECT_EQ(resolve().userDir, own + u'/');
    EXPECT_TRUE(dialogs->messages().isEmpty());

    const QString missing = tmp.filePath(QStringLiteral("missing"));
    writeIni(missing.toUtf8());
    EXPECT_EQ(resolve().userDir, defUser);
    EXPECT_EQ(dialogs->messages(),
              QStringList{QStringLiteral("ﾌｫﾙﾀﾞ ") + missing +
                          QStringLiteral(" が見つかりません\nﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　") + defUser +
                          kUse});
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(UserFolderTest, ExistingUserFolderKeepsItsPermissions) {
    const QString own = tmp.filePath(QStringLiteral("shared"));
    QDir().mkpath(own);
    const QFileDevice::Permissions before = QFileInfo(own).permissions();
    writeIni(own.toUtf8());
    resolve();
    EXPECT_EQ(QFileInfo(own).permissions(), before);
}

TEST_F(UserFolderTest, DeveloperBuildSharesFolderAndToolPath) {
    writeIni("%usr%");
    EXPECT_EQ(resolve(QStringLiteral("drJvo_DV")).userDir, defUser);
    EXPECT_EQ(shell->toolPaths.value(QStringLiteral("drJvo")), bin + QStringLiteral("drJvo"));
    EXPECT_EQ(shell->toolPaths.size(), 1);
}

TEST_F(UserFolderTest, ToolPathFollowsTheProgramToANewPlace) {
    writeIni("%usr%");
    shell->toolPaths.insert(QStringLiteral("drJvo"), QStringLiteral("/old/place/drJvo"));
    resolve();
    EXPECT_EQ(shell->toolPaths.value(QStringLiteral("drJvo")), bin + QStringLiteral("drJvo"));
}

TEST_F(UserFolderTest, SpecialFoldersComeWithoutTrailingSlash) {
    EXPECT_EQ(ini.FsGtSpFld(26), data);
    EXPECT_EQ(ini.FsGtSpFld(99), QString());
}

TEST_F(UserFolderTest, FolderCreation) {
    const QString base = tmp.filePath(QStringLiteral("c")) + u'/';
    ini.F_ChkSb(base, {QStringLiteral("Wrk")}); // one level only: the parent is missing
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("Wrk")));
    ini.F_CreateFld(base + QStringLiteral("x/y/z/"));
    EXPECT_TRUE(QFileInfo(base + QStringLiteral("x/y/z")).isDir());
    ini.F_ChkSb(base, {QStringLiteral("Wrk"), QStringLiteral("Dbs")});
    EXPECT_TRUE(QFileInfo(base + QStringLiteral("Wrk")).isDir());
    EXPECT_TRUE(QFileInfo(base + QStringLiteral("Dbs")).isDir());
}

TEST_F(UserFolderTest, OpeningWithTheDefaultHandler) {
    QFile file(tmp.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ini.W_ExpFd(QString(), true);
    ini.W_ExpFd(file.fileName(), false); // a file is not explored
    ini.W_ExpFd(tmp.filePath(QStringLiteral("nowhere")), false);
    EXPECT_TRUE(shell->opened.isEmpty());
    ini.W_ExpFd(QStringLiteral("https://example.org/"), true);
    ini.W_ExpFd(file.fileName(), true);
    ini.W_ExpFd(tmp.path(), false);
    EXPECT_EQ(shell->opened,
              (QStringList{QStringLiteral("https://example.org/"), file.fileName(), tmp.path()}));
}

TEST(ExeBase, DeveloperSuffixIsDroppedInAnyCase) {
    EXPECT_EQ(settings::exeBaseOf(QStringLiteral("/opt/drJvo/drJvo")), QStringLiteral("drJvo"));
    EXPECT_EQ(settings::exeBaseOf(QStringLiteral("/x/drJvo_dv")), QStringLiteral("drJvo"));
    EXPECT_EQ(settings::exeBaseOf(QStringLiteral("C:/x/drJvo_DV.exe")), QStringLiteral("drJvo"));
    EXPECT_EQ(settings::exeBaseOf(QStringLiteral("drJvo.exe")), QStringLiteral("drJvo"));
    EXPECT_EQ(settings::exeBaseOf(QStringLiteral("dv")), QStringLiteral("dv"));
}
