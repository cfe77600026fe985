#include "formats/recovery_copy.h"

#include "formats/project_file.h"
#include "formats/text_number.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace korvex {

namespace {

const char* const kSectionLine = "[RECOVERY]";
const char* const kFontKey = "CURRENT_FONT=";
const char* const kSetKey = "CURRENT_SET=";
const char* const kGlyphKey = "CURRENT_GLYPH=";
const char* const kWorkingColoursKey = "WORKING_COLORS=";
const char* const kRegisterValuesKey = "ATARI_COLORS=";

constexpr int64_t kRgbMask = 0xFFFFFF;
constexpr int64_t kLastGlyphCode = 255;
constexpr int64_t kLastAtariColour = 255;

std::string numbers(const char* key, const int64_t* values, int count) {
    std::string line = key;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line += ' ';
        line += std::to_string(values[i]);
    }
    return line;
}

// Where the section starts in the lines, or lines.size() when it is missing.
size_t sectionStart(const std::vector<std::string>& lines) {
    return size_t(std::find(lines.begin(), lines.end(), kSectionLine) - lines.begin());
}

// The numbers of the section line that starts with `key`, split at single spaces;
// empty when there is no such line.
std::vector<int64_t> sectionValues(const std::vector<std::string>& lines, size_t start,
                                   const char* key) {
    const size_t keyLength = std::strlen(key);
    for (size_t l = start; l < lines.size(); ++l) {
        const std::string_view line = lines[l];
        if (line.substr(0, keyLength) != key)
            continue;
        std::vector<int64_t> values;
        std::string_view rest = line.substr(keyLength);
        while (!rest.empty()) {
            const size_t space = rest.find(' ');
            values.push_back(readTextNumber(rest.substr(0, space)));
            rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
        }
        return values;
    }
    return {};
}

// Sets `target` to the key's single value when it lies in first..last.
void readRanged(const std::vector<std::string>& lines, size_t start, const char* key, int64_t first,
                int64_t last, int64_t& target) {
    const auto values = sectionValues(lines, start, key);
    if (!values.empty() && values[0] >= first && values[0] <= last)
        target = values[0];
}

} // namespace

RecoverySnapshot takeRecoverySnapshot(Document& doc) {
    // The project writer goes through FontBuffer; a command may be holding an
    // encoded font there.
    uint8_t keptBuffer[sizeof doc.FontBuffer];
    std::memcpy(keptBuffer, doc.FontBuffer, sizeof keptBuffer);
    RecoverySnapshot snapshot;
    snapshot.project = joinCrLf(writeProjectLines(doc));
    std::memcpy(doc.FontBuffer, keptBuffer, sizeof keptBuffer);

    int64_t working[6];
    for (int r = LUM; r <= PF3; ++r)
        working[r - 1] = workingColour(doc, r);
    snapshot.extras = joinCrLf({
        kSectionLine,
        kFontKey + std::to_string(doc.CurrentFont),
        kSetKey + std::to_string(doc.CurrentSet),
        kGlyphKey + std::to_string(doc.CurrentGlyph),
        numbers(kWorkingColoursKey, working, 6),
        numbers(kRegisterValuesKey, doc.AtariColour + 1, 6),
    });
    return snapshot;
}

bool isRecoveryCopy(ByteView bytes) {
    const auto lines = splitFileLines(bytes);
    return sectionStart(lines) < lines.size();
}

bool readRecoveryCopy(Document& doc, ByteView bytes) {
    const auto lines = splitFileLines(bytes);
    const size_t start = sectionStart(lines);
    if (start == lines.size())
        return false;
    readProjectLines(doc, lines);

    readRanged(lines, start, kFontKey, 1, kFontCount, doc.CurrentFont);
    readRanged(lines, start, kSetKey, 1, kSetCount, doc.CurrentSet);
    readRanged(lines, start, kGlyphKey, 0, kLastGlyphCode, doc.CurrentGlyph);
    const auto working = sectionValues(lines, start, kWorkingColoursKey);
    for (int r = LUM; r <= PF3 && size_t(r) <= working.size(); ++r)
        workingColour(doc, r) = working[r - 1] & kRgbMask;
    const auto registers = sectionValues(lines, start, kRegisterValuesKey);
    for (int r = LUM; r <= PF3 && size_t(r) <= registers.size(); ++r)
        if (registers[r - 1] >= 0 && registers[r - 1] <= kLastAtariColour)
            doc.AtariColour[r] = registers[r - 1];
    return true;
}

} // namespace korvex
