// PNG pictures: any bytes decode to a picture or to nothing, within bounded time and
// memory; a decoded picture, encoded again, decodes to the same pixels.

#include "formats/png_codec.h"
#include "fuzz_support.h"

using namespace korvex;
using namespace korvex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkPictureRoundTrip(
        data, size, [](ByteView bytes) { return decodePng(bytes); },
        [](const RgbPicture& picture) { return encodePng(picture); });
    return 0;
}
