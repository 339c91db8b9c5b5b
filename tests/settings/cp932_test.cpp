#include "settings/cp932.h"

#include <gtest/gtest.h>

using namespace settings;

TEST(Cp932, RoundTripsHalfWidthKatakanaAndMarkers) {
    const QString text = QStringLiteral("ﾌｧﾝｸｼｮﾝ‡～運用ｱ");
    const QByteArray bytes = encodeCp932(text);
    EXPECT_EQ(bytes.toHex(' '), QByteArray("cc a7 dd b8 bc ae dd 81 f6 81 60 89 5e 97 70 b1"));
    bool ok = false;
    EXPECT_EQ(decodeCp932(bytes, &ok), text);
    EXPECT_TRUE(ok);
}

TEST(Cp932, MapsInputMethodLookAlikesToWindowsCodes) {
    // 〜 − ‖ ¢ — £ ¬ as typed on Linux must land on the Windows codes, not on "?".
    const QString typed = QString::fromUtf16(u"\u301C\u2212\u2016\u00A2\u2014\u00A3\u00AC");
    EXPECT_EQ(encodeCp932(typed).toHex(' '),
              QByteArray("81 60 81 7c 81 61 81 91 81 5c 81 92 81 ca"));
    EXPECT_TRUE(survivesCp932(typed));
    EXPECT_EQ(decodeCp932(encodeCp932(typed)),
              QString::fromUtf16(u"\uFF5E\uFF0D\u2225\uFFE0\u2015\uFFE1\uFFE2"));
}

TEST(Cp932, UnencodableCharactersBecomeQuestionMarks) {
    const QString text = QStringLiteral("a€b😀c");
    EXPECT_EQ(encodeCp932(text), QByteArray("a?b?c"));
    EXPECT_FALSE(survivesCp932(text));
    EXPECT_TRUE(survivesCp932(QStringLiteral("日記ﾃﾞｰﾀｰ")));
}

TEST(Cp932, InvalidBytesAreReported) {
    bool ok = true;
    decodeCp932(QByteArray("\x82\xa0\xff", 3), &ok);
    EXPECT_FALSE(ok);
    decodeCp932(QByteArray("a\x82", 2), &ok); // cut inside a character
    EXPECT_FALSE(ok);
    decodeCp932(QByteArray("\x82\xa0", 2), &ok);
    EXPECT_TRUE(ok);
}
