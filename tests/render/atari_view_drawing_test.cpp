// The Atari view's picture drawn in parts: any area, redrawn alone over a spoilt
// picture, gets exactly the pixels of the whole drawing, the mark past 240
// scanlines included, at every zoom and in both modes for rows that follow.

#include "core/atari_view.h"
#include "render/atari_view_drawing.h"
#include "screen_samples.h"

#include <gtest/gtest.h>
#include <random>

using namespace korvex;

namespace {

TEST(AtariViewDrawing, AreasRedrawnAloneGetTheWholeDrawingsPixels) {
    auto doc = test::busyScreenDocument();
    doc->currentScreen = 6;
    RowTable& table = doc->rowTables[6];
    table = test::mixedRowTable(true);
    for (int row = 12; row < 20; ++row)
        table.mode[row] = uint8_t(RowMode::FourColourTall); // 272 scanlines in all
    ASSERT_GT(screenScanlines(*doc, 6), kMaxDisplayScanlines);
    std::mt19937 random(5);
    for (bool fourColour : {false, true})
        for (int zoom = 1; zoom <= 3; ++zoom) {
            doc->FourColourMode = fourColour;
            const QSize size = atariViewSize(*doc, zoom);
            QImage whole(size, QImage::Format_RGB32);
            drawAtariView(*doc, whole, zoom);
            QImage parts(size, QImage::Format_RGB32);
            parts.fill(qRgb(1, 2, 3));
            // Areas of any size and place, cell edges or not, until every pixel was
            // drawn at least once; then a last one over all of it.
            for (int i = 0; i < 400; ++i) {
                const QRect area(int(random() % size.width()), int(random() % size.height()),
                                 1 + int(random() % 90), 1 + int(random() % 90));
                drawAtariView(*doc, parts, zoom, area);
                ASSERT_EQ(parts.copy(area & parts.rect()), whole.copy(area & parts.rect()))
                    << zoom << " " << i;
            }
            drawAtariView(*doc, parts, zoom, QRect(-5, -5, size.width() + 10, size.height() + 10));
            EXPECT_EQ(parts, whole) << zoom;
        }
}

TEST(AtariViewDrawing, ZoomIsKeptToWholeNumbersOneToFour) {
    auto doc = test::freshDocument();
    EXPECT_EQ(atariViewSize(*doc, 0), QSize(320, 192));
    EXPECT_EQ(atariViewSize(*doc, 4), QSize(1280, 768));
    EXPECT_EQ(atariViewSize(*doc, 9), QSize(1280, 768));
    // A screen number the document should never hold draws nothing.
    doc->currentScreen = 200;
    EXPECT_EQ(atariViewSize(*doc, 1), QSize(320, 0));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    drawAtariView(*doc, image, 1, image.rect());
    drawAtariView(*doc, image, 1);
    EXPECT_EQ(image.pixel(4, 4), qRgb(1, 2, 3));
}

} // namespace
