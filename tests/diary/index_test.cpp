#include "diary_fixture.h"

#include "diary/search_warm_up.h"

#include <QDate>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

namespace {

// Japanese, Latin, full-width and letters whose case folding is not plain ASCII.
const QString Alphabet =
    QStringLiteral("あいうかきく日本語雨晴鯨肉ーAaBbCcXxÄäßẞΩωＡａＢｂ１Kk 　");

QString randomWord(QRandomGenerator &random, int length) {
    QString word;
    for (int i = 0; i < length; ++i)
        word += Alphabet.at(random.bounded(int(Alphabet.size())));
    return word;
}

QString flipCase(QRandomGenerator &random, QString word) {
    for (QChar &c : word) {
        if (random.bounded(2))
            c = c.isUpper() ? c.toLower() : c.toUpper();
    }
    return word;
}

class DiaryIndexTest : public DiaryTest {
protected:
    // The rule itself: every entry whose folded text holds the folded word, newest first, 50.
    QStringList plainScan(const QString &word) const {
        QStringList found;
        const QString folded = word.toCaseFolded();
        for (auto it = m_folded.cbegin(); it != m_folded.cend(); ++it) {
            if (it.value().contains(folded))
                found.append(it.key());
        }
        std::sort(found.begin(), found.end(), std::greater<>());
        return found.mid(0, 50);
    }
    void put(const QString &key, const QString &text) {
        ASSERT_TRUE(save(key, text));
        m_texts[key] = text;
        m_folded[key] = text.toCaseFolded();
    }
    void expectSameAsScan(QRandomGenerator &random, int words) {
        const QStringList stored = m_texts.keys();
        int many = 0;
        for (int i = 0; i < words; ++i) {
            const int length = random.bounded(1, 9);
            QString word;
            if (i % 2 == 0) {
                // A piece of a stored text, so that most words are found somewhere.
                const QString &text = m_texts.value(stored.at(random.bounded(int(stored.size()))));
                word = flipCase(random, text.mid(random.bounded(int(text.size())), length));
            } else {
                word = randomWord(random, length);
            }
            const QStringList expected = plainScan(word);
            many += expected.size() == 50;
            ASSERT_EQ(keys(m_store.search(word)), expected) << word.toStdString();
        }
        EXPECT_GT(many, words / 20); // the limit is reached often enough to be tested
    }

    QMap<QString, QString> m_texts;
    QMap<QString, QString> m_folded;
};

TEST_F(DiaryIndexTest, IndexFindsExactlyWhatAPlainScanFinds) {
    QRandomGenerator random(23);
    const QDate first(1998, 1, 1);
    ASSERT_TRUE(m_store.database().beginTransaction());
    for (int i = 0; i < 500; ++i) {
        QStringList words;
        const int count = random.bounded(5, 120);
        for (int w = 0; w < count; ++w)
            words.append(randomWord(random, random.bounded(1, 9)));
        put(diary::entryKey(first.addDays(random.bounded(12000))), words.join(u' '));
    }
    // Keys that are not dates sort among the others as text.
    put(QStringLiteral("memo"), QStringLiteral("AaBb 日本語 ẞ"));
    put(QStringLiteral("０１"), QStringLiteral("ＡＢｂ１ かき"));
    put(QStringLiteral("0-memo"), randomWord(random, 3000));
    ASSERT_TRUE(m_store.database().commit());
    expectSameAsScan(random, 2000);

    // Rewritten and deleted entries, before and after the file is opened again.
    const QStringList stored = m_texts.keys();
    for (int i = 0; i < 60; ++i) {
        const QString key = stored.at(random.bounded(int(stored.size())));
        if (i % 3 == 0 && m_texts.contains(key)) {
            ASSERT_TRUE(m_store.remove(key));
            m_texts.remove(key);
            m_folded.remove(key);
        } else {
            put(key, randomWord(random, 40));
        }
    }
    expectSameAsScan(random, 600);
    m_store.close();
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    expectSameAsScan(random, 600);
}

TEST_F(DiaryIndexTest, WarmingUpInStepsChangesNoResult) {
    QRandomGenerator random(5);
    const QDate first(2001, 1, 1);
    ASSERT_TRUE(m_store.database().beginTransaction());
    for (int i = 0; i < 400; ++i) {
        QStringList words;
        for (int w = random.bounded(5, 80); w > 0; --w)
            words.append(randomWord(random, random.bounded(1, 6)));
        put(diary::entryKey(first.addDays(i * 3)), words.join(u' '));
    }
    put(QStringLiteral("memo"), QStringLiteral("鯨 Ab"));
    ASSERT_TRUE(m_store.database().commit());

    // Saves and deletes while the texts are half read: rows already read and rows still to be
    // read, a new key above them all and one below.
    const auto changeSome = [&] {
        const QStringList stored = m_texts.keys();
        for (int i = 0; i < 30; ++i) {
            const QString key = stored.at(random.bounded(int(stored.size())));
            if (i % 4 == 0 && m_texts.contains(key)) {
                ASSERT_TRUE(m_store.remove(key));
                m_texts.remove(key);
                m_folded.remove(key);
            } else {
                put(key, randomWord(random, 30));
            }
        }
        put(diary::entryKey(first.addDays(-1 - random.bounded(100))), randomWord(random, 30));
        put(diary::entryKey(first.addDays(2000 + random.bounded(100))), randomWord(random, 30));
    };

    for (const bool searchHalfway : {true, false}) {
        m_store.close();
        ASSERT_TRUE(m_store.open(userDir(), templateDir()));
        for (int step = 0; step < 3; ++step)
            ASSERT_TRUE(m_store.warmSearch(32)) << "read all at once";
        changeSome();
        if (searchHalfway) {
            expectSameAsScan(random, 300);
            EXPECT_FALSE(m_store.warmSearch(32)) << "the search left the texts half read";
            continue;
        }
        int steps = 3;
        while (m_store.warmSearch(32))
            ++steps;
        EXPECT_GE(steps, 400 / 32);
        changeSome();
        expectSameAsScan(random, 300);
    }
}

TEST_F(DiaryIndexTest, WarmUpRunsWhenIdleAndStopsOnCloseOrStop) {
    for (int i = 0; i < 300; ++i)
        put(diary::entryKey(QDate(2010, 1, 1).addDays(i)), QStringLiteral("雨の日 %1").arg(i));
    {
        diary::SearchWarmUp warmUp(m_store);
        QSignalSpy finished(&warmUp, &diary::SearchWarmUp::finished);
        warmUp.start(0);
        EXPECT_TRUE(warmUp.isRunning());
        ASSERT_TRUE(finished.wait(5000));
        EXPECT_FALSE(warmUp.isRunning());
        EXPECT_FALSE(m_store.warmSearch(1)) << "finished before the texts were read";
        EXPECT_EQ(m_store.search(QStringLiteral("雨")).size(), 50);
    }
    m_store.close();
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    {
        diary::SearchWarmUp warmUp(m_store);
        QSignalSpy finished(&warmUp, &diary::SearchWarmUp::finished);
        warmUp.start(0);
        QCoreApplication::processEvents();
        m_store.close();
        ASSERT_TRUE(finished.wait(1000)) << "still running on a closed diary";
        EXPECT_FALSE(warmUp.isRunning());
    }
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    diary::SearchWarmUp warmUp(m_store);
    QSignalSpy finished(&warmUp, &diary::SearchWarmUp::finished);
    warmUp.start(0);
    warmUp.stop();
    QTest::qWait(50);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(warmUp.isRunning());
    // 300 rows: two more turns' worth remain only when no turn ran.
    EXPECT_TRUE(m_store.warmSearch(diary::SearchWarmUp::RowsPerTurn));
    EXPECT_TRUE(m_store.warmSearch(diary::SearchWarmUp::RowsPerTurn)) << "a turn ran after stop";
}

TEST_F(DiaryIndexTest, EntriesWrittenByTheSqliteShellAreFound) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("First words")));
    ASSERT_TRUE(save(QStringLiteral("240103"), QStringLiteral("Gone soon")));
    m_store.close();
    // The shell knows no function of ours: every trigger of the file must run without one.
    QProcess shell;
    shell.start(
        QStringLiteral("sqlite3"),
        {dbFile(), QStringLiteral("INSERT INTO ms日誌 (sk日付, sz文書, st文書, ob文書, dy更新) "
                                  "VALUES ('240102', '外', 'Shell INSERTED くじら', x'00', "
                                  "'2001-01-01 00:00:00');"
                                  "UPDATE ms日誌 SET st文書 = 'Shell updated 鯨肉' "
                                  "WHERE sk日付 = '240101';"
                                  "DELETE FROM ms日誌 WHERE sk日付 = '240103';")});
    ASSERT_TRUE(shell.waitForFinished(10000));
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();

    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_EQ(keys(m_store.search(QStringLiteral("inserted くじ"))),
              QStringList{QStringLiteral("240102")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("鯨肉"))), QStringList{QStringLiteral("240101")});
    EXPECT_EQ(keys(m_store.search(QStringLiteral("SHELL"))),
              (QStringList{QStringLiteral("240102"), QStringLiteral("240101")}));
    EXPECT_TRUE(m_store.search(QStringLiteral("first")).isEmpty());
    EXPECT_TRUE(m_store.search(QStringLiteral("gone")).isEmpty());
    // The program's own save after that keeps it in step.
    ASSERT_TRUE(save(QStringLiteral("240102"), QStringLiteral("mine again")));
    EXPECT_TRUE(m_store.search(QStringLiteral("くじら")).isEmpty());
    EXPECT_EQ(m_store.search(QStringLiteral("MINE")).size(), 1);
}

} // namespace
