// Picture to screen: the figures against the simple reference over the picture set,
// exactness whenever the cells fit, the bounds of the input and the options.
#include "core/picture_screen.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>

namespace korvex {
namespace {

PictureScreenOptions optionsFor(int mode, int fonts) {
    PictureScreenOptions o;
    o.mode = mode;
    o.fonts = fonts;
    return o;
}

TEST(PictureScreenSet, BeatsTheReferenceAndMoreFontsNeverHurt) {
    for (int mode : {kTwoColourMode, kFourColourMode}) {
        double gainSum = 0;
        int counted = 0;
        for (const std::string& name : testPictures()) {
            SCOPED_TRACE(name + " mode " + std::to_string(mode));
            const auto picture = loadTestPicture(name);
            ASSERT_TRUE(picture);
            const auto started = std::chrono::steady_clock::now();
            const auto one = pictureToScreen(*picture, optionsFor(mode, 1));
            const double ms = std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - started)
                                  .count();
            ASSERT_TRUE(one);
            const PictureScreen ref =
                referencePictureScreen(pictureRows(*picture), optionsFor(mode, 1), *one);
            std::printf("%-10s mode %d: %.2f dB (reference %.2f dB), %.1f%% differ, %d merged, "
                        "%d glyphs, %.0f ms\n",
                        name.c_str(), mode, one->psnr, ref.psnr, 100 * one->differingShare,
                        one->mergedCells, one->fonts[0].glyphsUsed, ms);
            EXPECT_LE(one->meanSquaredError, ref.meanSquaredError);
            if (!ref.exact) {
                gainSum += one->psnr - ref.psnr;
                ++counted;
            }
            double previous = one->meanSquaredError;
            for (int fonts : {2, 4, 8}) {
                const auto more = pictureToScreen(*picture, optionsFor(mode, fonts));
                ASSERT_TRUE(more);
                std::printf("   %d fonts: %.2f dB, %zu used\n", fonts, more->psnr,
                            more->fonts.size());
                EXPECT_LE(more->meanSquaredError, previous);
                previous = more->meanSquaredError;
            }
        }
        ASSERT_GE(counted, 6);
        std::printf("mode %d: mean gain %.2f dB over %d pictures\n", mode, gainSum / counted,
                    counted);
        EXPECT_GE(gainSum / counted, 1.5);
    }
}

} // namespace
} // namespace korvex
