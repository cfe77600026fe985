// BMP pictures: any bytes decode to a picture or to nothing, within bounded time and
// memory; a decoded picture, encoded again, decodes to the same pixels.

#include "formats/bmp_codec.h"
#include "formats/png_codec.h"
#include "fuzz_support.h"

using namespace korvex;
using namespace korvex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkPictureRoundTrip(
        data, size, [](ByteView bytes) { return decodeBmp(bytes); },
        [](const RgbPicture& picture) { return encodeBmp(picture); });
    return 0;
}
