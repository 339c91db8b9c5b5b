#include "diary_fixture.h"

#include <QRandomGenerator>

TEST_F(DiaryTest, SearchIgnoresLetterCaseAcrossUnicode) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("全角のａｂｃ商事と会う")));
    ASSERT_TRUE(save(QStringLiteral("240102"), QStringLiteral("Grüße aus Ärgerlich")));
    ASSERT_TRUE(save(QStringLiteral("240103"), QStringLiteral("plain ABC and Ωmega")));
    ASSERT_TRUE(m_store.save(QStringLiteral("240104"), QStringLiteral("ABC only in summary"),
                             QStringLiteral("nothing"), {}));
    EXPECT_EQ(keys(m_store.search(QStringLiteral("ＡＢＣ"))),
              QStringList{QStringLiteral("240101")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("äRGER"))), QStringList{QStringLiteral("240102")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("abc"))), QStringList{QStringLiteral("240103")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("ωMEGA"))), QStringList{QStringLiteral("240103")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("商事"))), QStringList{QStringLiteral("240101")});
    const auto rows = m_store.search(QStringLiteral("grü"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().text, QStringLiteral("Grüße aus Ärgerlich"));
    EXPECT_TRUE(m_store.search(QString()).isEmpty());
}

TEST_F(DiaryTest, SearchWordsAreLiteral) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("it's fine")));
    ASSERT_TRUE(save(QStringLiteral("240102"), QStringLiteral("its fine, ab and axb")));
    ASSERT_TRUE(save(QStringLiteral("240103"), QStringLiteral("a?b")));
    ASSERT_TRUE(save(QStringLiteral("240104"), QStringLiteral("100% [x] #1 *star* a_b")));
    const auto only = [&](const char *word) {
        return keys(m_store.search(QString::fromUtf8(word)));
    };
    EXPECT_EQ(only("it's"), QStringList{QStringLiteral("240101")});
    EXPECT_EQ(only("a?b"), QStringList{QStringLiteral("240103")});
    EXPECT_EQ(only("%"), QStringList{QStringLiteral("240104")});
    EXPECT_EQ(only("a_b"), QStringList{QStringLiteral("240104")});
    EXPECT_EQ(only("[x]"), QStringList{QStringLiteral("240104")});
    EXPECT_EQ(only("#1"), QStringList{QStringLiteral("240104")});
    EXPECT_EQ(only("*star*"), QStringList{QStringLiteral("240104")});
    EXPECT_EQ(only("a*b"), QStringList());
    EXPECT_EQ(only("fine"), (QStringList{QStringLiteral("240102"), QStringLiteral("240101")}));
}

TEST_F(DiaryTest, SearchNeverFailsOnAnyInput) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringView(u"nul\0inside", 10).toString()));
    EXPECT_EQ(m_store.search(QStringView(u"\0in", 3).toString()).size(), 1);
    QRandomGenerator random(11);
    for (int i = 0; i < 300; ++i) {
        QString word;
        const int length = random.bounded(1, 12);
        for (int c = 0; c < length; ++c)
            word += QChar(char16_t(random.bounded(1, 0xFFFF)));
        m_store.search(word);
        EXPECT_TRUE(m_store.lastError().isEmpty()) << m_store.lastError().toStdString();
    }
    for (const char *word : {"'", "''", "\"", "'; DROP TABLE ms日誌; --", "?", "??", "\\", ")",
                             "%_", "NEAR", "AND OR NOT"})
        m_store.search(QString::fromUtf8(word));
    EXPECT_TRUE(m_store.lastError().isEmpty());
    EXPECT_EQ(m_store.search(QString(4000, u'x')).size(), 0);
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(DiaryTest, SearchFollowsEverySaveAndDelete) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("old words")));
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("new words")));
    EXPECT_TRUE(m_store.search(QStringLiteral("old")).isEmpty());
    EXPECT_EQ(m_store.search(QStringLiteral("new")).size(), 1);
    // A delete issued as a plain statement keeps the search in step too.
    ASSERT_EQ(m_store.exec(QStringLiteral("DELETE FROM ms日誌 WHERE sk日付 = ?"),
                           {QStringLiteral("240101")}),
              1);
    EXPECT_TRUE(m_store.search(QStringLiteral("new")).isEmpty());

    // A diary whose search copy is missing gets it back, complete, when opened.
    for (int i = 1; i <= 60; ++i)
        ASSERT_TRUE(save(QStringLiteral("2402%1").arg(i % 28 + 1, 2, 10, QChar(u'0')),
                         QStringLiteral("Entry %1 word").arg(i)));
    ASSERT_TRUE(m_store.database().execScript(QStringLiteral("DROP TABLE ms日誌検索")));
    m_store.close();
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_EQ(m_store.search(QStringLiteral("WORD")).size(), 28);
    EXPECT_EQ(m_store.search(QStringLiteral("entry 60 ")).size(), 1);
}
