// Files that cost too much or are no files at all: every loader reads only what
// its format can use, refuses what is no regular file without waiting on it, and
// pictures claiming more pixels than their data can give are refused.

#include "core/screens.h"
#include "formats/bmp_codec.h"
#include "formats/font_file.h"
#include "formats/picture_codec.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "temp_dir.h"
#include "test_document.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace korvex;

namespace {

using Lines = std::vector<std::string>;

std::string hostileFile(const char* name) {
    return std::string(KORVEX_SOURCE_DIR) + "/tests/data/hostile/" + name;
}

Lines splitInPieces(const std::string& text, size_t pieceBytes) {
    ProjectLineSplitter splitter;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    for (size_t at = 0; at < text.size(); at += pieceBytes)
        if (!splitter.feed(ByteView(bytes + at, std::min(pieceBytes, text.size() - at))))
            break;
    return splitter.finish();
}

TEST(ProjectLines, PiecesSplitAsTheWholeText) {
    // Line ends, a CR LF and the byte-order mark may each be cut between pieces.
    for (const std::string text : {"\xEF\xBB\xBFVE_GRID=1\r\nb\nc\rd", "a\n\r\nb\r\r", "\xEF\xBB",
                                   "\xEF\xBBx\r", "\r\n\r\n", "x\r\ny"}) {
        const Lines whole =
            splitFileLines(ByteView(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        for (size_t piece : {1, 2, 3, 5})
            EXPECT_EQ(splitInPieces(text, piece), whole) << piece;
    }
    EXPECT_EQ(splitInPieces("\xEF\xBB\xBF"
                            "a\r\nb",
                            1),
              (Lines{"a", "b"}));
    EXPECT_EQ(splitInPieces("\xEF\xBB", 1), Lines{"\xEF\xBB"});
}

TEST(ProjectLines, OnlyTheLinesAndBytesThatCountAreKept) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    const Lines lines = splitInPieces(text, 4096);
    ASSERT_EQ(lines.size(), kMaxProjectLines);
    EXPECT_EQ(lines.back(), "line 1022");

    // An overlong line keeps its start; the line after it is read as usual.
    const std::string longLine = "FONT_NAME_1=" + std::string(3 * kMaxProjectLineBytes, 'n');
    const Lines cut = splitInPieces(longLine + "\nVE_GRID=1\n", 1000);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], longLine.substr(0, kMaxProjectLineBytes));
    EXPECT_EQ(cut[1], "VE_GRID=1");
}

class HostileFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path(const char* name) const { return dir.filePath(name); }
    void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
};

TEST_F(HostileFiles, AProjectFollowedByEndlessLinesLoadsAsItsFirstLines) {
    auto source = test::freshDocument();
    source->Sets[7][3] = 42;
    setCell(*source, 8, 39, 23, 9);
    std::string text = joinCrLf(writeProjectLines(*source));
    // The cut comes after line 1023: line 1024 on changes nothing.
    text += std::string(1023 - 153, '\n') + "VE_GRID=1\n";
    for (int i = 0; i < 100000; ++i)
        text += "SET_7=1\n";
    write(path("big.proj2"), text);

    auto doc = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*doc, path("big.proj2")));
    EXPECT_EQ(doc->Sets[7][3], 42);
    EXPECT_EQ(getCell(*doc, 8, 39, 23), 9);
    EXPECT_EQ(doc->gridShown, 0);

    // One line far longer than any line can use, then a project.
    write(path("long.proj2"),
          std::string(1 << 22, '=') + "\r\n" + joinCrLf(writeProjectLines(*source)));
    auto other = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*other, path("long.proj2")));
    EXPECT_EQ(other->Sets[7][3], 42);
}

TEST_F(HostileFiles, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    // A pipe without a writer would keep a blocking open waiting for ever.
    for (const std::string& special :
         {path("pipe"), dir.path(), std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(special);
        EXPECT_FALSE(readFileBytes(special, 1024));
        EXPECT_FALSE(readProjectFileLines(special));
        auto doc = test::freshDocument();
        auto fresh = test::freshDocument();
        EXPECT_FALSE(loadFontFile(*doc, special));
        EXPECT_FALSE(loadProjectFile(*doc, special));
        EXPECT_EQ(doc->FontName[1], fresh->FontName[1]);
        EXPECT_EQ(doc->projectPath, "");
    }
}

TEST(HostilePictures, HugeSizesInTinyFilesAreRefusedBeforeAllocating) {
    struct Case {
        const char* file;
        const char* error;
    };
    for (const Case c : {Case{"huge_size.png", "file is truncated"},
                         Case{"huge_size.bmp", "pixel data is cut short"},
                         Case{"huge_size_rle.bmp", "run-length data is cut short"}}) {
        SCOPED_TRACE(c.file);
        const auto bytes = readFileBytes(hostileFile(c.file), kMaxPictureFileBytes);
        ASSERT_TRUE(bytes);
        ASSERT_LE(bytes->size(), 100u);
        std::string error;
        EXPECT_FALSE(decodePicture(*bytes, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(HostilePictures, PngChunksLongerThanTheFileAreRefusedBeforeReading) {
    const Bytes good = encodePng(RgbPicture{4, 4, std::vector<uint32_t>(16, 0x123456)});
    ASSERT_TRUE(decodePng(good));
    // A text chunk after the header declaring 16 MiB, with ten bytes present.
    Bytes bad(good.begin(), good.begin() + 33);
    bad.insert(bad.end(), {0x01, 0x00, 0x00, 0x00, 't', 'E', 'X', 't'});
    bad.insert(bad.end(), 10, 'x');
    std::string error;
    EXPECT_FALSE(decodePng(bad, &error));
    EXPECT_EQ(error, "file is truncated");
}

TEST(HostilePictures, PicturesAtTheLimitOfTheirDataStillDecode) {
    // A PNG of one colour compresses about a thousandfold and stays readable.
    RgbPicture black{2048, 512, std::vector<uint32_t>(size_t(2048) * 512, 0)};
    const Bytes png = encodePng(black);
    ASSERT_LT(png.size(), black.pixels.size() * 3 / 500);
    const auto decoded = decodePng(png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, black.pixels);

    // RLE8 data may give 255 pixels for every two bytes: four runs of 255 and the
    // end mark cover a row of 1275 pixels, not one more.
    auto rleFile = [](uint32_t width) {
        Bytes runs;
        for (int r = 0; r < 4; ++r)
            runs.insert(runs.end(), {255, 1});
        runs.insert(runs.end(), {0, 1});
        const uint32_t offset = 14 + 40 + 8;
        Bytes bmp = {'B', 'M'};
        auto le = [&](uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                bmp.push_back(uint8_t(v >> (8 * i)));
        };
        for (const auto& [value, bytes] : {std::pair{offset + uint32_t(runs.size()), 4},
                                           {0u, 4},
                                           {offset, 4},
                                           {40u, 4},
                                           {width, 4},
                                           {1u, 4},
                                           {1u, 2},
                                           {8u, 2},
                                           {1u /* RLE8 */, 4},
                                           {uint32_t(runs.size()), 4},
                                           {2835u, 4},
                                           {2835u, 4},
                                           {2u, 4},
                                           {0u, 4}})
            le(value, bytes);
        bmp.insert(bmp.end(), {0, 0, 0, 0, 255, 255, 255, 0});
        bmp.insert(bmp.end(), runs.begin(), runs.end());
        return bmp;
    };
    const auto rle = decodeBmp(rleFile(1275));
    ASSERT_TRUE(rle);
    EXPECT_EQ(rle->at(1019, 0), 0xFFFFFFu);
    EXPECT_EQ(rle->at(1274, 0), 0u);
    std::string error;
    EXPECT_FALSE(decodeBmp(rleFile(1276), &error));
    EXPECT_EQ(error, "run-length data is cut short");
}

} // namespace
