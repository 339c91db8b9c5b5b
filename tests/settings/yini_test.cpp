#include "scripted_dialogs.h"
#include "settings/cp932.h"
#include "settings/yini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using settings::yIni;

namespace {

const QByteArray kDecl = "<?xml version='1.0' encoding='Shift-JIS' ?>";
const QByteArray kRootStart = "<\x89\x5e\x97\x70>";   // <運用>
const QByteArray kRootEnd = "</\x89\x5e\x97\x70>";    // </運用>
const QByteArray kPosStart = "   <\x88\xca\x92\x75>"; // <位置>
const QByteArray kPosEnd = "   </\x88\xca\x92\x75>";  // </位置>

QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray lines(const QByteArrayList &l) {
    return l.join("\r\n");
}

class YIniTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedDialogsGuard dialogs;
    yIni ini;
    QString path() const { return dir.filePath(QStringLiteral("User.xml")); }

    void load(const QByteArray &bytes) {
        writeBytes(path(), bytes);
        bool ok = false;
        ini.GetTxt(path(), ok);
        ASSERT_TRUE(ok);
    }
    QByteArray save() {
        bool ok = false;
        ini.SetTxt(ok);
        EXPECT_TRUE(ok);
        return readBytes(path());
    }
};

} // namespace

TEST_F(YIniTest, MissingFileIsCreatedEmptyAndGivesTheSkeleton) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(readBytes(path()), QByteArray());
    EXPECT_EQ(ini.document(), yIni::skeleton());
    EXPECT_EQ(save(), lines({kDecl, kRootStart, kRootEnd}));
}

TEST_F(YIniTest, FirstKeyOfANewGroupGivesTheDocumentedLayout) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    ini.GetGtx(QStringLiteral("位置"));
    ini.SetVal(QStringLiteral("LEFT"), 120);
    ini.SetGtx();
    EXPECT_EQ(save(),
              lines({kDecl, kRootStart, kPosStart, "      <LEFT>120</LEFT>", kPosEnd, kRootEnd}));
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(YIniTest, NewKeysGoOnTopAndExistingKeysChangeOnlyTheirValue) {
    load(lines({kDecl, kRootStart, kPosStart, "      <HEIGHT>7000</HEIGHT>",
                "      <LEFT>120</LEFT>", kPosEnd, kRootEnd}));
    ini.GetGtx(QStringLiteral("位置"));
    ini.SetVal(QStringLiteral("TOP"), 15);
    ini.SetVal(QStringLiteral("WIDTH"), 9000);
    ini.SetVal(QStringLiteral("LEFT"), 30);
    ini.SetGtx();
    EXPECT_EQ(save(), lines({kDecl, kRootStart, kPosStart, "      <WIDTH>9000</WIDTH>",
                             "      <TOP>15</TOP>", "      <HEIGHT>7000</HEIGHT>",
                             "      <LEFT>30</LEFT>", kPosEnd, kRootEnd}));
}

TEST_F(YIniTest, NewGroupsAreAppendedBeforeTheRootEndInFirstWrittenOrder) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    for (const char *group : {"B", "A", "C"}) {
        ini.GetGtx(QString::fromLatin1(group));
        ini.SetVal(QStringLiteral("K"), QString::fromLatin1(group));
        ini.SetGtx();
    }
    ini.GetGtx(QStringLiteral("B"));
    ini.SetVal(QStringLiteral("K"), QStringLiteral("b"));
    ini.SetGtx();
    EXPECT_EQ(save(), lines({kDecl, kRootStart, "   <B>", "      <K>b</K>", "   </B>", "   <A>",
                             "      <K>A</K>", "   </A>", "   <C>", "      <K>C</K>", "   </C>",
                             kRootEnd}));
}

TEST_F(YIniTest, GroupChangesWithoutSetGtxAreDiscarded) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    ini.GetGtx(QStringLiteral("A"));
    ini.SetVal(QStringLiteral("K"), 1);
    ini.GetGtx(QStringLiteral("B"));
    ini.SetGtx();
    EXPECT_FALSE(ini.document().contains(QStringLiteral("<A>")));
    EXPECT_TRUE(ini.document().contains(QStringLiteral("   <B>\r\n   </B>\r\n</運用>")));
}

TEST_F(YIniTest, TypedReadsFollowTheDefault) {
    load(lines({kDecl, kRootStart, "   <S>", "      <OFF>False</OFF>", "      <NUM>12abc</NUM>",
                "      <TXT>abc</TXT>", "      <HALF>10.5</HALF>", "      <DAY>2024/01/15</DAY>",
                "      <BAD>yesterday</BAD>", "      <EMPTY></EMPTY>", "   </S>", kRootEnd}));
    ini.GetGtx(QStringLiteral("S"));
    EXPECT_FALSE(ini.vGtVal(QStringLiteral("OFF"), true));
    EXPECT_TRUE(ini.vGtVal(QStringLiteral("MISSING"), true));
    EXPECT_TRUE(ini.vGtVal(QStringLiteral("TXT"), true)); // not a Boolean text: the default
    EXPECT_EQ(ini.vGtVal(QStringLiteral("NUM"), 0), 12);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("NUM"), 0.0), 12.0);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("TXT"), 5), 0);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("HALF"), 0), 10);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("HALF"), 0.0), 10.5);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("EMPTY"), 7), 7);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("NUM"), qint16(0)), qint16(12));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("NUM"), qint64(0)), 12);
    EXPECT_EQ(ini.vGtVal(QStringLiteral("EMPTY"), "def"), QStringLiteral("def"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("TXT"), u"def"), QStringLiteral("abc"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("DAY"), QDate()), QDate(2024, 1, 15));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("BAD"), QDate(2000, 1, 1)), QDate(2000, 1, 1));
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(YIniTest, WritersStoreThePlatformTextForms) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    ini.GetGtx(QStringLiteral("S"));
    ini.SetVal(QStringLiteral("B"), false);
    ini.SetVal(QStringLiteral("F"), 1.2f);
    ini.SetVal(QStringLiteral("D"), QDate(2024, 1, 15));
    ini.SetVal(QStringLiteral("N"), qint16(-7));
    ini.SetGtx();
    ini.GetGtx(QStringLiteral("S"));
    EXPECT_EQ(ini.groupText(), QStringLiteral("      <N>-7</N>\r\n      <D>2024/01/15</D>\r\n"
                                              "      <F>1.2</F>\r\n      <B>False</B>\r\n"));
    EXPECT_FALSE(ini.vGtVal(QStringLiteral("B"), true));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("D"), QDate()), QDate(2024, 1, 15));
}

TEST_F(YIniTest, FirstOccurrenceWins) {
    load(lines({kDecl, kRootStart, "   <G>", "      <K>first</K>", "      <K>second</K>", "   </G>",
                "   <G>", "      <K>other group</K>", "   </G>", kRootEnd}));
    ini.GetGtx(QStringLiteral("G"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("K"), QString()), QStringLiteral("first"));
    ini.SetVal(QStringLiteral("K"), QStringLiteral("changed"));
    ini.SetGtx();
    EXPECT_TRUE(ini.document().contains(QStringLiteral("<K>changed</K>\r\n      <K>second</K>")));
    EXPECT_TRUE(ini.document().contains(QStringLiteral("<K>other group</K>")));
}

TEST_F(YIniTest, DamagedGroupShowsTheMessageAndLeavesTheFileAlone) {
    const QByteArray damaged = lines(
        {kDecl, kRootStart, kPosStart, "      <LEFT>120</LEFT>", "   <X>", "   </X>", kRootEnd});
    load(damaged);
    ini.GetGtx(QStringLiteral("位置"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("LEFT"), 0), 0);
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_EQ(dialogs->messages().at(0),
              QStringLiteral("<位置> の設定が読み込めません\nﾕｰｻﾞｰ環境ﾌｧｲﾙ(") + path() +
                  QStringLiteral(") が破損しています"));
    EXPECT_EQ(readBytes(path()), damaged);
}

TEST_F(YIniTest, EndTagBeforeStartTagIsDamagedToo) {
    load(lines({kDecl, kRootStart, "   <G>", "      </K>x<K>", "   </G>", kRootEnd}));
    ini.GetGtx(QStringLiteral("G"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("K"), "d"), QStringLiteral("d"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("K"), "d"), QStringLiteral("d"));
    EXPECT_EQ(dialogs->messages().size(), 2); // once per read
    EXPECT_TRUE(dialogs->messages().at(0).startsWith(QStringLiteral("<K> の設定")));
}

TEST_F(YIniTest, LineMarkInANewValueBecomesALineBreak) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    ini.GetGtx(QStringLiteral("G"));
    ini.SetVal(QStringLiteral("K"), QStringLiteral("a‡b"));
    ini.SetGtx();
    ini.GetGtx(QStringLiteral("G"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("K"), QString()), QStringLiteral("a\r\nb"));
}

TEST_F(YIniTest, DeveloperFileNameMeansTheNormalFile) {
    load(lines({kDecl, kRootStart, "   <G>", "      <K>v</K>", "   </G>", kRootEnd}));
    yIni dv;
    bool ok = false;
    dv.GetTxt(dir.filePath(QStringLiteral("User_Dv.xml")), ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dv.fileName(), path());
    dv.GetGtx(QStringLiteral("G"));
    EXPECT_EQ(dv.vGtVal(QStringLiteral("K"), QString()), QStringLiteral("v"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("User_Dv.xml"))));
}

TEST_F(YIniTest, EmptyFirstLineGivesTheSkeleton) {
    load("\r\n<garbage>");
    EXPECT_EQ(ini.document(), yIni::skeleton());
}

TEST_F(YIniTest, WindowsFileRoundTripsByteForByte) {
    // Half-width katakana key, Shift-JIS value, "～" in a value: as the Windows program writes.
    const QByteArray windows = lines({kDecl, kRootStart, "   <\x90\xdd\x92\xe8>",
                                      "      <\xcc\xa7\xdd\xb8\xbc\xae\xdd>"
                                      "\x94\xf1\x95\x5c\x8e\xa6"
                                      "</\xcc\xa7\xdd\xb8\xbc\xae\xdd>",
                                      "      <W>1\x81\x60"
                                      "2</W>",
                                      "   </\x90\xdd\x92\xe8>", kRootEnd});
    load(windows);
    ini.GetGtx(QStringLiteral("設定"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("ﾌｧﾝｸｼｮﾝ"), "表示"), QStringLiteral("非表示"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("W"), ""), QStringLiteral("1～2"));
    ini.SetVal(QStringLiteral("W"), QString::fromUtf16(u"1\u301C2")); // as a Linux IME types it
    ini.SetGtx();
    EXPECT_EQ(save(), windows);
}

TEST_F(YIniTest, UnreadableFileIsKeptAsideNotOverwritten) {
    const QByteArray broken("\x82\xa0\xff\xff<broken>", 12);
    writeBytes(path(), broken);
    bool ok = true;
    ini.GetTxt(path(), ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(dialogs->messages().at(0).contains(path() + QStringLiteral(".bak")));
    EXPECT_EQ(readBytes(path()), broken);

    ini.GetGtx(QStringLiteral("G"));
    ini.SetVal(QStringLiteral("K"), 1);
    ini.SetGtx();
    const QByteArray written = save();
    EXPECT_TRUE(written.startsWith(kDecl));
    EXPECT_TRUE(written.contains("<K>1</K>"));
    EXPECT_EQ(readBytes(path() + QStringLiteral(".bak")), broken);
}

TEST_F(YIniTest, FailedWriteReportsAndKeepsTheDocument) {
    bool ok = true;
    ini.SetTxt(ok);
    EXPECT_FALSE(ok); // no file name yet

    ini.GetTxt(dir.filePath(QStringLiteral("gone/User.xml")), ok);
    EXPECT_FALSE(ok);
    ini.GetGtx(QStringLiteral("G"));
    ini.SetVal(QStringLiteral("K"), 1);
    ini.SetGtx();
    const QString before = ini.document();
    ini.SetTxt(ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ini.document(), before);
}

TEST_F(YIniTest, MissingRootEndTagIsRestoredForANewGroup) {
    load(lines({kDecl, kRootStart, "   <A>", "      <K>1</K>", "   </A>"}));
    ini.GetGtx(QStringLiteral("B"));
    ini.SetVal(QStringLiteral("K"), 2);
    ini.SetGtx();
    EXPECT_TRUE(ini.document().endsWith(
        QStringLiteral("   </A>\r\n   <B>\r\n      <K>2</K>\r\n   </B>\r\n</運用>")));
}

TEST_F(YIniTest, MarkupInValuesIsEscapedAndReadBack) {
    bool ok = false;
    ini.GetTxt(path(), ok);
    const QString markup = QStringLiteral("</WMF_PH><TX_FORMAT>");
    const QString path = QStringLiteral("C:\\A&B <1>\\日記 &amp;.doc");
    const QString foreign = QStringLiteral("Ж 한 😀 é"); // CP932 cannot hold all of these
    ini.GetGtx(QStringLiteral("WMF_PH"));
    ini.SetVal(QStringLiteral("TX_FORMAT"), 3);
    ini.SetVal(QStringLiteral("M"), markup);
    ini.SetVal(QStringLiteral("P"), path);
    ini.SetVal(QStringLiteral("F"), foreign);
    ini.SetGtx();
    const QByteArray bytes = save();
    EXPECT_TRUE(bytes.contains("<M>&lt;/WMF_PH&gt;&lt;TX_FORMAT&gt;</M>"));
    EXPECT_TRUE(bytes.contains("&amp;amp;"));
    EXPECT_TRUE(bytes.contains("&#x1f600;"));
    EXPECT_EQ(bytes.count('?'), 2); // the declaration's own: nothing was lost

    yIni again;
    again.GetTxt(this->path(), ok);
    ASSERT_TRUE(ok);
    again.GetGtx(QStringLiteral("WMF_PH"));
    EXPECT_EQ(again.vGtVal(QStringLiteral("TX_FORMAT"), 0), 3);
    EXPECT_EQ(again.vGtVal(QStringLiteral("M"), QString()), markup);
    EXPECT_EQ(again.vGtVal(QStringLiteral("P"), QString()), path);
    EXPECT_EQ(again.vGtVal(QStringLiteral("F"), QString()), foreign);
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(YIniTest, UnknownAmpersandsInAStoredValueStayAsTheyAre) {
    load(lines({kDecl, kRootStart, kPosStart, "      <K>a & b &#0; &#x110000; &nbsp; &#65;</K>",
                kPosEnd, kRootEnd}));
    ini.GetGtx(QStringLiteral("位置"));
    EXPECT_EQ(ini.vGtVal(QStringLiteral("K"), QString()),
              QStringLiteral("a & b &#0; &#x110000; &nbsp; A"));
}

TEST_F(YIniTest, TemporariesOfAKilledWriteAreRemovedAndNothingElse) {
    const QStringList gone{QStringLiteral("User.xml.Ab12Cd"), QStringLiteral("User.xml.zzzzzz")};
    const QStringList kept{QStringLiteral("User.xml"),         QStringLiteral("User.xml.bak"),
                           QStringLiteral("User.xml.1.bak"),   QStringLiteral("User.xml.12.bak"),
                           QStringLiteral("Other.xml.Ab12Cd"), QStringLiteral("User.xml.Ab12Cde")};
    for (const QString &name : gone + kept)
        writeBytes(dir.filePath(name), "x");
    yIni::removeLeftovers(path());
    for (const QString &name : gone)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << qPrintable(name);
    for (const QString &name : kept)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << qPrintable(name);
}
