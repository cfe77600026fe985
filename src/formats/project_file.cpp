#include "formats/project_file.h"

#include "core/font_codec.h"
#include "core/screens.h"
#include "formats/text_number.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <unordered_map>

namespace korvex {

namespace {

// The numbers a project stores for the View Editor's range modes.
constexpr int32_t rangeModeLoad = 5129;
constexpr int32_t rangeModeSave = 5130;

int32_t rangeModeNumber(const Document& doc) {
    switch (doc.rangeMode) {
    case RangeMode::Load:
        return rangeModeLoad;
    case RangeMode::Save:
        return rangeModeSave;
    default:
        return doc.rangeModeOther;
    }
}

void setRangeModeNumber(Document& doc, int32_t number) {
    doc.rangeMode = number == rangeModeLoad   ? RangeMode::Load
                    : number == rangeModeSave ? RangeMode::Save
                                              : RangeMode::None;
    doc.rangeModeOther = doc.rangeMode == RangeMode::None ? number : 0;
}

} // namespace

namespace {

// Colours are 24-bit RGB; anything above that is dropped when read.
constexpr int64_t kRgbMask = 0xFFFFFF;

std::string numberedKey(const char* stem, int n) {
    return std::string(stem) + std::to_string(n) + "=";
}

const char* const kViewEditorKeys[8] = {"VE_GRID=",   "VE_SETDRAW=", "VE_TOP=", "VE_RANTRYB=",
                                        "VE_XSTART=", "VE_YSTART=",  "VE_W=",   "VE_H="};

// A screen's row table takes two lines after every other line, and only when it is
// not all follow entries. No older key is part of these keys, so a reader that
// knows only the older ones finds its lines as before.
const char* const kRowFontsStem = "VE_ROW_FONTS_";
const char* const kRowModesStem = "VE_ROW_MODES_";
constexpr char kRowFieldSeparator = ',';

// Every key the reader knows, in the order they are applied.
const std::vector<std::string>& readerKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k(std::begin(kViewEditorKeys), std::end(kViewEditorKeys));
        k.push_back("MULTI_V_F=");
        for (int i = 1; i <= kFontCount; ++i)
            k.push_back(numberedKey("FONT_DATA_", i));
        for (int i = 1; i <= kFontCount; ++i)
            k.push_back(numberedKey("FONT_COLOR_", i));
        for (int i = 1; i <= kFontCount; ++i)
            k.push_back(numberedKey("FONT_NAME_", i));
        for (int s = 1; s <= kSetCount; ++s)
            k.push_back(numberedKey("SET_", s));
        for (int n = 0; n < kScreenCount; ++n)
            k.push_back(numberedKey("SCREEN_", n));
        for (int n = 0; n < kScreenCount; ++n) {
            k.push_back(numberedKey(kRowFontsStem, n));
            k.push_back(numberedKey(kRowModesStem, n));
        }
        return k;
    }();
    return keys;
}

// The keys read backwards from their "=", as a tree: finding every key that ends
// at one "=" of a line takes a step per character matched, so no line, however
// full of "=", costs more than a few steps per character.
class KeyEndings {
public:
    explicit KeyEndings(const std::vector<std::string>& keys) {
        nodes_.emplace_back();
        for (size_t k = 0; k < keys.size(); ++k) {
            size_t node = 0;
            // The tree starts at the "=" that ends every key.
            for (size_t i = keys[k].size() - 1; i-- > 0;) {
                const int symbol = symbolOf(keys[k][i]);
                if (nodes_[node].next[size_t(symbol)] == 0) {
                    // Set before the new node is added, which may move every node.
                    nodes_[node].next[size_t(symbol)] = int16_t(nodes_.size());
                    nodes_.emplace_back();
                }
                node = size_t(nodes_[node].next[size_t(symbol)]);
            }
            nodes_[node].key = int(k);
        }
    }

    // Calls found(k) for every key k whose "=" is line[eq].
    template <class Found>
    void forEachEndingAt(std::string_view line, size_t eq, Found found) const {
        size_t node = 0;
        for (size_t i = eq; i-- > 0;) {
            const int symbol = symbolOf(line[i]);
            if (symbol < 0 || nodes_[node].next[size_t(symbol)] == 0)
                return;
            node = size_t(nodes_[node].next[size_t(symbol)]);
            if (nodes_[node].key >= 0)
                found(size_t(nodes_[node].key));
        }
    }

private:
    // Keys are made of capital letters, digits and "_".
    static constexpr int kLetters = 26, kDigits = 10, kSymbols = kLetters + kDigits + 1;
    static int symbolOf(char c) {
        if (c >= 'A' && c <= 'Z')
            return c - 'A';
        if (c >= '0' && c <= '9')
            return kLetters + (c - '0');
        return c == '_' ? kSymbols - 1 : -1;
    }
    struct Node {
        std::array<int16_t, kSymbols> next{}; // 0: no such key (the root is no one's next)
        int key = -1;
    };
    std::vector<Node> nodes_;
};

// Finds, for every key, the line that holds its value, in one pass over the lines.
// A line that starts with the key wins (that is how the program writes them, and it
// keeps a font name that happens to contain another key's text from capturing it);
// otherwise the first line containing the key anywhere is used, its value being the
// line without as many leading characters as the key has.
class KeyIndex {
public:
    explicit KeyIndex(const std::vector<std::string>& lines)
        : lines_(lines), slots_(readerKeys().size()) {
        static const KeyEndings endings(readerKeys());
        size_t longest = 0;
        for (size_t k = 0; k < readerKeys().size(); ++k) {
            numbers_.emplace(readerKeys()[k], k);
            longest = std::max(longest, readerKeys()[k].size());
        }
        const size_t count = std::min(lines.size(), kMaxProjectLines);
        for (size_t l = 0; l < count; ++l) {
            const std::string_view line = lines[l];
            const size_t firstEq = line.find('=');
            if (firstEq == std::string_view::npos)
                continue;
            // Every key ends in its only "=", so a line starting with a key starts
            // with the text up to its first "=".
            if (firstEq < longest)
                if (auto it = numbers_.find(line.substr(0, firstEq + 1)); it != numbers_.end())
                    record(slots_[it->second].starting, l);
            for (size_t eq = firstEq; eq != std::string_view::npos; eq = line.find('=', eq + 1))
                endings.forEachEndingAt(line, eq,
                                        [&](size_t k) { record(slots_[k].containing, l); });
        }
    }

    // The value of a key, empty when no line holds it.
    std::string_view value(const std::string& key) const {
        const auto it = numbers_.find(key);
        if (it == numbers_.end())
            return {};
        const Slot& slot = slots_[it->second];
        const size_t l = slot.starting != kNone ? slot.starting : slot.containing;
        if (l == kNone)
            return {};
        const std::string_view line = lines_[l];
        return line.size() > key.size() ? line.substr(key.size()) : std::string_view{};
    }

private:
    static constexpr size_t kNone = size_t(-1);
    struct Slot {
        size_t starting = kNone;
        size_t containing = kNone;
    };
    static void record(size_t& slot, size_t line) {
        if (slot == kNone)
            slot = line;
    }

    const std::vector<std::string>& lines_;
    std::vector<Slot> slots_; // by the key's place in readerKeys()
    std::unordered_map<std::string_view, size_t> numbers_;
};

// The fields of a value, split at single spaces; past the last one every field is
// empty and reads as 0.
class Fields {
public:
    explicit Fields(std::string_view value) : value_(value) {}

    std::string_view next() {
        if (pos_ > value_.size())
            return {};
        // Fields are a few characters long: a plain scan beats a call to a search.
        size_t end = pos_;
        while (end < value_.size() && value_[end] != ' ')
            ++end;
        const std::string_view piece = value_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return piece;
    }
    int64_t nextNumber() { return readTextNumber(next()); }

private:
    std::string_view value_;
    size_t pos_ = 0;
};

// A text value kept on its one line: every control character (CR and LF above
// all, which would split the line and shift every line after it) becomes a space.
// Everything else stays byte for byte.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

void appendNumber(std::string& line, int64_t value, bool trailingSpace) {
    line += std::to_string(value);
    if (trailingSpace)
        line += ' ';
}

// A row table with every value a row table may not hold read as follow.
RowTable checkedRowTable(const RowTable& table) {
    RowTable checked;
    for (int row = 0; row < kRowTableRows; ++row) {
        if (table.font[row] <= kFontCount)
            checked.font[row] = table.font[row];
        if (isRowMode(table.mode[row]))
            checked.mode[row] = table.mode[row];
    }
    return checked;
}

std::string rowTableLine(const char* stem, int screen, const uint8_t (&values)[kRowTableRows]) {
    std::string line = numberedKey(stem, screen);
    for (int row = 0; row < kRowTableRows; ++row) {
        if (row > 0)
            line += kRowFieldSeparator;
        line += std::to_string(values[row]);
    }
    return line;
}

// One field of a row table line: plain decimal digits, spaces and tabs around them
// allowed. Anything else, and a value that is not `valid`, reads as 0.
template <class Valid> uint8_t rowTableField(std::string_view field, Valid valid) {
    constexpr size_t kMostDigits = 3;
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.empty() || field.size() > kMostDigits)
        return 0;
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return 0;
        value = 10 * value + (c - '0');
    }
    return valid(value) ? uint8_t(value) : 0;
}

// The 24 values of a row table line; rows without a field read as 0 and fields
// past the 24th are ignored.
template <class Valid>
void readRowTableLine(std::string_view value, uint8_t (&values)[kRowTableRows], Valid valid) {
    for (int row = 0; row < kRowTableRows; ++row) {
        const size_t end = std::min(value.find(kRowFieldSeparator), value.size());
        values[row] = rowTableField(value.substr(0, end), valid);
        value.remove_prefix(std::min(end + 1, value.size()));
    }
}

} // namespace

std::vector<std::string> writeProjectLines(Document& doc) {
    std::vector<std::string> lines;
    lines.reserve(153);
    lines.push_back(kProjectVersionLine);
    lines.push_back("[GLOBAL]");

    std::string multi = "MULTI_V_F=";
    for (int r = 1; r <= 5; ++r)
        appendNumber(multi, doc.MultiViewFonts[r], true);
    lines.push_back(multi);

    const int64_t viewEditor[8] = {doc.gridShown,        doc.setDrawing, doc.alwaysOnTop,
                                   rangeModeNumber(doc), doc.rangeX,     doc.rangeY,
                                   doc.rangeWidth,       doc.rangeHeight};
    for (int k = 0; k < 8; ++k)
        lines.push_back(kViewEditorKeys[k] + std::to_string(viewEditor[k]));

    lines.push_back("[FONTS & COLOR]");
    for (int i = 1; i <= kFontCount; ++i) {
        lines.push_back(numberedKey("FONT_NAME_", i) + oneLine(doc.FontName[i]));
        std::string colours = numberedKey("FONT_COLOR_", i);
        for (int r = 1; r <= 6; ++r)
            appendNumber(colours, doc.FontColours[i][r], r < 6);
        lines.push_back(colours);
        encodeFont(doc, i);
        std::string data = numberedKey("FONT_DATA_", i);
        data.reserve(data.size() + 4 * kFontBytes);
        for (int b = 0; b < kFontBytes; ++b)
            appendNumber(data, doc.FontBuffer[b], true);
        lines.push_back(data);
    }

    lines.push_back("[SETS]");
    for (int s = 1; s <= kSetCount; ++s) {
        std::string set = numberedKey("SET_", s);
        for (int c = 0; c < kSetCells; ++c)
            appendNumber(set, doc.Sets[s][c], true);
        lines.push_back(set);
    }

    lines.push_back("[VIEW EDITOR SCREENS]");
    for (int n = 0; n < kScreenCount; ++n) {
        std::string screen = numberedKey("SCREEN_", n);
        screen.reserve(screen.size() + 4 * kScreenCells);
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                appendNumber(screen, getCell(doc, n, column, row), true);
        lines.push_back(screen);
    }

    for (int n = 0; n < kScreenCount; ++n) {
        const RowTable table = checkedRowTable(doc.rowTables[n]);
        if (isDefaultRowTable(table))
            continue;
        lines.push_back(rowTableLine(kRowFontsStem, n, table.font));
        lines.push_back(rowTableLine(kRowModesStem, n, table.mode));
    }
    return lines;
}

void readProjectLines(Document& doc, const std::vector<std::string>& lines) {
    const KeyIndex index(lines);
    // Runs `apply` on the fields of a key's value; an empty value changes nothing.
    auto withFields = [&](const std::string& key, auto apply) {
        const std::string_view value = index.value(key);
        if (value.empty())
            return;
        Fields fields(value);
        apply(fields);
    };

    uint8_t* const byteSwitches[3] = {&doc.gridShown, &doc.setDrawing, &doc.alwaysOnTop};
    for (int k = 0; k < 3; ++k)
        withFields(kViewEditorKeys[k],
                   [&](Fields& f) { *byteSwitches[k] = asByte(f.nextNumber()); });
    withFields(kViewEditorKeys[3],
               [&](Fields& f) { setRangeModeNumber(doc, asInt32(f.nextNumber())); });
    uint8_t* const range[4] = {&doc.rangeX, &doc.rangeY, &doc.rangeWidth, &doc.rangeHeight};
    for (int k = 0; k < 4; ++k)
        withFields(kViewEditorKeys[4 + k], [&](Fields& f) { *range[k] = asByte(f.nextNumber()); });

    withFields("MULTI_V_F=", [&](Fields& f) {
        for (int r = 1; r <= 5; ++r)
            doc.MultiViewFonts[r] = f.nextNumber();
    });

    for (int i = 1; i <= kFontCount; ++i)
        withFields(numberedKey("FONT_DATA_", i), [&](Fields& f) {
            for (int b = 0; b < kFontBytes; ++b)
                doc.FontBuffer[b] = asByte(f.nextNumber());
            decodeFont(doc, i);
        });

    for (int i = 1; i <= kFontCount; ++i)
        withFields(numberedKey("FONT_COLOR_", i), [&](Fields& f) {
            for (int r = 1; r <= 6; ++r)
                doc.FontColours[i][r] = f.nextNumber() & kRgbMask;
        });

    for (int i = 1; i <= kFontCount; ++i) {
        const std::string_view name = index.value(numberedKey("FONT_NAME_", i));
        if (!name.empty())
            doc.FontName[i] = std::string(name);
    }

    for (int s = 1; s <= kSetCount; ++s)
        withFields(numberedKey("SET_", s), [&](Fields& f) {
            for (int c = 0; c < kSetCells; ++c)
                doc.Sets[s][c] = asInt16(f.nextNumber());
        });

    for (int n = 0; n < kScreenCount; ++n)
        withFields(numberedKey("SCREEN_", n), [&](Fields& f) {
            for (int row = 0; row < kScreenRows; ++row)
                for (int column = 0; column < kScreenColumns; ++column)
                    setCell(doc, n, column, row, asByte(f.nextNumber()));
        });

    // A screen read from the file takes its row table from the file too: a project
    // without one for it has all follow entries there.
    for (int n = 0; n < kScreenCount; ++n) {
        if (!index.value(numberedKey("SCREEN_", n)).empty())
            doc.rowTables[n] = RowTable{};
        const std::string_view fonts = index.value(numberedKey(kRowFontsStem, n));
        if (!fonts.empty())
            readRowTableLine(fonts, doc.rowTables[n].font,
                             [](int font) { return font <= kFontCount; });
        const std::string_view modes = index.value(numberedKey(kRowModesStem, n));
        if (!modes.empty())
            readRowTableLine(modes, doc.rowTables[n].mode, isRowMode);
    }
}

bool saveProjectFile(Document& doc, const std::string& path, std::string* error) {
    doc.projectPath = path;
    return writeFileAtomic(path, joinCrLf(writeProjectLines(doc)), error);
}

bool loadProjectFile(Document& doc, const std::string& path) {
    const auto lines = readProjectFileLines(path);
    if (!lines)
        return false;
    readProjectLines(doc, *lines);
    doc.projectPath = path;
    return true;
}

void loadProjectBytes(Document& doc, ByteView bytes) {
    readProjectLines(doc, splitFileLines(bytes));
}

} // namespace korvex
