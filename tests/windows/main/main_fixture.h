#pragma once

#include "diary/connection.h"
#include "editor/interface.h"
#include "keybar/ufky.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"
#include "settings/yini.h"
#include "windows/main/fm_txt.h"
#include "windows/main/listing.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace mainwintest {

// Records the calls the main window makes on the search and recent-list window.
class RecordingListing final : public mainwin::ListingWindow {
public:
    QStringList calls;
    void ActDate(const QString &sCp, const QString &sDt) override {
        calls << QStringLiteral("date:") + sCp + QLatin1Char(':') + sDt;
    }
    void ActWd(const QString &sWd) override { calls << QStringLiteral("word:") + sWd; }
};

// A main window over a real diary in a temporary user folder, with the one settings store read
// from (and, at shutdown, written to) that folder's "User.xml".
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::releaseStore();
        ASSERT_TRUE(dir.isValid());
        userDir = dir.path() + QStringLiteral("/user/");
        ASSERT_TRUE(QDir().mkpath(userDir));
        tplDir = QStringLiteral(DRJVO_TEMPLATE_DIR "/");
        settings::appValues().userDir = userDir;
        settings::appValues().tplDir = tplDir;
        settings::appValues().wrkDir = userDir + QStringLiteral("Wrk/");
        QDir().mkpath(settings::appValues().wrkDir);
        bool ok = false;
        ini().GetTxt(userDir + QStringLiteral("User.xml"), ok);
    }
    void TearDown() override {
        window.reset();
        diary::DbClose();
        settings::releaseStore();
    }

    settings::yIni &ini() { return settings::store(); }

    mainwin::fmTxt &open() {
        window = std::make_unique<mainwin::fmTxt>(ini());
        window->setListingWindow(&listing);
        // As the application does: an agreed close writes the settings file.
        QObject::connect(window.get(), &mainwin::fmTxt::shutdownRequested, [this] {
            bool ok = false;
            ini().SetTxt(ok);
        });
        EXPECT_TRUE(window->LoadStep(userDir, tplDir));
        return *window;
    }

    editor::uTxm &editor() { return *window->editorControl(); }
    // Text typed by the user, with the events typing lets run.
    void type(const QString &text) {
        editor().surface().setSelText(text);
        QCoreApplication::processEvents();
    }
    QString editorText() { return editor().surface().text(); }

    // Picks a date, types its entry and stores it with F9.
    void writeEntry(const QDate &date, const QString &text) {
        window->pickDate(date);
        type(text);
        window->fnMenu(mainwin::OperationMenu, 5);
    }

    QTemporaryDir dir;
    QString userDir;
    QString tplDir;
    testsupport::ScriptedDialogsGuard dialogs;
    RecordingListing listing;
    std::unique_ptr<mainwin::fmTxt> window;
};

} // namespace mainwintest
