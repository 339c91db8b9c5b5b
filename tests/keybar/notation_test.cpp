#include "keybar/key_map.h"
#include "keybar/menu_code.h"
#include "keybar/notation.h"

#include <gtest/gtest.h>

using namespace keybar;

TEST(MenuCode, EncodesDigitsThenLetters) {
    EXPECT_EQ(encodeMenuCode(10, 11), QStringLiteral("AB"));
    EXPECT_EQ(encodeMenuCode(2, 5), QStringLiteral("25"));
    EXPECT_EQ(encodeMenuCode(16, 0), QStringLiteral("G0"));
    EXPECT_EQ(encodeMenuCode(9, 10), QStringLiteral("9A"));
}

TEST(MenuCode, DecodesBothHalves) {
    EXPECT_EQ(decodeMenuCode(QStringLiteral("G0")), (MenuRef{16, 0}));
    EXPECT_EQ(decodeMenuCode(QStringLiteral("2C")), (MenuRef{2, 12}));
    EXPECT_EQ(decodeMenuCode(QStringLiteral("A3")), (MenuRef{10, 3}));
    EXPECT_EQ(decodeMenuCode(QStringLiteral("F0")), (MenuRef{15, 0}));
    EXPECT_EQ(decodeMenuCode(QStringLiteral("9")), (MenuRef{0, 0}));
}

TEST(MenuCode, RoundTripsEveryMenuAndEntry) {
    for (int menu = 1; menu <= 16; ++menu) {
        for (int index = 0; index <= 20; ++index) {
            const QString code = encodeMenuCode(menu, index);
            ASSERT_EQ(code.size(), 2);
            EXPECT_EQ(decodeMenuCode(code), (MenuRef{menu, index})) << code.toStdString();
        }
    }
}

TEST(KeyMap, ComparesKeyNamesInFull) {
    const QString map = QStringLiteral("F10=20,F1=21,");
    EXPECT_EQ(codeForKey(map, QStringLiteral("F1")), QStringLiteral("21"));
    EXPECT_EQ(codeForKey(map, QStringLiteral("F10")), QStringLiteral("20"));
    EXPECT_EQ(keyForCode(map, QStringLiteral("20")), QStringLiteral("F10"));
    EXPECT_EQ(keyForCode(map, QStringLiteral("2")), QString());
    EXPECT_EQ(withBinding(map, QStringLiteral("F1"), QStringLiteral("A0")),
              QStringLiteral("F10=20,F1=A0,"));
    EXPECT_EQ(keysOfParent(QStringLiteral("110=F2,/10=F10,F9,/"), QStringLiteral("10")),
              QStringLiteral("F10,F9,"));
}

TEST(NotationTable, HoldsTheWindowsInTableOrder) {
    const QStringList ids = notationIds();
    ASSERT_EQ(ids.size(), 49);
    EXPECT_EQ(ids.first(), QStringLiteral("Bt01"));
    EXPECT_EQ(ids.at(23), QStringLiteral("Fs10"));
    EXPECT_EQ(ids.at(42), QStringLiteral("sbDpm"));
    EXPECT_EQ(ids.last(), QStringLiteral("sbTvw"));
    QStringList unique = ids;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

TEST(NotationTable, LooksUpByExactName) {
    EXPECT_EQ(notation(QStringLiteral("sbTvw")), QStringLiteral("10(20,21,22),11(A0,A1,A2,A3),12"));
    EXPECT_EQ(notation(QStringLiteral("Bt01")),
              QStringLiteral("00,10(20,21,22,23),12(70,71,72),80"));
    EXPECT_TRUE(notation(QStringLiteral("SBTVW")).isEmpty());
    EXPECT_TRUE(notation(QStringLiteral("sbTvw ")).isEmpty());
    EXPECT_TRUE(notation(QStringLiteral("fmTxt")).isEmpty());
    EXPECT_TRUE(notation(QStringLiteral("Dn02")).isEmpty());
}

TEST(ParentMap, CollectsTheKeysBoundBelowEachParent) {
    EXPECT_EQ(buildParentMap(QStringLiteral("10(20,21,22)"), QStringLiteral("F9=25,F10=20,")),
              QStringLiteral("10=F10,/"));
    EXPECT_EQ(buildParentMap(notation(QStringLiteral("Bt01")),
                             QStringLiteral("F1=20,F2=71,F3=80,F4=23,")),
              QStringLiteral("10=F1,F4,/12=F2,/"));
    EXPECT_TRUE(buildParentMap(QString(), QStringLiteral("F1=20,")).isEmpty());
    EXPECT_TRUE(buildParentMap(QStringLiteral("10(20)"), QString()).isEmpty());
}

TEST(ParentMap, NestedListJoinsItsParentAndIsAParentItself) {
    // "36" of mnEdit sits under "12" and holds entries of mnEdtDr.
    const QString map = buildParentMap(notation(QStringLiteral("Dn01")),
                                       QStringLiteral("F1=40,F2=31,F3=60,F4=3A,F5=F0,"));
    EXPECT_EQ(map, QStringLiteral("12=F2,F1,F4,/36=F1,/14=F3,/82=F5,/"));
}

TEST(ParentMap, UnbalancedGroupRunsToTheEndOfTheText) {
    // In "Fs10" the group of "11" is never closed, so it swallows everything after it; the
    // nested parents are still processed each in turn.
    const QString map = buildParentMap(notation(QStringLiteral("Fs10")),
                                       QStringLiteral("F1=50,F2=90,F3=7B,F4=83,F5=01,F6=60,"));
    EXPECT_EQ(map, QStringLiteral("11=F1,F2,F6,F5,F3,F4,/56=F2,/12=F6,/81=F5,F3,/70=F5,/"));
}

TEST(ParentMap, MalformedNotationEndsWithoutFailing) {
    const QString keys = QStringLiteral("F1=20,F2=21,");
    EXPECT_EQ(buildParentMap(QStringLiteral("10(20"), keys), QStringLiteral("10=F1,/"));
    EXPECT_TRUE(buildParentMap(QStringLiteral("(20)"), keys).isEmpty());
    EXPECT_TRUE(buildParentMap(QStringLiteral("(((("), keys).isEmpty());
    EXPECT_TRUE(buildParentMap(QStringLiteral(")(,)("), keys).isEmpty());
    EXPECT_EQ(buildParentMap(QStringLiteral("10((20),21))"), keys), QStringLiteral("10=F1,F2,/"));
}
