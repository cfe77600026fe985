// Display lists: the bytes a real assembler makes of the text, and the address
// rules refused with the rule named.
#include "formats/display_list.h"

#include "child_process.h"
#include "core/palette.h"
#include "formats/file_io.h"
#include "temp_dir.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

void giveColours(Document& doc, int font, std::array<int, 7> values) {
    for (int r = LUM; r <= PF3; ++r)
        doc.FontColours[font][r] = atariRgb(values[size_t(r)]);
}

// Fonts change at rows 5 and 12, row 8 is mode 5 and row 20 mode 4. Rows 0..4
// follow the current font, 1, whose colours are the working colours.
std::unique_ptr<Document> tableDocument() {
    auto doc = test::freshDocument();
    //                   -   LUM   BAK   PF0   PF1   PF2   PF3
    giveColours(*doc, 1, {0, 0x0E, 0x00, 0x28, 0xCA, 0x94, 0x46});
    giveColours(*doc, 2, {0, 0x1E, 0x72, 0x36, 0xB8, 0xD4, 0x08});
    giveColours(*doc, 3, {0, 0x1E, 0x72, 0x36, 0xB8, 0xD4, 0x08});
    loadFontColours(*doc, 1);
    RowTable& table = doc->rowTables[6];
    for (int row = 5; row < kScreenRows; ++row)
        table.font[row] = row < 12 ? 2 : 3;
    table.mode[8] = uint8_t(RowMode::FourColourTall);
    table.mode[20] = uint8_t(RowMode::FourColour);
    return doc;
}

DisplayListRequest tableRequest() {
    DisplayListRequest request;
    request.screen = 6;
    request.followFont = 1;
    request.screenAddress = 0x4000;
    request.listAddress = 0x3F00;
    request.fontAddresses[1] = 0xE000;
    request.fontAddresses[2] = 0x8000;
    request.fontAddresses[3] = 0x8400;
    return request;
}

const Bytes kExpected = {
    // the display list
    0x70, 0x70, 0x70, 0x42, 0x00, 0x40,                               // blank lines, row 0
    0x02, 0x02, 0x02, 0x82,                                           // rows 1-4, then font 2
    0x02, 0x02, 0x82, 0x85,                                           // rows 5-8 (8 is mode 5)
    0x02, 0x02, 0x82,                                                 // rows 9-11, then font 3
    0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x82, 0x84, 0x02, 0x02, // rows 12-22
    0x02, 0x41, 0x00, 0x3F,                                           // row 23, the jump
    // CHBASE by row
    0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x84, 0x84, 0x84, 0x84,
    0x84, 0x84, 0x84, 0x84, 0x84, 0x84, 0x84, 0x84,
    // COLPF0..3, COLBK by row
    0x28, 0x0E, 0x00, 0x46, 0x00, 0x28, 0x0E, 0x00, 0x46, 0x00, 0x28, 0x0E, 0x00, 0x46, 0x00, //
    0x28, 0x0E, 0x00, 0x46, 0x00, 0x28, 0x0E, 0x00, 0x46, 0x00,                               //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, //
    0x36, 0xB8, 0xD4, 0x08, 0x72,                                                             //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72,                               //
    0x36, 0xB8, 0xD4, 0x08, 0x72,                                                             //
    0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, 0x36, 0x1E, 0x72, 0x08, 0x72, //
};

TEST(DisplayList, Ca65AssemblesTheTextToTheListedBytes) {
    const std::string ca65 = test::findProgram("ca65");
    const std::string ld65 = test::findProgram("ld65");
    if (ca65.empty() || ld65.empty())
        GTEST_SKIP() << "ca65/ld65 (cc65) not found on PATH; assembler check not run";
    auto doc = tableDocument();
    const DisplayListRequest request = tableRequest();
    ASSERT_EQ(displayListProblem(*doc, request), "");
    const DisplayList list = buildDisplayList(*doc, request);
    EXPECT_EQ(list.scanlines, 24 * 8 + 8);

    test::TempDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string config = dir.filePath("raw.cfg");
    ASSERT_TRUE(
        writeFileAtomic(config, std::string("MEMORY { RAW: start = $0, size = $10000, "
                                            "file = %O; }\n"
                                            "SEGMENTS { CODE: load = RAW, type = ro; }\n")));
    for (bool hex : {false, true}) {
        SCOPED_TRACE(hex);
        const std::string base = dir.filePath(hex ? "hex" : "dec");
        ASSERT_TRUE(writeFileAtomic(base + ".s", joinCrLf(displayListSource(list, hex))));
        const test::ProgramRun assembled = test::runProgram(
            ca65, {"--feature", "labels_without_colons", "-o", base + ".o", base + ".s"});
        ASSERT_TRUE(assembled.ok) << assembled.output;
        const test::ProgramRun linked =
            test::runProgram(ld65, {"-C", config, "-o", base + ".bin", base + ".o"});
        ASSERT_TRUE(linked.ok) << linked.output;
        EXPECT_EQ(readFileBytes(base + ".bin"), kExpected);
    }
}

TEST(DisplayList, AddressRulesAreRefusedNamingTheRule) {
    auto doc = tableDocument();
    const auto problem = [&](auto change) {
        DisplayListRequest request = tableRequest();
        change(request);
        return displayListProblem(*doc, request);
    };
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.fontAddresses[2] = 0x8200; }),
              "font 2's address $8200 is not a multiple of 1024: a font must start on a 1 KB "
              "boundary");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.fontAddresses[3] = kNoFontAddress; }),
              "font 3 is shown by row 12 but has no address");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.followFont = 4; }),
              "font 4 is shown by row 0 but has no address");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.listAddress = 0x3FE1; }),
              "the display list ($3FE1-$4000) crosses the 1 KB boundary at $4000: a display "
              "list must not cross a 1 KB boundary");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.listAddress = 0x3FE0; }), "");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.listAddress = 0xFFF0; }),
              "the display list at $FFF0 runs past $FFFF");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.screenAddress = 0x4C41; }),
              "the screen memory ($4C41-$5000) crosses the 4 KB boundary at $5000: screen "
              "memory must not cross a 4 KB boundary without a new load memory scan");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.screenAddress = 0x4C40; }), "");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.screenAddress = 0x10000; }),
              "the screen address is outside 0..65535");
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.screen = 9; }),
              "there is no screen 9 (screens are 0..8)");
    // An unused font needs no address, and a bad one is not looked at.
    EXPECT_EQ(problem([](DisplayListRequest& r) { r.fontAddresses[7] = 0x123; }), "");
}

TEST(DisplayList, ATableOfFollowEntriesNeedsNoInterrupt) {
    auto doc = test::freshDocument();
    DisplayListRequest request;
    request.fontAddresses[3] = 0xE000;
    request.followFont = 3;
    request.followFourColour = true;
    request.screenAddress = 0xBC40;
    request.listAddress = 0xBC20;
    ASSERT_EQ(displayListProblem(*doc, request), "");
    const DisplayList list = buildDisplayList(*doc, request);
    EXPECT_EQ(list.list[3], 0x44);
    for (int i = 6; i < 29; ++i)
        EXPECT_EQ(list.list[size_t(i)], 0x04) << i;
    EXPECT_EQ(list.list[30], 0x20);
    EXPECT_EQ(list.list[31], 0xBC);
    for (uint8_t chbase : list.chbase)
        EXPECT_EQ(chbase, 0xE0);
}

} // namespace
