#include "core/picture_error.h"

#include "core/palette.h"

#include <array>
#include <cmath>
#include <limits>

namespace korvex {

namespace {

constexpr double kPeak = 255.0;
constexpr int kBoxArea = 9;

// The 3 x 3 box sums of one channel, edges repeated; 9 times the blurred value.
std::vector<int> boxSums(const std::vector<int>& plane) {
    std::vector<int> across(plane.size()), out(plane.size());
    for (int y = 0; y < kViewHeight; ++y) {
        const int* row = &plane[size_t(y) * kViewWidth];
        int* to = &across[size_t(y) * kViewWidth];
        for (int x = 0; x < kViewWidth; ++x)
            to[x] = row[x > 0 ? x - 1 : 0] + row[x] + row[x < kViewWidth - 1 ? x + 1 : x];
    }
    for (int y = 0; y < kViewHeight; ++y) {
        const int* up = &across[size_t(y > 0 ? y - 1 : 0) * kViewWidth];
        const int* mid = &across[size_t(y) * kViewWidth];
        const int* down = &across[size_t(y < kViewHeight - 1 ? y + 1 : y) * kViewWidth];
        int* to = &out[size_t(y) * kViewWidth];
        for (int x = 0; x < kViewWidth; ++x)
            to[x] = up[x] + mid[x] + down[x];
    }
    return out;
}

} // namespace

std::vector<uint32_t> drawCellScreen(const CellScreen& screen) {
    std::array<uint32_t, 7> rgb{};
    for (int r = 1; r <= 6; ++r)
        rgb[size_t(r)] = uint32_t(atariRgb(screen.colours[size_t(r)]));
    const int across = cellPixelsAcross(screen.mode);
    const int wide = kCellSize / across;
    std::vector<uint32_t> view(size_t(kViewWidth) * kViewHeight);
    for (int cell = 0; cell < kScreenCellCount; ++cell) {
        const ScreenCell& c = screen.cells[size_t(cell)];
        const int left = cell % kScreenColumns * kCellSize, top = cell / kScreenColumns * kCellSize;
        for (int y = 0; y < kCellSize; ++y) {
            uint32_t* row = &view[size_t(top + y) * kViewWidth + size_t(left)];
            for (int x = 0; x < across; ++x) {
                const uint32_t colour = rgb[size_t(registerOfValue(
                    screen.mode, pixelValue(c.bits, screen.mode, x, y), c.inverse))];
                for (int i = 0; i < wide; ++i)
                    row[x * wide + i] = colour;
            }
        }
    }
    return view;
}

ScreenError screenError(const CellScreen& shown, const CellScreen& target) {
    const std::vector<uint32_t> a = drawCellScreen(shown);
    const std::vector<uint32_t> b = drawCellScreen(target);
    ScreenError error;
    const int wide = kCellSize / cellPixelsAcross(shown.mode);
    for (int y = 0; y < kViewHeight; ++y)
        for (int x = 0; x < kViewWidth; x += wide)
            error.differingPixels +=
                a[size_t(y) * kViewWidth + size_t(x)] != b[size_t(y) * kViewWidth + size_t(x)];
    error.differingShare =
        double(error.differingPixels) / (double(kViewWidth / wide) * kViewHeight);
    if (error.differingPixels == 0) {
        error.psnr = std::numeric_limits<double>::infinity();
        return error;
    }
    double total = 0;
    std::vector<int> plane(a.size());
    for (int channel = 0; channel < 3; ++channel) {
        const int shift = 8 * channel;
        for (size_t i = 0; i < a.size(); ++i)
            plane[i] = int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF);
        for (int s : boxSums(plane))
            total += double(s) * double(s);
    }
    error.meanSquaredError = total / (double(kBoxArea) * kBoxArea) / (double(a.size()) * 3);
    error.psnr = error.meanSquaredError > 0
                     ? 10.0 * std::log10(kPeak * kPeak / error.meanSquaredError)
                     : std::numeric_limits<double>::infinity();
    return error;
}

} // namespace korvex
