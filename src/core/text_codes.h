#pragma once
// Text as the Atari shows it: characters turn into ATASCII and then into the
// internal codes the screen memory holds.

#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

// ATASCII 32..95 -> 0..63, 0..31 -> 64..95, 96..127 unchanged. Any other value is
// taken as the question mark's code, as it has no glyph of its own.
int screenCodeOfCharacter(char32_t character);

// One screen code per character; `inverse` adds 128 to each.
std::vector<int> screenCodesOfText(const std::u32string& text, bool inverse);

} // namespace korvex
