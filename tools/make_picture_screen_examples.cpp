// Converts a picture to a screen at one and at four fonts in both modes, writes the
// Atari view of each conversion as a PNG and prints the figures (README's
// picture-to-screen example):
//   make_picture_screen_examples IN.png OUT_PREFIX
// writes OUT_PREFIX-mode2-1font.png, OUT_PREFIX-mode2-4fonts.png and the same for mode 4.

#include "core/picture_error.h"
#include "core/picture_screen.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"

#include <cstdio>
#include <string>

using namespace korvex;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_picture_screen_examples IN.png OUT_PREFIX\n");
        return 2;
    }
    const auto bytes = readFileBytes(argv[1]);
    const auto picture = bytes ? decodePng(ByteView(bytes->data(), bytes->size())) : std::nullopt;
    if (!picture) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    for (int mode : {kTwoColourMode, kFourColourMode})
        for (int fonts : {1, 4}) {
            PictureScreenOptions options;
            options.mode = mode;
            options.fonts = fonts;
            const auto screen = pictureToScreen(*picture, options);
            if (!screen)
                return 1;
            RgbPicture view;
            view.width = kViewWidth;
            view.height = kViewHeight;
            view.pixels = drawCellScreen(screenCells(*screen));
            const std::string out = std::string(argv[2]) + "-mode" + std::to_string(mode) + "-" +
                                    std::to_string(fonts) + (fonts == 1 ? "font" : "fonts") +
                                    ".png";
            if (!writeFileAtomic(out, encodePng(view)))
                return 1;
            std::string used;
            for (const ScreenFont& f : screen->fonts)
                used += (used.empty() ? "" : ", ") + std::to_string(f.glyphsUsed);
            std::printf("mode %d, %d font%s: %.2f dB, %.2f%% of pixels differ, %d cells merged, "
                        "glyphs %s\n",
                        mode, fonts, fonts == 1 ? "" : "s", screen->psnr,
                        100 * screen->differingShare, screen->mergedCells, used.c_str());
        }
    return 0;
}
