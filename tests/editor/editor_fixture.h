#pragma once

#include "editor/entry_points.h"
#include "editor/interface.h"
#include "editor/menus/format_dialogs.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace editortest {

// Format dialogs that confirm or cancel as told and record what they were shown.
class ScriptedFormatDialogs final : public editor::FormatDialogs {
public:
    bool confirm = true;
    int fontCalls = 0;
    editor::FontValues font;
    editor::ParagraphValues paragraph;
    bool setFont = false;
    bool setParagraph = false;

    bool editFont(QWidget *, editor::FontValues &values) override {
        ++fontCalls;
        if (setFont && confirm)
            values = font;
        return confirm;
    }
    bool editParagraph(QWidget *, editor::ParagraphValues &values) override {
        if (setParagraph && confirm)
            values = paragraph;
        return confirm;
    }
    bool editList(QWidget *, editor::ListValues &values) override {
        values.state = 2;
        return confirm;
    }
    bool editTable(QWidget *, editor::TableValues &values) override {
        values.cellBackground = 0x0000ff;
        return confirm;
    }
};

// An editor switched on as the main window switches it on, with a fresh settings store and
// scripted dialogs.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::releaseStore();
        editor = std::make_unique<editor::uTxm>();
        auto scripted = std::make_unique<ScriptedFormatDialogs>();
        formatDialogs = scripted.get();
        editor->setFormatDialogs(std::move(scripted));
        editor->cOn(0, 0);
    }
    void TearDown() override {
        editor.reset();
        settings::releaseStore();
    }

    platform::TextSurface &surface() { return editor->surface(); }

    // Text typed by the user: the editor is not busy, so it counts as an edit.
    void type(const QString &text) { surface().setSelText(text); }

    testsupport::ScriptedDialogsGuard dialogs;
    std::unique_ptr<editor::uTxm> editor;
    ScriptedFormatDialogs *formatDialogs = nullptr;
};

} // namespace editortest
