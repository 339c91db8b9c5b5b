#include "preview/preview_geometry.h"

#include <gtest/gtest.h>

using namespace preview;

namespace {
const QSize A4(11906, 16838);
}

TEST(FitGeometry, TallPageFillsNineTenthsOfTheHeightCentred) {
    const QSize inner(15000, 9000);
    const FitResult fit = fitPage(inner, A4);
    EXPECT_NEAR(fit.box.height(), 8100, 1);
    EXPECT_NEAR(double(fit.box.width()) / fit.box.height(), 11906.0 / 16838.0, 0.001);
    EXPECT_NEAR(2 * fit.box.left() + fit.box.width(), inner.width(), 1);
    EXPECT_NEAR(2 * fit.box.top() + fit.box.height(), inner.height(), 1);
    EXPECT_EQ(fit.fitZoom, 48); // 8100 / 16838
}

TEST(FitGeometry, WidePageIsLimitedByTheWidth) {
    const FitResult fit = fitPage(QSize(6000, 20000), QSize(16838, 11906));
    EXPECT_NEAR(fit.box.width(), 5400, 1);
    EXPECT_EQ(fit.box.left(), 300);
    EXPECT_EQ(fit.fitZoom, 32);
}

TEST(FitGeometry, ZoomScalesTheFitBoxAndCentresIt) {
    const QSize inner(15000, 9000);
    const FitResult fit = fitPage(inner, A4);
    const QRect same = zoomBox(inner, fit.box, fit.fitZoom, fit.fitZoom);
    EXPECT_EQ(same.size(), fit.box.size());
    const QRect half = zoomBox(inner, fit.box, fit.fitZoom, fit.fitZoom / 2);
    EXPECT_NEAR(half.width() * 2, fit.box.width(), 2);
    EXPECT_NEAR(2 * half.left() + half.width(), inner.width(), 1);
}

TEST(FitGeometry, ZoomThreeHundredOnASmallWindowSitsAtTheOrigin) {
    const QSize inner(4000, 3000);
    const FitResult fit = fitPage(inner, A4);
    const QRect box = zoomBox(inner, fit.box, fit.fitZoom, 300);
    EXPECT_EQ(box.topLeft(), QPoint(0, 0));
    EXPECT_GT(box.width(), inner.width());
    EXPECT_NEAR(box.height(), A4.height() * 3, A4.height() * 3 / 100);
}

TEST(FitGeometry, ShadowLiesAlongTheRightAndBottomEdges) {
    const PageBox b = withShadow(QRect(1000, 500, 4000, 6000));
    EXPECT_EQ(b.shadowRight, QRect(5000, 600, 100, 6000));
    EXPECT_EQ(b.shadowBottom, QRect(1100, 6500, 4000, 100));
}

TEST(PageNavigation, OnePageDisablesPreviousNextAndLast) {
    PageNavigator nav;
    nav.reset(1);
    EXPECT_FALSE(nav.previousEnabled());
    EXPECT_FALSE(nav.nextEnabled());
    EXPECT_FALSE(nav.lastEnabled());
    nav.next();
    EXPECT_EQ(nav.page(), 1);
}

TEST(PageNavigation, PagesStayWithinOneToCount) {
    PageNavigator nav;
    nav.reset(3);
    EXPECT_FALSE(nav.previousEnabled());
    EXPECT_TRUE(nav.nextEnabled());
    nav.next();
    EXPECT_EQ(nav.page(), 2);
    EXPECT_TRUE(nav.previousEnabled());
    nav.last();
    EXPECT_EQ(nav.page(), 3);
    EXPECT_FALSE(nav.nextEnabled());
    EXPECT_FALSE(nav.lastEnabled());
    nav.next();
    EXPECT_EQ(nav.page(), 3);
    nav.first();
    nav.previous();
    EXPECT_EQ(nav.page(), 1);
    nav.reset(0);
    EXPECT_EQ(nav.count(), 1);
}
