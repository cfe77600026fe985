#include "core/picture_fit.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

// How much of source pixel `source` (covering [start, end) on the screen) falls on
// each screen pixel it touches; screen pixel k covers [k * size, (k + 1) * size).
struct Share {
    int source;
    int target;
    double weight;
};

std::vector<Share> shares(int sourceCount, double offset, double span, int targetCount,
                          double size) {
    std::vector<Share> out;
    const double step = span / sourceCount;
    for (int s = 0; s < sourceCount; ++s) {
        const double start = offset + s * step;
        const double end = start + step;
        const int first = std::max(0, int(std::floor(start / size)));
        const int last = std::min(targetCount - 1, int(std::ceil(end / size)) - 1);
        for (int t = first; t <= last; ++t) {
            const double overlap = std::min(end, (t + 1) * size) - std::max(start, t * size);
            if (overlap > 0)
                out.push_back({s, t, overlap});
        }
    }
    return out;
}

} // namespace

PictureRows pictureRows(const RgbPicture& picture) {
    PictureRows rows;
    if (picture.empty() || picture.pixels.size() < size_t(picture.width) * size_t(picture.height))
        return rows;
    rows.width = picture.width;
    rows.height = picture.height;
    rows.readRow = [&picture](int y, uint32_t* rgb, uint8_t* opaque) {
        const uint32_t* from = picture.pixels.data() + size_t(y) * size_t(picture.width);
        std::copy_n(from, picture.width, rgb);
        std::fill_n(opaque, picture.width, uint8_t(1));
    };
    return rows;
}

PictureRows pictureRowsWithAlpha(const RgbPicture& picture) {
    constexpr int kAlphaShift = 24;
    constexpr uint32_t kColourBits = 0xFFFFFF;
    constexpr uint32_t kHalfOpaque = 128;
    PictureRows rows = pictureRows(picture);
    if (rows.width == 0)
        return rows;
    rows.readRow = [&picture](int y, uint32_t* rgb, uint8_t* opaque) {
        const uint32_t* from = picture.pixels.data() + size_t(y) * size_t(picture.width);
        for (int x = 0; x < picture.width; ++x) {
            rgb[x] = from[x] & kColourBits;
            opaque[x] = uint8_t((from[x] >> kAlphaShift) >= kHalfOpaque);
        }
    };
    return rows;
}

FittedPicture fitPicture(const PictureRows& picture, int mode) {
    FittedPicture fitted;
    fitted.pixelWidth = mode == 4 ? 2 : 1;
    fitted.width = kFitWidth / fitted.pixelWidth;
    const size_t count = size_t(fitted.width) * size_t(fitted.height);
    fitted.red.assign(count, 0);
    fitted.green.assign(count, 0);
    fitted.blue.assign(count, 0);
    fitted.background.assign(count, 1);
    if (picture.width <= 0 || picture.height <= 0 || !picture.readRow)
        return fitted;

    // The picture's place on the 320 x 192 screen: scaled to fit, aspect kept, centred
    // (in four-colour mode on a whole Atari pixel).
    const double scale =
        std::min(double(kFitWidth) / picture.width, double(kFitHeight) / picture.height);
    const int fittedWidth = std::clamp(int(std::lround(picture.width * scale)), 1, kFitWidth);
    const int fittedHeight = std::clamp(int(std::lround(picture.height * scale)), 1, kFitHeight);
    int left = (kFitWidth - fittedWidth) / 2;
    left -= left % fitted.pixelWidth;
    const int top = (kFitHeight - fittedHeight) / 2;

    const std::vector<Share> across =
        shares(picture.width, left, fittedWidth, fitted.width, fitted.pixelWidth);
    const std::vector<Share> down = shares(picture.height, top, fittedHeight, fitted.height, 1);

    std::vector<uint32_t> rgb(size_t(picture.width));
    std::vector<uint8_t> opaque(size_t(picture.width));
    // Per Atari pixel of one source row, then of the whole screen: red, green, blue
    // weighted by the opaque area, and the opaque area.
    std::vector<double> rowSums(size_t(fitted.width) * 4);
    std::vector<double> sums(count * 4, 0.0);
    size_t next = 0;
    for (int y = 0; y < picture.height; ++y) {
        if (next >= down.size() || down[next].source != y)
            continue; // a row that covers no pixel (never with this fitting)
        picture.readRow(y, rgb.data(), opaque.data());
        std::fill(rowSums.begin(), rowSums.end(), 0.0);
        for (const Share& s : across) {
            if (!opaque[size_t(s.source)])
                continue;
            const uint32_t c = rgb[size_t(s.source)];
            double* to = &rowSums[size_t(s.target) * 4];
            to[0] += s.weight * double(c & 0xFF);
            to[1] += s.weight * double((c >> 8) & 0xFF);
            to[2] += s.weight * double((c >> 16) & 0xFF);
            to[3] += s.weight;
        }
        for (; next < down.size() && down[next].source == y; ++next) {
            double* to = &sums[size_t(down[next].target) * size_t(fitted.width) * 4];
            const double w = down[next].weight;
            for (size_t i = 0; i < rowSums.size(); ++i)
                to[i] += w * rowSums[i];
        }
    }
    const double halfArea = 0.5 * fitted.pixelWidth;
    for (size_t i = 0; i < count; ++i) {
        const double area = sums[i * 4 + 3];
        if (area < halfArea - 1e-9)
            continue;
        fitted.background[i] = 0;
        fitted.red[i] = float(sums[i * 4] / area);
        fitted.green[i] = float(sums[i * 4 + 1] / area);
        fitted.blue[i] = float(sums[i * 4 + 2] / area);
    }
    return fitted;
}

} // namespace korvex
