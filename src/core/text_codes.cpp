#include "core/text_codes.h"

namespace korvex {

namespace {

constexpr char32_t kLastAscii = 127;
constexpr char32_t kStandIn = U'?';
constexpr int kInverseOffset = 128;

} // namespace

int screenCodeOfCharacter(char32_t character) {
    if (character > kLastAscii)
        character = kStandIn;
    const int code = int(character);
    if (code < 32)
        return code + 64;
    if (code < 96)
        return code - 32;
    return code;
}

std::vector<int> screenCodesOfText(const std::u32string& text, bool inverse) {
    std::vector<int> codes;
    codes.reserve(text.size());
    for (const char32_t character : text)
        codes.push_back(screenCodeOfCharacter(character) + (inverse ? kInverseOffset : 0));
    return codes;
}

} // namespace korvex
