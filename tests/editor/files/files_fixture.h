#pragma once

#include "editor_fixture.h"
#include "recording_shell.h"
#include "settings/app_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace editortest {

// An editor with scripted dialogs, a recording shell and user and work folders of its own.
class FilesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        m_saved = settings::appValues();
        settings::appValues().userDir = root.path() + u'/';
        settings::appValues().wrkDir = root.filePath(QStringLiteral("Wrk")) + u'/';
        QDir().mkpath(settings::appValues().wrkDir);
        shell->folders.insert(5, root.path() + u'/');
    }
    void TearDown() override {
        settings::appValues() = m_saved;
        EditorTest::TearDown();
    }

    QString file(const QString &name) const { return root.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) {
        const QString path = file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return path;
    }

    static QByteArray read(const QString &path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    void answerFile(const QString &path) {
        platform::FileAnswer answer;
        answer.accepted = true;
        answer.path = path;
        dialogs->files.enqueue(answer);
    }

    QTemporaryDir root;
    testsupport::RecordingShellGuard shell;

private:
    settings::AppValues m_saved;
};

} // namespace editortest
