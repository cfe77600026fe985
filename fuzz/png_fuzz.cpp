// PNG pictures: any bytes decode to a picture or to nothing, within bounded time and
// memory; a decoded picture, encoded again, decodes to the same pixels.

#include "formats/png_codec.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {
// Encoding a big picture costs more than decoding it; the round trip of the largest
// ones adds nothing a smaller one would not find.
constexpr size_t kLargestRoundTrip = 256 * 1024;
constexpr uint32_t kLargestRgb = 0xFFFFFF;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto picture = decodePng(bytesOf(data, size));
    if (!picture)
        return 0;
    require(!picture->empty() && picture->width <= kMaxPictureSide &&
                picture->height <= kMaxPictureSide &&
                picture->pixels.size() == size_t(picture->width) * size_t(picture->height),
            "a decoded picture has the pixels its size says");
    require(std::all_of(picture->pixels.begin(), picture->pixels.end(),
                        [](uint32_t rgb) { return rgb <= kLargestRgb; }),
            "every pixel is a 24-bit colour");
    if (picture->pixels.size() > kLargestRoundTrip)
        return 0;
    const auto again = decodePng(encodePng(*picture));
    require(again && again->width == picture->width && again->height == picture->height &&
                again->pixels == picture->pixels,
            "an encoded picture decodes to the same pixels");
    return 0;
}
