#include "editor/interface.h"
#include "editor_dialog/display.h"
#include "editor_dialog/editor_entry.h"
#include "editor_dialog/sbtxm.h"
#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using editor_dialog::DisplayChoice;
using editor_dialog::sbTxm;

namespace {

template <typename T> T *child(QWidget &parent, const QString &name) {
    T *widget = parent.findChild<T *>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

} // namespace

TEST(DisplayValues, PresetsAnswerAndFittingArithmetic) {
    using editor_dialog::readDisplayAnswer;
    EXPECT_EQ(readDisplayAnswer(QStringLiteral("2\t75")), (DisplayChoice{true, 3, 75}));
    EXPECT_EQ(readDisplayAnswer(QStringLiteral("0\t90")), (DisplayChoice{false, 7, 90}));
    EXPECT_EQ(readDisplayAnswer(QString()), (DisplayChoice{false, 2, 100}));
    EXPECT_EQ(readDisplayAnswer(QStringLiteral("0\t9000")).zoom, 400);

    const QSizeF view(600, 400);
    const QSizeF page(800, 1000);
    auto zoom = [&](int option, double given = 100) {
        return editor_dialog::chosenZoom(DisplayChoice{true, option, given}, view, page);
    };
    EXPECT_EQ(zoom(0), 150);
    EXPECT_EQ(zoom(1), 125);
    EXPECT_EQ(zoom(3), 75);
    EXPECT_EQ(zoom(4), 50);
    EXPECT_EQ(zoom(5), 39);    // whole page: 97 × min(600/800, 400/1000) = 38.8
    EXPECT_EQ(zoom(6), 73);    // page width: 97 × 600/800 = 72.75
    EXPECT_EQ(zoom(7, 5), 10); // held to 10-400
    EXPECT_EQ(zoom(7, 900), 400);
    EXPECT_EQ(zoom(7, 88.5), 89);
    // A narrow area gives a page-width zoom below 10: raised to 10.
    EXPECT_EQ(editor_dialog::chosenZoom(DisplayChoice{true, 6, 100}, QSizeF(50, 400), page), 10);
    // Nothing to fit into: the given zoom stays.
    EXPECT_EQ(editor_dialog::chosenZoom(DisplayChoice{true, 5, 120}, view, QSizeF()), 120);
}

TEST(DisplayPage, AnswerInAndOutAndCancel) {
    settings::releaseStore();
    platform::TextSurface surface;
    sbTxm dialog;
    dialog.cOn(surface, nullptr);
    sbTxm::setModalRunner([](sbTxm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("表示設定"));
        EXPECT_TRUE(child<QRadioButton>(d, QStringLiteral("opDP1"))->isChecked());
        EXPECT_TRUE(child<QRadioButton>(d, QStringLiteral("opZoom3"))->isChecked());
        EXPECT_FALSE(child<QLineEdit>(d, QStringLiteral("txZoom"))->isEnabled());
        child<QRadioButton>(d, QStringLiteral("opDP0"))->setChecked(true);
        child<QRadioButton>(d, QStringLiteral("opZoom7"))->setChecked(true);
        EXPECT_TRUE(child<QLineEdit>(d, QStringLiteral("txZoom"))->isEnabled());
        child<QLineEdit>(d, QStringLiteral("txZoom"))->setText(QStringLiteral("87,6%"));
        d.cmOk(0);
    });
    QString answer = QStringLiteral("2\t75");
    dialog.Act(QStringLiteral("DP"), answer);
    EXPECT_EQ(answer, QStringLiteral("0\t88"));

    sbTxm::setModalRunner([](sbTxm &d) {
        EXPECT_TRUE(child<QRadioButton>(d, QStringLiteral("opZoom7"))->isChecked());
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txZoom"))->text(), QStringLiteral("88"));
        child<QRadioButton>(d, QStringLiteral("opZoom0"))->setChecked(true);
        d.cmOk(1);
    });
    dialog.Act(QStringLiteral("DP"), answer);
    EXPECT_EQ(answer, QStringLiteral("0\t88")); // cancel gives back what came in
    sbTxm::setModalRunner(nullptr);
}

// Command 26 through the dialog: the editor takes the page's answer, keeps it in "TX_DISP" and
// shows every page in page view.
TEST(DisplayPage, EditorCommandShowsPagesAndFitsTheWidth) {
    settings::releaseStore();
    editor::setEntryPointsFactory(&editor_dialog::makeEditorEntryPoints);
    {
        editor::uTxm editor;
        editor.cOn(0, 0);
        editor.resize(600, 700);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        sbTxm::setModalRunner([](sbTxm &d) {
            EXPECT_TRUE(child<QRadioButton>(d, QStringLiteral("opDP0"))->isChecked())
                << "prepared from normal view";
            EXPECT_TRUE(child<QRadioButton>(d, QStringLiteral("opZoom2"))->isChecked())
                << "prepared from 100 %";
            child<QRadioButton>(d, QStringLiteral("opDP1"))->setChecked(true);
            child<QRadioButton>(d, QStringLiteral("opZoom4"))->setChecked(true);
            d.cmOk(0);
        });
        editor.rtAct(26);
        platform::TextView *view = editor.view();
        EXPECT_EQ(view->viewMode(), platform::TextView::PageView);
        EXPECT_EQ(view->zoom(), 50);
        settings::store().GetGtx(QStringLiteral("TX_DISP"));
        EXPECT_EQ(settings::store().vGtVal(QStringLiteral("MODE"), 0), 2);
        EXPECT_EQ(settings::store().vGtVal(QStringLiteral("ZOOM"), 0), 50);

        platform::TextSurface &s = editor.surface();
        s.setSelText(QStringLiteral("一枚目"));
        editor.rtAct(54);
        s.setSelText(QStringLiteral("二枚目"));
        editor.rtAct(54);
        s.setSelText(QStringLiteral("三枚目"));
        EXPECT_EQ(view->pageCount(), 3);
        EXPECT_EQ(view->currentPage(), 3);

        // "巾合せ" fits the paper's width into the editing area.
        sbTxm::setModalRunner([](sbTxm &d) {
            child<QRadioButton>(d, QStringLiteral("opZoom6"))->setChecked(true);
            d.cmOk(0);
        });
        const double paper = platform::PageRenderer::fromTwips(s.page().width);
        const int expected = int(std::lround(97.0 * view->viewport()->width() / paper));
        editor.rtAct(26);
        EXPECT_EQ(view->zoom(), qBound(10, expected, 400));
        EXPECT_LT(view->zoom(), 100);

        // Cancel leaves view and zoom as they were.
        sbTxm::setModalRunner([](sbTxm &d) {
            child<QRadioButton>(d, QStringLiteral("opDP0"))->setChecked(true);
            d.cmOk(1);
        });
        editor.rtAct(26);
        EXPECT_EQ(view->viewMode(), platform::TextView::PageView);
        EXPECT_EQ(view->zoom(), qBound(10, expected, 400));
        sbTxm::setModalRunner(nullptr);
    }
    editor::setEntryPointsFactory(nullptr);
    settings::releaseStore();
}
