#include "core/cell_merging.h"

#include "core/picture_colours.h"

#include <algorithm>
#include <limits>
#include <map>
#include <queue>

namespace korvex {

namespace {

constexpr int kRefineRounds = 6;
constexpr size_t kNearKeys = 48; // per item, kept in order for the dropping of keys
constexpr int kKernelReach = 2;
// The blur's autocorrelation one way, over display pixels: 1 2 3 2 1 (/ 9); a
// four-colour pixel is two display pixels wide, which gives 4 10 4 (/ 9) across.
constexpr float kDown[5] = {1.f / 9, 2.f / 9, 3.f / 9, 2.f / 9, 1.f / 9};
constexpr float kAcrossWide[5] = {0, 4.f / 9, 10.f / 9, 4.f / 9, 0};
constexpr uint64_t kLowBitsOfPairs = 0x5555555555555555ULL;

bool showsThree(GlyphBits bits) {
    return (bits & (bits >> 1) & kLowBitsOfPairs) != 0;
}

// Two-colour pattern of the pixels shown in LUM.
GlyphBits lumPattern(const ScreenCell& c) {
    return c.inverse ? ~c.bits : c.bits;
}

struct Rgb3 {
    float c[3];
};

float dot(const Rgb3& a, const Rgb3& b) {
    return a.c[0] * b.c[0] + a.c[1] * b.c[1] + a.c[2] * b.c[2];
}

// Cell pixel colours convolved with the blur's autocorrelation, within the cell.
class CellKernel {
public:
    explicit CellKernel(int mode)
        : across_(cellPixelsAcross(mode)), kx_(mode == kFourColourMode ? kAcrossWide : kDown) {}
    int across() const { return across_; }
    int pixels() const { return across_ * kCellSize; }

    void apply(const Rgb3* in, Rgb3* out) const {
        Rgb3 rows[64];
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < across_; ++x) {
                Rgb3 s{};
                for (int d = -kKernelReach; d <= kKernelReach; ++d) {
                    const int xx = x + d;
                    if (xx < 0 || xx >= across_ || kx_[d + kKernelReach] == 0)
                        continue;
                    for (int ch = 0; ch < 3; ++ch)
                        s.c[ch] += kx_[d + kKernelReach] * in[y * across_ + xx].c[ch];
                }
                rows[y * across_ + x] = s;
            }
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < across_; ++x) {
                Rgb3 s{};
                for (int d = -kKernelReach; d <= kKernelReach; ++d) {
                    const int yy = y + d;
                    if (yy < 0 || yy >= kCellSize)
                        continue;
                    for (int ch = 0; ch < 3; ++ch)
                        s.c[ch] += kDown[d + kKernelReach] * rows[yy * across_ + x].c[ch];
                }
                out[y * across_ + x] = s;
            }
    }

    // d' K d for pixel colours d.
    float energy(const Rgb3* colours) const {
        Rgb3 w[64];
        apply(colours, w);
        float sum = 0;
        for (int p = 0; p < pixels(); ++p)
            sum += dot(colours[p], w[p]);
        return sum;
    }

private:
    int across_;
    const float* kx_;
};

} // namespace

bool sameCellPixels(int mode, const ScreenCell& a, const ScreenCell& b) {
    if (mode == kTwoColourMode)
        return lumPattern(a) == lumPattern(b);
    return a.bits == b.bits && (a.inverse == b.inverse || !showsThree(a.bits));
}

CellCatalogue catalogueCells(const CellScreen& target) {
    CellCatalogue out;
    out.mode = target.mode;
    std::map<std::pair<GlyphBits, bool>, int> itemIndex;
    std::map<GlyphBits, int> keyIndex;
    for (int i = 0; i < kScreenCellCount; ++i) {
        const ScreenCell& t = target.cells[size_t(i)];
        ScreenCell item = t;
        if (target.mode == kTwoColourMode) {
            const GlyphBits lum = lumPattern(t);
            item.bits = std::min(lum, ~lum);
            item.inverse = item.bits != lum;
        } else {
            item.inverse = t.inverse && showsThree(t.bits);
        }
        auto [at, added] = itemIndex.try_emplace({item.bits, item.inverse}, int(out.items.size()));
        if (added) {
            out.items.push_back(item);
            auto [k, newKey] = keyIndex.try_emplace(item.bits, int(out.keys.size()));
            if (newKey)
                out.keys.push_back(item.bits);
            out.itemKey.push_back(k->second);
        }
        out.cellItem[size_t(i)] = at->second;
    }
    return out;
}

MergeCosts::MergeCosts(const CellCatalogue& catalogue, const ColourRegisters& colours)
    : keyCount_(catalogue.keys.size()) {
    const int mode = catalogue.mode;
    const CellKernel kernel(mode);
    const int across = kernel.across();
    const int pixels = kernel.pixels();
    Rgb3 reg[7]{};
    for (int r = 1; r <= 6; ++r) {
        const ColourRgb c = atariColourRgb(colours[size_t(r)]);
        reg[r] = {{c.r, c.g, c.b}};
    }
    // Colour of pixel value v shown plain (s = 0) or inverse (s = 1).
    Rgb3 shown[2][4]{};
    for (int s = 0; s < 2; ++s)
        for (int v = 0; v < (mode == kFourColourMode ? 4 : 2); ++v)
            shown[s][v] = reg[registerOfValue(mode, v, s != 0)];

    // Each key drawn plain and inverse: its d' K d.
    const size_t keys = catalogue.keys.size();
    std::vector<float> keyEnergy(keys * 2);
    Rgb3 colour[64];
    for (size_t k = 0; k < keys; ++k)
        for (int s = 0; s < 2; ++s) {
            for (int p = 0; p < pixels; ++p)
                colour[p] = shown[s][pixelValue(catalogue.keys[k], mode, p % across, p / across)];
            keyEnergy[k * 2 + size_t(s)] = kernel.energy(colour);
        }

    cost_.assign(catalogue.items.size() * keys, 0.0f);
    inverse_.assign(catalogue.items.size() * keys, 0);
    // Per item: |B(g - t)|^2 = g'Kg - 2 g'Kt + t'Kt, the middle term summed from
    // tables of each row byte's share.
    const int half = across / 2;
    const int bitsPerPixel = mode == kFourColourMode ? 2 : 1;
    std::vector<float> table(size_t(2) * kCellSize * 256);
    for (size_t i = 0; i < catalogue.items.size(); ++i) {
        const ScreenCell& item = catalogue.items[i];
        for (int p = 0; p < pixels; ++p)
            colour[p] = reg[registerOfValue(
                mode, pixelValue(item.bits, mode, p % across, p / across), item.inverse)];
        Rgb3 blurred[64];
        kernel.apply(colour, blurred);
        float itemEnergy = 0;
        for (int p = 0; p < pixels; ++p)
            itemEnergy += dot(colour[p], blurred[p]);
        for (int s = 0; s < 2; ++s)
            for (int y = 0; y < kCellSize; ++y) {
                float nibble[2][16];
                for (int h = 0; h < 2; ++h)
                    for (int n = 0; n < 16; ++n) {
                        float sum = 0;
                        for (int j = 0; j < half; ++j) {
                            const int shift = 4 - bitsPerPixel * (j + 1);
                            const int v = (n >> shift) & ((1 << bitsPerPixel) - 1);
                            sum += dot(shown[s][v], blurred[y * across + h * half + j]);
                        }
                        nibble[h][n] = sum;
                    }
                float* row = &table[(size_t(s) * kCellSize + size_t(y)) * 256];
                for (int b = 0; b < 256; ++b)
                    row[b] = nibble[0][b >> 4] + nibble[1][b & 15];
            }
        const float* plain = table.data();
        const float* inverse = table.data() + kCellSize * 256;
        for (size_t k = 0; k < keys; ++k) {
            const size_t at = index(int(i), int(k));
            if (int(k) == catalogue.itemKey[i]) {
                inverse_[at] = item.inverse;
                continue; // shown as it is: no error
            }
            const GlyphBits g = catalogue.keys[k];
            float x0 = 0, x1 = 0;
            for (int y = 0; y < kCellSize; ++y) {
                const size_t b = size_t((g >> (8 * y)) & 0xFF);
                x0 += plain[y * 256 + int(b)];
                x1 += inverse[y * 256 + int(b)];
            }
            const float e0 = keyEnergy[k * 2] - 2 * x0 + itemEnergy;
            const float e1 = keyEnergy[k * 2 + 1] - 2 * x1 + itemEnergy;
            inverse_[at] = e1 < e0;
            cost_[at] = std::max(0.0f, std::min(e0, e1));
        }
    }
    // Each item's nearest keys, by insertion into a short sorted list.
    nearCount_ = std::min(keys, kNearKeys);
    near_.resize(catalogue.items.size() * nearCount_);
    std::vector<std::pair<float, int>> nearest(nearCount_);
    for (size_t i = 0; i < catalogue.items.size(); ++i) {
        size_t filled = 0;
        const float* row = &cost_[index(int(i), 0)];
        for (size_t k = 0; k < keys; ++k) {
            if (filled == nearCount_ && row[k] >= nearest[filled - 1].first)
                continue;
            size_t at = filled < nearCount_ ? filled++ : filled - 1;
            for (; at > 0 && nearest[at - 1].first > row[k]; --at)
                nearest[at] = nearest[at - 1];
            nearest[at] = {row[k], int(k)};
        }
        for (size_t j = 0; j < nearCount_; ++j)
            near_[i * nearCount_ + j] = nearest[j].second;
    }
}

BandCells bandCells(const CellCatalogue& catalogue, int firstRow, int endRow) {
    BandCells band;
    std::vector<int> itemSlot(catalogue.items.size(), -1);
    std::vector<uint8_t> keySeen(catalogue.keys.size(), 0);
    for (int i = firstRow * kScreenColumns; i < endRow * kScreenColumns; ++i) {
        const int item = catalogue.cellItem[size_t(i)];
        if (itemSlot[size_t(item)] < 0) {
            itemSlot[size_t(item)] = int(band.items.size());
            band.items.push_back(item);
            band.weights.push_back(0);
            const int key = catalogue.itemKey[size_t(item)];
            if (!keySeen[size_t(key)]) {
                keySeen[size_t(key)] = 1;
                band.keys.push_back(key);
            }
        }
        band.weights[size_t(itemSlot[size_t(item)])] += 1;
    }
    return band;
}

namespace {

// Each item to its cheapest key of `centres` (band-local key indices); the total.
double assignToCentres(const std::vector<float>& cost, size_t m, const BandCells& band,
                       const std::vector<int>& centres, std::vector<int>& choice) {
    double total = 0;
    for (size_t j = 0; j < band.items.size(); ++j) {
        const float* row = &cost[j * m];
        float best = std::numeric_limits<float>::max();
        for (int c : centres)
            if (row[c] < best) {
                best = row[c];
                choice[j] = c;
            }
        total += double(band.weights[j]) * best;
    }
    return total;
}

} // namespace

BandMerge mergeBand(const CellCatalogue& catalogue, const MergeCosts& costs, const BandCells& band,
                    int budget, bool refine) {
    BandMerge out;
    const size_t n = band.items.size();
    const size_t m = band.keys.size();
    out.itemKey.resize(n);
    if (m <= size_t(budget)) {
        for (size_t j = 0; j < n; ++j)
            out.itemKey[j] = catalogue.itemKey[size_t(band.items[j])];
        return out;
    }
    // The band's costs side by side (item j with band key k at j * m + k) for the
    // refinement; the dropping reads the costs of the whole screen.
    std::vector<float> table;
    if (refine) {
        table.resize(n * m);
        for (size_t j = 0; j < n; ++j)
            for (size_t k = 0; k < m; ++k)
                table[j * m + k] = costs.cost(band.items[j], band.keys[k]);
    }
    auto cost = [&](size_t j, int k) { return costs.cost(band.items[j], band.keys[size_t(k)]); };
    std::vector<uint8_t> alive(m, 1);
    std::vector<int> first(n), second(n);
    std::vector<float> firstCost(n), secondCost(n);
    std::vector<double> loss(m, 0.0); // what dropping each key would cost
    // Band key of each key of the screen (-1: not in the band). Each item's nearest
    // keys of the screen are tried in order for its next best while one of them is
    // alive in the band, and all the band's keys after that.
    std::vector<int> local(catalogue.keys.size(), -1);
    for (size_t k = 0; k < m; ++k)
        local[size_t(band.keys[k])] = int(k);
    const size_t nearCount = costs.nearKeyCount();
    std::vector<size_t> nearNext(n, 0);
    auto findSecond = [&](size_t j) {
        const int* list = costs.nearKeys(band.items[j]);
        for (size_t& i = nearNext[j]; i < nearCount; ++i) {
            const int k = local[size_t(list[i])];
            if (k >= 0 && alive[size_t(k)] && k != first[j]) {
                second[j] = k;
                secondCost[j] = cost(j, k);
                return;
            }
        }
        second[j] = -1;
        secondCost[j] = firstCost[j];
        float best = std::numeric_limits<float>::max();
        for (size_t k = 0; k < m; ++k) {
            if (!alive[k] || int(k) == first[j])
                continue;
            const float e = cost(j, int(k));
            if (e < best) {
                best = e;
                second[j] = int(k);
                secondCost[j] = e;
            }
        }
    };
    // The items whose first or second choice each key is (entries may be stale).
    std::vector<std::vector<int>> watchers(m);
    for (size_t j = 0; j < n; ++j) {
        // The item's own key is in the band and costs nothing: the cheapest.
        first[j] = local[size_t(catalogue.itemKey[size_t(band.items[j])])];
        firstCost[j] = cost(j, first[j]);
        findSecond(j);
        loss[size_t(first[j])] += double(band.weights[j]) * (secondCost[j] - firstCost[j]);
        watchers[size_t(first[j])].push_back(int(j));
        if (second[j] >= 0)
            watchers[size_t(second[j])].push_back(int(j));
    }
    // The cheapest key to drop first (ties to the lower key); entries whose loss has
    // changed since, or whose key is gone, are skipped.
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> cheapest;
    for (size_t k = 0; k < m; ++k)
        cheapest.push({loss[k], int(k)});
    std::vector<int> touched;
    for (size_t left = m; left > size_t(budget);) {
        const auto [value, key] = cheapest.top();
        cheapest.pop();
        const size_t drop = size_t(key);
        if (!alive[drop] || value != loss[drop])
            continue;
        alive[drop] = 0;
        --left;
        std::vector<int> affected;
        affected.swap(watchers[drop]);
        touched.clear();
        for (int jj : affected) {
            const size_t j = size_t(jj);
            if (first[j] != int(drop) && second[j] != int(drop))
                continue;
            loss[size_t(first[j])] -= double(band.weights[j]) * (secondCost[j] - firstCost[j]);
            if (first[j] == int(drop)) {
                first[j] = second[j];
                firstCost[j] = secondCost[j];
            }
            findSecond(j);
            loss[size_t(first[j])] += double(band.weights[j]) * (secondCost[j] - firstCost[j]);
            touched.push_back(first[j]);
            if (second[j] >= 0)
                watchers[size_t(second[j])].push_back(jj);
        }
        for (int k : touched)
            if (alive[size_t(k)])
                cheapest.push({loss[size_t(k)], k});
    }
    std::vector<int> choice(first);
    double total = 0;
    for (size_t j = 0; j < n; ++j)
        total += double(band.weights[j]) * firstCost[j];

    for (int round = 0; refine && round < kRefineRounds; ++round) {
        // Each group's glyph moved to the key that serves its members best.
        std::vector<std::vector<size_t>> groups(m);
        for (size_t j = 0; j < n; ++j)
            groups[size_t(choice[j])].push_back(j);
        std::vector<int> centres;
        std::vector<uint8_t> taken(m, 0);
        std::vector<float> sums(m);
        for (size_t g = 0; g < m; ++g) {
            if (groups[g].empty())
                continue;
            std::fill(sums.begin(), sums.end(), 0.0f);
            for (size_t j : groups[g]) {
                const float w = band.weights[j];
                const float* row = &table[j * m];
                for (size_t k = 0; k < m; ++k)
                    sums[k] += w * row[k];
            }
            int best = int(g);
            float bestSum = sums[g];
            for (size_t k = 0; k < m; ++k)
                if (sums[k] < bestSum * (1 - 1e-6f)) {
                    bestSum = sums[k];
                    best = int(k);
                }
            if (!taken[size_t(best)]) {
                taken[size_t(best)] = 1;
                centres.push_back(best);
            }
        }
        std::vector<int> trial(n);
        const double trialTotal = assignToCentres(table, m, band, centres, trial);
        if (trialTotal >= total - 1e-6 * total)
            break;
        total = trialTotal;
        choice = trial;
    }
    for (size_t j = 0; j < n; ++j)
        out.itemKey[j] = band.keys[size_t(choice[j])];
    out.cost = total;
    return out;
}

} // namespace korvex
