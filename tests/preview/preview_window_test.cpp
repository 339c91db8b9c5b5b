#include "platform/view/text_view.h"
#include "preview/page_source.h"
#include "preview/sbtvw.h"
#include "preview_samples.h"
#include "test_images.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using preview::sbTvw;

namespace {

QStringList captions(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

int nonWhitePixels(const QImage &image, const QRect &area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 128)
                ++count;
    return count;
}

class PreviewWindowTest : public ::testing::Test {
protected:
    void open(int pages, const QString &background = {}) {
        surface = previewtest::entry(pages);
        view.setSurface(surface.get());
        view.resize(800, 600);
        source = std::make_unique<preview::SurfacePages>(*surface, &view);
        window.prepare(*source, background, QString(), QStringLiteral("日記"), nullptr);
    }
    void TearDown() override { window.finish(); }

    previewtest::UserFolder folder;
    std::unique_ptr<platform::TextSurface> surface;
    platform::TextView view;
    std::unique_ptr<preview::SurfacePages> source;
    sbTvw window;
};

} // namespace

TEST_F(PreviewWindowTest, CaptionAndMenusAreTheDesignedOnes) {
    open(1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ﾍﾟｰｼﾞﾋﾞｭｰ"));
    const QList<QAction *> top = window.menus()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QStringLiteral("操作(&F)"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("ﾍﾟ-ｼﾞ(&P)"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("ｽﾞｰﾑ(&Z)"));
    EXPECT_EQ(captions(top[0]->menu()),
              QStringList({QStringLiteral("印刷"), "-", QStringLiteral("閉じる(&X)")}));
    EXPECT_EQ(captions(top[1]->menu()),
              QStringList({QStringLiteral("最初(&F)"), QStringLiteral("前(&P)"),
                           QStringLiteral("次(&N)"), QStringLiteral("最後(&L)")}));
    EXPECT_EQ(captions(top[2]->menu()), QStringList({"50%", "75%", "100%", "150%", "200%", "300%",
                                                     "-", QStringLiteral("ﾍﾟｰｼﾞ全体")}));
}

TEST_F(PreviewWindowTest, OnePageDisablesPreviousNextAndLast) {
    open(1);
    const QList<QAction *> &pages = window.pageActions();
    EXPECT_TRUE(pages[0]->isEnabled());
    EXPECT_FALSE(pages[1]->isEnabled());
    EXPECT_FALSE(pages[2]->isEnabled());
    EXPECT_FALSE(pages[3]->isEnabled());
}

TEST_F(PreviewWindowTest, PageMenuMovesAndFollowsTheEnablingRules) {
    open(3);
    const QList<QAction *> &pages = window.pageActions();
    EXPECT_EQ(window.model().pages().count(), 3);
    EXPECT_FALSE(pages[1]->isEnabled());
    EXPECT_TRUE(pages[2]->isEnabled());
    pages[2]->trigger();
    EXPECT_EQ(window.model().pages().page(), 2);
    EXPECT_TRUE(pages[1]->isEnabled());
    pages[3]->trigger();
    EXPECT_EQ(window.model().pages().page(), 3);
    EXPECT_FALSE(pages[2]->isEnabled());
    EXPECT_FALSE(pages[3]->isEnabled());
    pages[0]->trigger();
    EXPECT_EQ(window.model().pages().page(), 1);
}

TEST_F(PreviewWindowTest, ZoomEntriesAndWholePage) {
    open(2);
    const int fit = window.model().fitZoom();
    const QRect fitBox = window.model().fitBox();
    EXPECT_EQ(window.model().zoom(), fit);
    window.zoomActions()[3]->trigger(); // 150 %
    EXPECT_EQ(window.model().zoom(), 150);
    EXPECT_NEAR(window.model().box().box.width(), fitBox.width() * 150.0 / fit, 1);
    EXPECT_GE(window.canvas()->width(),
              int(window.model().box().box.width() / window.twipsPerPixel()));
    window.zoomActions()[6]->trigger(); // ﾍﾟｰｼﾞ全体
    EXPECT_EQ(window.model().zoom(), fit);
    EXPECT_EQ(window.model().box().box, fitBox);
}

TEST_F(PreviewWindowTest, PageViewForThePreviewAndNormalViewAfterIt) {
    ASSERT_EQ(view.viewMode(), platform::TextView::NormalView);
    open(2);
    EXPECT_TRUE(window.model().displayModeChanged());
    EXPECT_EQ(view.viewMode(), platform::TextView::PageView);
    window.finish();
    EXPECT_EQ(view.viewMode(), platform::TextView::NormalView);

    view.setViewMode(platform::TextView::PageView);
    window.prepare(*source, QString(), QString(), QString(), nullptr);
    EXPECT_FALSE(window.model().displayModeChanged());
    window.finish();
    EXPECT_EQ(view.viewMode(), platform::TextView::PageView);
}

TEST_F(PreviewWindowTest, ThePageIsDrawnWithTextInsideTheBox) {
    open(2);
    window.show();
    const QImage image = window.canvas()->grab().toImage();
    const preview::PageBox box = window.model().box();
    const double t = window.twipsPerPixel();
    const QRect page(qRound(box.box.x() / t), qRound(box.box.y() / t), qRound(box.box.width() / t),
                     qRound(box.box.height() / t));
    EXPECT_EQ(image.pixelColor(page.center().x(), page.bottom() - 3), QColor(Qt::white));
    EXPECT_GT(nonWhitePixels(image, page.adjusted(2, 2, -2, -page.height() / 2)), 50);
    window.hide();
}

TEST_F(PreviewWindowTest, BackgroundPictureIsShownUnderThePage) {
    const QString file = folder.path("back.png");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(testsupport::pngBytes(40, 60, QColor(200, 230, 255)));
    out.close();
    open(1, file);
    EXPECT_TRUE(window.model().backgroundShown());
    const QImage image = window.canvas()->grab().toImage();
    const QPoint corner(qRound(window.model().box().box.right() / window.twipsPerPixel()) - 4,
                        qRound(window.model().box().box.bottom() / window.twipsPerPixel()) - 4);
    EXPECT_EQ(image.pixelColor(corner), QColor(200, 230, 255));

    window.finish();
    window.prepare(*source, folder.path("none.png"), QString(), QString(), nullptr);
    EXPECT_FALSE(window.model().backgroundShown());
}

TEST_F(PreviewWindowTest, WindowSitsOverItsOwnerAtThirteenFifteenths) {
    surface = previewtest::entry(1);
    source = std::make_unique<preview::SurfacePages>(*surface);
    QWidget owner;
    owner.setGeometry(150, 75, 1500, 900);
    window.prepare(*source, QString(), QString(), QString(), &owner);
    EXPECT_EQ(window.geometry(), QRect(250, 135, 1300, 780));
}
