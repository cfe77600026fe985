#include "formats/display_list.h"

#include "core/atari_view.h"
#include "core/glyph_code.h"
#include "core/palette.h"

namespace korvex {

namespace {

constexpr uint8_t kBlank8 = 0x70;
constexpr int kBlankInstructions = 3;
constexpr uint8_t kLoadMemoryScan = 0x40;
constexpr uint8_t kInterrupt = 0x80;
constexpr uint8_t kJumpAtVerticalBlank = 0x41;
constexpr int kLastAddress = 0xFFFF;

std::string address(int value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "$0000";
    for (int i = 0; i < 4; ++i)
        text[size_t(4 - i)] = digits[(value >> (4 * i)) & 15];
    return text;
}

// "" when [start, start + length) stays inside one `window`-byte block of memory.
std::string windowProblem(const std::string& what, int start, int length, int window,
                          const std::string& rule) {
    const int last = start + length - 1;
    if (last > kLastAddress)
        return what + " at " + address(start) + " runs past $FFFF";
    const std::string span = what + " (" + address(start) + "-" + address(last) + ")";
    const int boundary = (start / window + 1) * window;
    if (last >= boundary)
        return span + " crosses the " + std::to_string(window / 1024) + " KB boundary at " +
               address(boundary) + ": " + rule;
    return {};
}

bool fourColourMode(RowMode mode) {
    return mode == RowMode::FourColour || mode == RowMode::FourColourTall;
}

std::array<uint8_t, kRowColourRegisters> rowRegisters(const Document& doc, const ResolvedRow& row) {
    const auto rgb = atariRowColours(doc, row.font);
    const auto value = [&](int reg) { return uint8_t(atariValueOfRgb(rgb[size_t(reg)])); };
    if (fourColourMode(row.mode))
        return {value(PF0), value(PF1), value(PF2), value(PF3), value(BAK)};
    return {value(PF0), value(LUM), value(BAK), value(PF3), value(BAK)};
}

std::string byteText(uint8_t value, bool hex) {
    return hex ? "$" + hexDigits(value) : std::to_string(value);
}

template <class Bytes> std::string byteLine(const Bytes& bytes, size_t from, size_t to, bool hex) {
    std::string line = "    .BYTE ";
    for (size_t i = from; i < to; ++i) {
        if (i > from)
            line += ',';
        line += byteText(bytes[i], hex);
    }
    return line;
}

} // namespace

std::string displayListProblem(const Document& doc, const DisplayListRequest& request) {
    if (request.screen < 0 || request.screen >= kScreenCount)
        return "there is no screen " + std::to_string(request.screen) + " (screens are 0..8)";
    const RowTable& table = doc.rowTables[request.screen];
    for (int row = 0; row < kScreenRows; ++row) {
        const int font = resolveRow(table, row, request.followFont, request.followFourColour).font;
        const int at = request.fontAddresses[size_t(font)];
        if (at == kNoFontAddress)
            return "font " + std::to_string(font) + " is shown by row " + std::to_string(row) +
                   " but has no address";
        if (at < 0 || at > kLastAddress)
            return "font " + std::to_string(font) + "'s address " + std::to_string(at) +
                   " is outside 0..65535";
        if (at % kFontAlignment != 0)
            return "font " + std::to_string(font) + "'s address " + address(at) +
                   " is not a multiple of 1024: a font must start on a 1 KB boundary";
    }
    if (request.listAddress < 0 || request.listAddress > kLastAddress)
        return "the display list address is outside 0..65535";
    if (request.screenAddress < 0 || request.screenAddress > kLastAddress)
        return "the screen address is outside 0..65535";
    std::string problem =
        windowProblem("the display list", request.listAddress, kDisplayListBytes,
                      kDisplayListWindow, "a display list must not cross a 1 KB boundary");
    if (problem.empty())
        problem = windowProblem("the screen memory", request.screenAddress, kScreenCells,
                                kScreenMemoryWindow,
                                "screen memory must not cross a 4 KB boundary without a new "
                                "load memory scan");
    return problem;
}

DisplayList buildDisplayList(const Document& doc, const DisplayListRequest& request) {
    DisplayList out;
    if (request.screen < 0 || request.screen >= kScreenCount)
        return out;
    const RowTable& table = doc.rowTables[request.screen];
    uint8_t modes[kScreenRows];
    for (int row = 0; row < kScreenRows; ++row) {
        const ResolvedRow resolved =
            resolveRow(table, row, request.followFont, request.followFourColour);
        modes[row] = uint8_t(resolved.mode);
        const int at = request.fontAddresses[size_t(resolved.font)];
        out.chbase[size_t(row)] = uint8_t((at >> 8) & 0xFF);
        out.colours[size_t(row)] = rowRegisters(doc, resolved);
    }
    for (int row = 0; row + 1 < kScreenRows; ++row)
        if (out.chbase[size_t(row)] != out.chbase[size_t(row) + 1] ||
            out.colours[size_t(row)] != out.colours[size_t(row) + 1])
            modes[row] |= kInterrupt;

    size_t at = 0;
    for (int i = 0; i < kBlankInstructions; ++i)
        out.list[at++] = kBlank8;
    out.list[at++] = uint8_t(modes[0] | kLoadMemoryScan);
    out.list[at++] = uint8_t(request.screenAddress & 0xFF);
    out.list[at++] = uint8_t((request.screenAddress >> 8) & 0xFF);
    for (int row = 1; row < kScreenRows; ++row)
        out.list[at++] = modes[row];
    out.list[at++] = kJumpAtVerticalBlank;
    out.list[at++] = uint8_t(request.listAddress & 0xFF);
    out.list[at++] = uint8_t((request.listAddress >> 8) & 0xFF);
    out.scanlines = screenScanlines(doc, request.screen);
    return out;
}

std::vector<std::string> displayListSource(const DisplayList& list, bool hex) {
    constexpr size_t kHead = kBlankInstructions + 3; // blank lines and row 0 with its address
    constexpr size_t kTail = kDisplayListBytes - 3;  // the closing jump
    std::vector<std::string> lines;
    lines.push_back("DISPLAY_LIST");
    lines.push_back(byteLine(list.list, 0, kBlankInstructions, hex));
    lines.push_back(byteLine(list.list, kBlankInstructions, kHead, hex));
    lines.push_back(byteLine(list.list, kHead, kTail, hex));
    lines.push_back(byteLine(list.list, kTail, kDisplayListBytes, hex));
    lines.push_back("ROW_CHBASE");
    lines.push_back(byteLine(list.chbase, 0, list.chbase.size(), hex));
    lines.push_back("ROW_COLORS");
    for (const auto& row : list.colours)
        lines.push_back(byteLine(row, 0, row.size(), hex));
    return lines;
}

} // namespace korvex
