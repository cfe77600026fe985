#pragma once
// How a picture loader reads transparency. The canvases show pictures over black, so
// the loaders composite over black by default; the picture-to-screen conversion
// needs the alpha itself, as transparent pixels there take the background colour.

#include <cstdint>

namespace korvex {

enum class PictureAlpha {
    OverBlack, // packed RGB, each channel weighted by the alpha; bits 24..31 clear
    Kept,      // the stored (straight) colour with the alpha 0..255 in bits 24..31;
               // 255 for every pixel of a file without transparency
};

constexpr int kAlphaShift = 24;
constexpr uint32_t kOpaqueAlphaBits = uint32_t(0xFF) << kAlphaShift;

constexpr uint32_t alphaOf(uint32_t keptPixel) {
    return keptPixel >> kAlphaShift;
}

} // namespace korvex
