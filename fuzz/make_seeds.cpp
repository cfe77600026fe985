// Writes the seed inputs of the fuzz harnesses (fuzz/seeds/<harness>/) and the
// dictionaries of the text formats (fuzz/<harness>.dict), all made by the
// program's own saves from a few documents, plus picture files in the other
// layouts the picture readers accept. Run from the source folder:
//   cmake --build build --target make_fuzz_seeds && ./build/make_fuzz_seeds fuzz

#include "cli/arguments.h"
#include "core/font_codec.h"
#include "core/screens.h"
#include "formats/binary_reader.h"
#include "formats/bmp_codec.h"
#include "formats/colour_file.h"
#include "formats/font_file_bytes.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "formats/recovery_copy.h"
#include "formats/set_files.h"
#include "formats/tmx_korvex_names.h"
#include "formats/tmx_writer.h"
#include "formats/view_editor_files.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace korvex;
namespace fs = std::filesystem;

namespace {

fs::path gOut;

void writeSeed(const std::string& harness, const std::string& name, const Bytes& bytes) {
    const fs::path folder = gOut / "seeds" / harness;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writeSeed(const std::string& harness, const std::string& name, const std::string& text) {
    writeSeed(harness, name, Bytes(text.begin(), text.end()));
}

// A dictionary entry in libFuzzer's form: the text in quotes, with escapes.
std::string dictEntry(const std::string& text) {
    std::string line = "\"";
    for (const unsigned char c : text) {
        char hex[5];
        if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7F) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            line += hex;
        } else {
            line += char(c);
        }
    }
    return line + "\"";
}

void writeDictionary(const std::string& harness, const std::string& about,
                     const std::set<std::string>& words) {
    std::ofstream out(gOut / (harness + ".dict"));
    out << "# " << about << "\n# Written by make_fuzz_seeds; do not edit.\n";
    for (const std::string& w : words)
        out << dictEntry(w) << "\n";
}

// A document with something in every part the files carry: drawn glyphs, sets
// with every kind of cell, screens, colours and names.
std::unique_ptr<Document> busyDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int font = 1; font <= kFontCount; ++font)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(font, g, x, y, uint8_t(((g + font) * (x + 1) + y) % 3 == 0));
    const int16_t cells[] = {-1, 0, 1, 127, 128, 255, 256, 32767, -32768};
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc->Sets[s][c] = cells[(s + c) % std::size(cells)];
    for (int n = 0; n < kScreenCount; ++n)
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, n, column, row, (n * 31 + row * 7 + column) & 0xFF);
    for (int font = 1; font <= kFontCount; ++font) {
        doc->FontName[font] = "font " + std::to_string(font) + ".fnt";
        for (int r = LUM; r <= PF3; ++r)
            doc->FontColours[font][r] = (font * 0x10305 + r * 0x20100) & 0xFFFFFF;
    }
    for (int r = LUM; r <= PF3; ++r) {
        doc->AtariColour[r] = r * 40 + 6;
        workingColour(*doc, r) = r * 0x203040;
    }
    for (int row = 1; row <= 5; ++row)
        doc->MultiViewFonts[row] = row * 2;
    // Row tables on two screens: every font and mode, and a table past 240 scanlines.
    const uint8_t modes[] = {0, 2, 4, 5};
    for (int row = 0; row < kRowTableRows; ++row) {
        doc->rowTables[2].font[row] = uint8_t(row % (kFontCount + 1));
        doc->rowTables[2].mode[row] = modes[row % 4];
        doc->rowTables[7].mode[row] = uint8_t(RowMode::FourColourTall);
    }
    doc->CurrentFont = 3;
    doc->CurrentSet = 42;
    doc->CurrentGlyph = 65;
    doc->currentScreen = 0;
    doc->rangeX = 3;
    doc->rangeY = 2;
    doc->rangeWidth = 6;
    doc->rangeHeight = 4;
    doc->gridShown = 1;
    return doc;
}

std::unique_ptr<Document> startupDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    return doc;
}

void fontSeeds(Document& start, Document& busy) {
    loadDefaultFont(start);
    writeSeed("font", "default.fnt", fontFileBytes(start));
    encodeFont(busy, busy.CurrentFont);
    writeSeed("font", "drawn.fnt", fontFileBytes(busy));
    writeSeed("font", "short.fnt", fontRangeBytes(busy, 0, 9));
    writeSeed("font_range", "all.fnt", fontRangeBytes(start, 0, kGlyphCount - 1));
    writeSeed("font_range", "letters.fnt", fontRangeBytes(start, 33, 58));
    writeSeed("font_range", "one.fnt", fontRangeBytes(busy, 5, 5));
}

void setSeeds(Document& start, Document& busy) {
    writeSeed("set", "empty.set", setFileBytes(start));
    writeSeed("set", "cells.set", setFileBytes(busy));
    writeSeed("sets", "empty.sets", setsFileBytes(start));
    writeSeed("sets", "cells.sets", setsFileBytes(busy));
    writeSeed("colour", "start.col", colourFileBytes(start));
    writeSeed("colour", "busy.col", colourFileBytes(busy));
}

void viewEditorSeeds(Document& start, Document& busy) {
    writeSeed("ved2", "screens.ved2", viewEditorDataBytes(busy));
    writeSeed("ved2", "blank.ved2", viewEditorDataBytes(start));
    writeSeed("sved2", "screen.sved2", screenDataBytes(busy));
    writeSeed("ranb", "block.ranb", rangeBlockBytes(busy));
    Document& whole = busy;
    whole.rangeX = 0;
    whole.rangeY = 0;
    whole.rangeWidth = kScreenColumns;
    whole.rangeHeight = kScreenRows;
    writeSeed("ranb", "screen.ranb", rangeBlockBytes(whole));
    whole.rangeWidth = 1;
    whole.rangeHeight = 1;
    writeSeed("ranb", "cell.ranb", rangeBlockBytes(whole));
}

// The key of a project line ("SET_4="), empty for a section line.
std::string keyOf(const std::string& line) {
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq + 1);
}

void projectSeeds(Document& start, Document& busy) {
    const std::vector<std::string> startLines = writeProjectLines(start);
    const std::vector<std::string> busyLines = writeProjectLines(busy);
    writeSeed("project", "busy.proj2", joinCrLf(busyLines));
    // Parts of a save: its head, one line of each kind, and lines ending in LF alone.
    writeSeed("project", "head.proj2",
              joinCrLf(std::vector<std::string>(busyLines.begin(), busyLines.begin() + 14)));
    std::string mixed;
    for (const std::string& line : busyLines)
        if (line.rfind("SET_7=", 0) == 0 || line.rfind("FONT_NAME_2=", 0) == 0 ||
            line.rfind("FONT_COLOR_2=", 0) == 0 || line.rfind("VE_", 0) == 0 ||
            line.rfind("MULTI_V_F=", 0) == 0)
            mixed += line + "\n";
    writeSeed("project", "lines.proj2", mixed);

    // The key harness reads "<key number><value>" lines.
    std::vector<std::string> keys;
    for (const std::string& line : startLines)
        if (!keyOf(line).empty())
            keys.push_back(keyOf(line));
    std::string keyed;
    for (const std::string& line : busyLines) {
        const std::string key = keyOf(line);
        if (key.empty() || line.size() > 200)
            continue;
        const size_t pick = size_t(std::find(keys.begin(), keys.end(), key) - keys.begin());
        keyed += char(pick) + line.substr(key.size()) + "\n";
    }
    writeSeed("project_keys", "short-lines", keyed);

    std::set<std::string> words(keys.begin(), keys.end());
    for (const std::string& line : busyLines)
        if (!keyOf(line).empty())
            words.insert(keyOf(line));
    for (const std::string& line : startLines)
        if (keyOf(line).empty())
            words.insert(line);
    words.insert({",",     "0,2,4,5",  "\r\n",
                  "\n",    "\r",       "\xEF\xBB\xBF",
                  "$",     "%",        "-",
                  "+",     " ",        "\t",
                  "=",     "255",      "-1",
                  "32767", "-32768",   "$FF",
                  "%1",    "16777215", "9223372036854775807"});
    writeDictionary("project", "Project files: keys, section lines and number forms.", words);

    const RecoverySnapshot busyCopy = takeRecoverySnapshot(busy);
    writeSeed("recovery", "busy.proj2", busyCopy.text());
    writeSeed("recovery", "section.proj2", busyCopy.extras);
    const std::vector<std::string> extraLines =
        splitFileLines(Bytes(busyCopy.extras.begin(), busyCopy.extras.end()));
    for (const std::string& line : extraLines)
        words.insert(keyOf(line).empty() ? line : keyOf(line));
    writeDictionary("recovery", "Recovery copies: a project's words and the section's.", words);
}

void numberSeeds() {
    const char* const forms[] = {
        "12",   "-1", "+7", "$FF", "%101", " \t42", "$ffffffffffffffff", "18446744073709551617",
        "0 1 2"};
    int n = 0;
    for (const char* form : forms)
        writeSeed("text_number", "n" + std::to_string(n++), std::string(form));
    writeDictionary("text_number", "Numbers written by hand.",
                    {"$", "%", "-", "+", " ", "\t", "0", "9", "F", "f", "a"});
}

void argumentSeeds() {
    const std::vector<std::vector<std::string>> lines = {
        {"export-font", "font.fnt", "--lang", "asm-hex", "-o", "font.asm"},
        {"export-screen", "s.ved2", "--screen", "3", "--range", "1,2,10,5", "--lang=6"},
        {"font-to-image", "f.fnt", "-o", "f.png", "--scale", "2", "--four-colour", "--colours",
         "c.col"},
        {"image-to-font", "p.bmp", "-o", "p.fnt", "--at", "8,16", "--background", "#102030"},
        {"set-to-bin", "s.sets", "f.fnt", "--set", "7", "-o", "s.bin"},
        {"extract", "g.proj2", "--font", "2", "-o", "t.fnt", "--", "-odd"},
        {"help", "extract"},
        {"--version"},
    };
    std::set<std::string> words{"--",   "-o",        "--output", "-h", "--help",
                                "help", "--version", "=",        ","};
    int n = 0;
    for (const auto& line : lines) {
        std::string joined;
        for (size_t i = 0; i < line.size(); ++i)
            joined += (i ? std::string(1, '\0') : std::string()) + line[i];
        writeSeed("cli_args", "line" + std::to_string(n++), joined);
    }
    for (const cli::CommandSpec& form : cli::commandSpecs()) {
        words.insert(form.name);
        for (const cli::OptionSpec& option : form.options)
            words.insert(option.name);
    }
    writeDictionary("cli_args", "korvex-cli command lines: commands and options.", words);
}

// A small picture with many colours, a few of them repeated.
RgbPicture samplePicture(int width, int height) {
    RgbPicture p{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = uint32_t((x * 37) & 255) |
                                                              uint32_t((y * 53) & 255) << 8 |
                                                              uint32_t(((x ^ y) * 29) & 255) << 16;
    return p;
}

// A PNG of `width` x `height` in another colour type, depth or interlacing than the
// program's own saves, written through libpng with sample values from a pattern.
Bytes pngVariant(int colourType, int depth, bool interlaced, int width = 7, int height = 5) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, width, height, depth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[16];
        png_byte alpha[16];
        for (int i = 0; i < 16; ++i) {
            palette[i] = {png_byte(i * 16), png_byte(255 - i * 16), png_byte(i * 5)};
            alpha[i] = png_byte(i * 17);
        }
        png_set_PLTE(png, info, palette, std::min(16, 1 << depth));
        png_set_tRNS(png, info, alpha, std::min(16, 1 << depth), nullptr);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const size_t rowBytes = (size_t(width) * channels * depth + 7) / 8;
    std::vector<Bytes> rows(height, Bytes(rowBytes));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y) {
        for (size_t b = 0; b < rowBytes; ++b)
            rows[y][b] = uint8_t(b * 41 + y * 97);
        if (colourType == PNG_COLOR_TYPE_PALETTE && depth == 8)
            for (auto& v : rows[y])
                v &= 15;
        pointers.push_back(rows[y].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void pngSeeds() {
    writeSeed("png", "rgb.png", encodePng(samplePicture(9, 6)));
    writeSeed("png", "pixel.png", encodePng(samplePicture(1, 1)));
    writeSeed("png", "grey1.png", pngVariant(PNG_COLOR_TYPE_GRAY, 1, false));
    writeSeed("png", "grey16.png", pngVariant(PNG_COLOR_TYPE_GRAY, 16, true));
    writeSeed("png", "palette4.png", pngVariant(PNG_COLOR_TYPE_PALETTE, 4, false));
    writeSeed("png", "palette8.png", pngVariant(PNG_COLOR_TYPE_PALETTE, 8, true));
    writeSeed("png", "greyalpha.png", pngVariant(PNG_COLOR_TYPE_GRAY_ALPHA, 8, false));
    writeSeed("png", "rgba16.png", pngVariant(PNG_COLOR_TYPE_RGB_ALPHA, 16, false));
    writeSeed("png", "rgb16.png", pngVariant(PNG_COLOR_TYPE_RGB, 16, true));
}

// A BMP file with a 40-byte info header around the given colour table and pixel data.
Bytes bmpFile(int width, int height, int bitsPerPixel, uint32_t compression,
              const std::vector<uint32_t>& palette, const Bytes& pixels,
              const std::vector<uint32_t>& masks = {}) {
    const uint32_t offset = uint32_t(14 + 40 + 4 * masks.size() + 4 * palette.size());
    Bytes out{'B', 'M'};
    appendLe32(out, uint32_t(offset + pixels.size()));
    appendLe32(out, 0);
    appendLe32(out, offset);
    appendLe32(out, 40);
    appendLe32(out, uint32_t(width));
    appendLe32(out, uint32_t(height));
    appendLe16(out, 1);
    appendLe16(out, uint16_t(bitsPerPixel));
    appendLe32(out, compression);
    appendLe32(out, uint32_t(pixels.size()));
    appendLe32(out, 2835);
    appendLe32(out, 2835);
    appendLe32(out, uint32_t(palette.size()));
    appendLe32(out, 0);
    for (const uint32_t m : masks)
        appendLe32(out, m);
    for (const uint32_t c : palette)
        appendLe32(out, c);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

void bmpSeeds() {
    writeSeed("bmp", "rgb24.bmp", encodeBmp(samplePicture(9, 6)));
    writeSeed("bmp", "pixel.bmp", encodeBmp(samplePicture(1, 1)));
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
    // 6 x 2 at 8, 4 and 1 bits per pixel, rows padded to 4 bytes.
    writeSeed("bmp", "palette8.bmp",
              bmpFile(6, 2, 8, 0, palette, {0, 1, 2, 3, 4, 5, 0, 0, 7, 6, 5, 4, 3, 2, 0, 0}));
    writeSeed("bmp", "palette4.bmp",
              bmpFile(6, -2, 4, 0, palette, {0x01, 0x23, 0x45, 0, 0x76, 0x54, 0x32, 0}));
    writeSeed("bmp", "palette1.bmp",
              bmpFile(6, 2, 1, 0, {0x000000, 0xFFFFFF}, {0xA4, 0, 0, 0, 0x5C, 0, 0, 0}));
    // Runs, literal runs, a row end, a move and the bitmap end.
    writeSeed("bmp", "rle8.bmp", bmpFile(6, 3, 8, 1, palette, {3, 1, 3, 2, 0, 0, 0, 4, 4, 5, 6,
                                                               7, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1}));
    writeSeed("bmp", "rle4.bmp",
              bmpFile(6, 2, 4, 2, palette, {4, 0x12, 2, 0x33, 0, 0, 0, 3, 0x45, 0x60, 0, 1}));
    writeSeed("bmp", "rgb565.bmp",
              bmpFile(2, 2, 16, 3, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF},
                      {0xF800, 0x07E0, 0x001F}));
    writeSeed("bmp", "rgb555.bmp", bmpFile(2, 1, 16, 0, {}, {0x00, 0x7C, 0xE0, 0x03}));
    writeSeed(
        "bmp", "argb32.bmp",
        bmpFile(2, 1, 32, 3, {}, {1, 2, 3, 4, 5, 6, 7, 8}, {0x00FF0000, 0x0000FF00, 0x000000FF}));
    writeSeed("bmp", "rgb32.bmp", bmpFile(1, 2, 32, 0, {}, {9, 8, 7, 0, 1, 2, 3, 0}));
}

// A map as the tmx harness takes it: the map, then each tileset file it names after
// a zero byte, in the order the map names them.
Bytes tmxHarnessInput(const std::vector<TmxExportFile>& files) {
    Bytes input = files.back().bytes;
    for (const TmxExportFile& file : files)
        if (file.path.size() > 4 && file.path.compare(file.path.size() - 4, 4, ".tsx") == 0) {
            input.push_back(0);
            input.insert(input.end(), file.bytes.begin(), file.bytes.end());
        }
    return input;
}

// Maps of the export: one tileset (screen 0), every font and mode (screen 2), all
// rows mode 5 (screen 7). Maps Tiled saved again are in seeds-kept/tmx/.
void tmxSeeds(Document& busy) {
    writeSeed("tmx", "one-tileset.tmx",
              tmxHarnessInput(tmxExportFiles(busy, 0, 1, false, "m.tmx")));
    writeSeed("tmx", "rows.tmx", tmxHarnessInput(tmxExportFiles(busy, 2, 3, true, "m.tmx")));
    writeSeed("tmx", "tall.tmx", tmxHarnessInput(tmxExportFiles(busy, 7, 10, false, "m.tmx")));
    std::set<std::string> words = {"<map",
                                   "</map>",
                                   "<tileset",
                                   "</tileset>",
                                   "<layer",
                                   "</layer>",
                                   "<group>",
                                   "<data",
                                   "</data>",
                                   "<tile",
                                   "<chunk",
                                   "<image",
                                   "<properties>",
                                   "<property",
                                   "width=\"",
                                   "height=\"",
                                   "tilewidth=",
                                   "tileheight=",
                                   "tilecount=",
                                   "columns=",
                                   "spacing=",
                                   "margin=",
                                   "firstgid=",
                                   "source=",
                                   "gid=",
                                   "id=",
                                   "name=",
                                   "value=",
                                   "infinite=\"1\"",
                                   "encoding=\"csv\"",
                                   "encoding=\"base64\"",
                                   "compression=\"zlib\"",
                                   "compression=\"gzip\"",
                                   "compression=\"zstd\"",
                                   "../",
                                   "/",
                                   "2147483648",
                                   "4294967295",
                                   "268435455",
                                   "65536",
                                   "eJ",
                                   "H4sI",
                                   "<?xml version=\"1.0\"?>",
                                   "<!--",
                                   "<![CDATA[",
                                   "&amp;",
                                   "&#x41;"};
    for (const std::string& name : {kTmxFontProperty, kTmxModeProperty, kTmxTallRowsProperty,
                                    kTmxScreenProperty, kTmxRowFontsProperty, kTmxRowModesProperty,
                                    kTmxFollowFontProperty, kTmxFollowModeProperty})
        words.insert(name);
    words.insert(std::string(1, '\0'));
    writeDictionary("tmx", "Tiled maps and tilesets: elements, attributes and property names.",
                    words);
}

// Pictures for the picture-to-screen harness: its header (width - 1, height - 1,
// flags, fonts, first font, six colours) and RGB bytes, noise from a fixed sequence.
void pictureScreenSeeds() {
    uint32_t state = 28;
    auto noise = [&state](size_t count) {
        Bytes out(count);
        for (uint8_t& b : out) {
            state = state * 1103515245u + 12345u;
            b = uint8_t(state >> 16);
        }
        return out;
    };
    auto seed = [](const std::string& name, int width, int height, uint8_t flags, uint8_t fonts,
                   uint8_t firstFont, const Bytes& pixels) {
        Bytes bytes{uint8_t(width - 1),
                    uint8_t(height - 1),
                    flags,
                    fonts,
                    firstFont,
                    14,
                    0,
                    24,
                    184,
                    134,
                    68};
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
        writeSeed("picture_screen", name, bytes);
    };
    constexpr uint8_t kFour = 1, kDither = 2, kFixedColours = 4, kTransparency = 8;
    seed("pixel", 1, 1, 0, 1, 1, {255, 0, 0});
    seed("noise-two", 48, 40, 0, 1, 1, noise(48 * 40 * 3));
    seed("noise-four-fonts", 48, 40, kFour, 4, 3, noise(48 * 40 * 3));
    Bytes ramp(32 * 24 * 3);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = uint8_t(i * 7);
    seed("dither-fixed", 32, 24, kDither | kFixedColours, 2, 1, ramp);
    seed("transparent-four", 20, 30, kFour | kTransparency, 1, 10, noise(20 * 30 * 3));
    seed("refused", 4, 4, 0, 11, 1, {1, 2, 3});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FUZZ_FOLDER\n");
        return 2;
    }
    gOut = argv[1];
    fs::remove_all(gOut / "seeds");
    auto start = startupDocument();
    auto busy = busyDocument();
    fontSeeds(*start, *busy);
    setSeeds(*start, *busy);
    projectSeeds(*start, *busy);
    viewEditorSeeds(*start, *busy);
    numberSeeds();
    argumentSeeds();
    pngSeeds();
    bmpSeeds();
    tmxSeeds(*busy);
    pictureScreenSeeds();
    return 0;
}
