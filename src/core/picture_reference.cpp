#include "core/picture_reference.h"

#include "core/cell_merging.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace korvex {

namespace {

constexpr uint64_t kLowBitsOfPairs = 0x5555555555555555ULL;

// Atari pixels whose register differs between two cells.
int differingPixels(int mode, const ScreenCell& a, const ScreenCell& b) {
    if (mode == kTwoColourMode) {
        const GlyphBits pa = a.inverse ? ~a.bits : a.bits, pb = b.inverse ? ~b.bits : b.bits;
        return std::popcount(pa ^ pb);
    }
    const GlyphBits x = a.bits ^ b.bits;
    int count = std::popcount((x | (x >> 1)) & kLowBitsOfPairs);
    if (a.inverse != b.inverse) // both 11, one PF2 and the other PF3
        count += std::popcount(a.bits & (a.bits >> 1) & b.bits & (b.bits >> 1) & kLowBitsOfPairs);
    return count;
}

} // namespace

CellScreen referenceCells(const CellScreen& target, const RowDivision& bands) {
    const CellCatalogue catalogue = catalogueCells(target);
    CellScreen shown = target;
    for (size_t b = 0; b < bands.starts.size(); ++b) {
        const int first = bands.starts[b], end = bands.bandEnd(b, kScreenRows);
        const BandCells band = bandCells(catalogue, first, end);
        if (band.keys.size() <= size_t(kGlyphsPerFont))
            continue;
        std::vector<int> uses(catalogue.keys.size(), 0);
        for (size_t j = 0; j < band.items.size(); ++j)
            uses[size_t(catalogue.itemKey[size_t(band.items[j])])] += int(band.weights[j]);
        std::vector<int> kept = band.keys; // in order of first use: ties keep the earlier
        std::stable_sort(kept.begin(), kept.end(),
                         [&](int a, int b) { return uses[size_t(a)] > uses[size_t(b)]; });
        kept.resize(size_t(kGlyphsPerFont));
        std::vector<uint8_t> isKept(catalogue.keys.size(), 0);
        for (int k : kept)
            isKept[size_t(k)] = 1;
        for (int i = first * kScreenColumns; i < end * kScreenColumns; ++i) {
            const ScreenCell& cell = target.cells[size_t(i)];
            const int item = catalogue.cellItem[size_t(i)];
            if (isKept[size_t(catalogue.itemKey[size_t(item)])])
                continue;
            int fewest = std::numeric_limits<int>::max();
            for (int k : kept)
                for (bool inverse : {false, true}) {
                    const ScreenCell trial{catalogue.keys[size_t(k)], inverse};
                    const int d = differingPixels(target.mode, cell, trial);
                    if (d < fewest) {
                        fewest = d;
                        shown.cells[size_t(i)] = trial;
                    }
                }
        }
    }
    return shown;
}

} // namespace korvex
