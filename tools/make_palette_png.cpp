// Writes the palette picture as a PNG file: make_palette_png OUTPUT.png
// The program embeds data/palette.png, made by this tool.
#include "core/palette.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_palette_png OUTPUT.png\n");
        return 2;
    }
    const korvex::Bytes png = korvex::encodePng(korvex::renderPalettePicture());
    if (png.empty()) {
        std::fprintf(stderr, "make_palette_png: PNG encoding failed\n");
        return 1;
    }
    std::string error;
    if (!korvex::writeFileAtomic(argv[1], png, &error)) {
        std::fprintf(stderr, "make_palette_png: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
