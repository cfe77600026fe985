#include "core/palette.h"
#include "formats/palette_picture.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

// The shipped data/palette.png must match the layout it was generated from; a
// stale file would show colours that differ from the values the window reports.
TEST(BuiltInPalettePicture, MatchesTheDrawnLayout) {
    const RgbPicture shipped = palettePicture();
    const RgbPicture drawn = renderPalettePicture();
    ASSERT_EQ(shipped.width, drawn.width);
    ASSERT_EQ(shipped.height, drawn.height);
    EXPECT_TRUE(shipped.pixels == drawn.pixels);
}

TEST(BuiltInPalettePicture, PointerValueMatchesPixelColour) {
    const RgbPicture pic = palettePicture();
    for (int my = 16; my < 272; my += 5)
        for (int mx = 16; mx < 144; mx += 3) {
            const PalettePointer p = palettePointerAt(mx, my);
            ASSERT_TRUE(p.inside);
            const uint32_t colour = pic.at(mx, my);
            if (colour != kPaletteGridLine) {
                ASSERT_EQ(colour, uint32_t(atariRgb(p.value))) << mx << "," << my;
            }
        }
}

} // namespace
