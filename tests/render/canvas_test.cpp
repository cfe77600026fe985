#include "render/canvas.h"
#include "render_test_helpers.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::colourAt;

TEST(Canvas, FillIsClippedToTheImage) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    Canvas canvas(image);
    canvas.fillRect(-5, 8, 100, 100, 0x123456);
    EXPECT_EQ(colourAt(image, 0, 8), 0x123456);
    EXPECT_EQ(colourAt(image, 9, 9), 0x123456);
    EXPECT_EQ(colourAt(image, 9, 7), 0);
    canvas.fillRect(20, 20, 5, 5, 0xFFFFFF); // wholly outside: nothing happens
    canvas.line(-50, -50, 50, 50, 0x00FF00);
    EXPECT_EQ(colourAt(image, 3, 3), 0x00FF00);
}

TEST(Canvas, BlendsEachPixelWithWhatLiesBelow) {
    QImage image(4, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    const int64_t below[4] = {0x000000, 0x000000, 0xFFFFFF, 0x204060};
    for (int x = 0; x < 4; ++x)
        canvas.fillRect(x, 0, 1, 1, below[x]);
    canvas.setAlpha(170);
    canvas.fillRect(0, 0, 4, 1, 0x1F77C2);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(colourAt(image, x, 0), test::blend(0x1F77C2, below[x], 170)) << x;
    canvas.setAlpha(255);
    canvas.fillRect(0, 0, 1, 1, 0x010203);
    EXPECT_EQ(colourAt(image, 0, 0), 0x010203);
}

TEST(Canvas, ImageOfAnotherDepthIsLeftAlone) {
    QImage image(8, 8, QImage::Format_Grayscale8);
    image.fill(7);
    Canvas canvas(image);
    canvas.fillRect(0, 0, 8, 8, 0xFFFFFF);
    EXPECT_EQ(qGray(image.pixel(3, 3)), 7);
    QImage none;
    Canvas empty(none);
    empty.fillRect(0, 0, 8, 8, 0xFFFFFF);
    EXPECT_EQ(empty.pixel(0, 0), 0);
}

} // namespace
} // namespace korvex
