#pragma once

#include "diary/connection.h"
#include "scripted_dialogs.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

// The process's diary connection opened on a fresh diary in a temporary user folder.
class SearchDiaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(diary::DbOpen(m_dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)));
    }
    void TearDown() override { diary::DbClose(); }

    static bool put(const QString &key, const QString &summary, const QString &text) {
        return diary::connection().save(key, summary, text, key.toUtf8());
    }
    // count consecutive days ending at last, each with the word "memo" in its text.
    static void putDays(const QDate &last, int count) {
        for (int i = 0; i < count; ++i) {
            const QDate day = last.addDays(-i);
            ASSERT_TRUE(put(diary::entryKey(day), QStringLiteral("day %1").arg(i),
                            QStringLiteral("memo of %1").arg(day.toString(Qt::ISODate))));
        }
    }
    // The keys of the listing's headings, in listing order.
    static QStringList headingKeys(const QTextDocument &doc) {
        QStringList keys;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            if (b.text().startsWith(QStringLiteral("■")))
                keys.append(b.text().mid(1, 8).remove(QChar(u'/')));
        }
        return keys;
    }

    testsupport::ScriptedDialogsGuard dialogs;
    QTemporaryDir m_dir;
};
