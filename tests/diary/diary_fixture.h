#pragma once

#include "diary/store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A diary in a fresh temporary user folder, opened from the built template.
class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    }
    QString userDir() const { return m_dir.path(); }
    static QString templateDir() { return QStringLiteral(DRJVO_TEMPLATE_DIR); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString dbFile() const { return file(QStringLiteral("dbJvo.mdb")); }
    QString workFile() const { return file(QStringLiteral("dbJvo$$$.mdb")); }
    static QByteArray contents(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    bool save(const QString &key, const QString &text = QStringLiteral("text")) {
        return m_store.saveEntry(key, text, key.toUtf8());
    }
    qlonglong rowCount() {
        QVariantList n{0};
        EXPECT_TRUE(m_store.readRow(QStringLiteral("SELECT count(*) FROM ms日誌"), {}, n));
        return n.at(0).toLongLong();
    }
    static QStringList keys(const QList<diary::DiaryRow> &rows) {
        QStringList k;
        for (const auto &r : rows)
            k.append(r.key);
        return k;
    }

    QTemporaryDir m_dir;
    diary::Store m_store;
};
