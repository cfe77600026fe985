#include "core/picture_colours.h"

#include "core/palette.h"

#include <algorithm>
#include <limits>

namespace korvex {

namespace {

constexpr int kPaletteColours = 128; // value 2c; odd luminances show as the even one
constexpr int kBinBits = 4;          // per channel, for the first colour search
constexpr int kBinCount = 1 << (3 * kBinBits);
constexpr int kRefineCandidates = 32; // colours tried per register in the per-cell search
constexpr int kMaxRounds = 6;
constexpr int kMaxCellRounds = 3; // of the slower per-cell search
constexpr float kHuge = std::numeric_limits<float>::max();

float distance(const ColourRgb& a, float r, float g, float b) {
    const float dr = a.r - r, dg = a.g - g, db = a.b - b;
    return dr * dr + dg * dg + db * db;
}

const std::array<ColourRgb, kPaletteColours>& paletteColours() {
    static const std::array<ColourRgb, kPaletteColours> colours = [] {
        std::array<ColourRgb, kPaletteColours> out{};
        for (int c = 0; c < kPaletteColours; ++c)
            out[size_t(c)] = atariColourRgb(2 * c);
        return out;
    }();
    return colours;
}

// The picture's colours gathered into bins: count and mean.
struct Bins {
    std::vector<float> count, r, g, b;
};

Bins binPixels(const FittedPicture& f) {
    std::vector<double> sums(size_t(kBinCount) * 4, 0.0);
    constexpr int shift = 8 - kBinBits;
    for (size_t i = 0; i < f.background.size(); ++i) {
        if (f.background[i])
            continue;
        const int key = (int(f.red[i]) >> shift) << (2 * kBinBits) |
                        (int(f.green[i]) >> shift) << kBinBits | (int(f.blue[i]) >> shift);
        double* s = &sums[size_t(key) * 4];
        s[0] += 1;
        s[1] += f.red[i];
        s[2] += f.green[i];
        s[3] += f.blue[i];
    }
    Bins bins;
    for (int k = 0; k < kBinCount; ++k) {
        const double* s = &sums[size_t(k) * 4];
        if (s[0] == 0)
            continue;
        bins.count.push_back(float(s[0]));
        bins.r.push_back(float(s[1] / s[0]));
        bins.g.push_back(float(s[2] / s[0]));
        bins.b.push_back(float(s[3] / s[0]));
    }
    return bins;
}

// cost[c][bin]: the bin's pixels shown in palette colour c.
std::vector<float> binCosts(const Bins& bins) {
    const size_t n = bins.count.size();
    std::vector<float> cost(size_t(kPaletteColours) * n);
    for (int c = 0; c < kPaletteColours; ++c)
        for (size_t k = 0; k < n; ++k)
            cost[size_t(c) * n + k] = bins.count[k] * distance(paletteColours()[size_t(c)],
                                                               bins.r[k], bins.g[k], bins.b[k]);
    return cost;
}

// The two colours with the least error over the bins, tried pair by pair.
std::vector<int> bestPair(const std::vector<float>& cost, size_t n) {
    std::vector<int> best{0, 14 / 2};
    float bestTotal = kHuge;
    for (int a = 0; a < kPaletteColours; ++a) {
        const float* ca = &cost[size_t(a) * n];
        for (int b = a + 1; b < kPaletteColours; ++b) {
            const float* cb = &cost[size_t(b) * n];
            float total = 0;
            for (size_t k = 0; k < n; ++k)
                total += std::min(ca[k], cb[k]);
            if (total < bestTotal) {
                bestTotal = total;
                best = {a, b};
            }
        }
    }
    return best;
}

// `count` colours for the least error over the bins: added one by one, then each
// replaced by a better one while that helps.
std::vector<int> bestSet(const std::vector<float>& cost, size_t n, int count) {
    std::vector<int> set;
    std::vector<float> current(n, kHuge);
    for (int i = 0; i < count; ++i) {
        int pick = 0;
        float pickTotal = kHuge;
        for (int c = 0; c < kPaletteColours; ++c) {
            float total = 0;
            for (size_t k = 0; k < n; ++k)
                total += std::min(current[k], cost[size_t(c) * n + k]);
            if (total < pickTotal) {
                pickTotal = total;
                pick = c;
            }
        }
        set.push_back(pick);
        for (size_t k = 0; k < n; ++k)
            current[k] = std::min(current[k], cost[size_t(pick) * n + k]);
    }
    for (int round = 0; round < kMaxRounds; ++round) {
        bool changed = false;
        for (size_t slot = 0; slot < set.size(); ++slot) {
            std::vector<int> others = set;
            others.erase(others.begin() + long(slot));
            std::vector<float> rest(n, kHuge);
            for (size_t k = 0; k < n; ++k)
                for (int c : others)
                    rest[k] = std::min(rest[k], cost[size_t(c) * n + k]);
            float bestTotal = kHuge;
            int pick = set[slot];
            for (int c = 0; c < kPaletteColours; ++c) {
                float total = 0;
                for (size_t k = 0; k < n; ++k)
                    total += std::min(rest[k], cost[size_t(c) * n + k]);
                if (total < bestTotal - 1e-3f * (c != set[slot])) {
                    bestTotal = total;
                    pick = c;
                }
            }
            if (pick != set[slot]) {
                set[slot] = pick;
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    return set;
}

// The four-colour registers with the per-cell choice of PF2 or PF3: the colours
// of `start` (BAK, PF0, PF1, PF2) and a PF3 tried among a few candidates, then
// every register replaced by a better candidate while that helps.
std::array<int, 5> refineFourColours(const FittedPicture& f, const std::vector<int>& start,
                                     const std::vector<float>& bins, size_t n) {
    // Candidates: the start colours and those with the least error alone.
    std::vector<int> candidates = start;
    std::vector<std::pair<float, int>> alone;
    for (int c = 0; c < kPaletteColours; ++c) {
        float total = 0;
        for (size_t k = 0; k < n; ++k)
            total += bins[size_t(c) * n + k];
        alone.push_back({total, c});
    }
    std::sort(alone.begin(), alone.end());
    for (const auto& [total, c] : alone) {
        if (int(candidates.size()) >= kRefineCandidates)
            break;
        if (std::find(candidates.begin(), candidates.end(), c) == candidates.end())
            candidates.push_back(c);
    }
    const size_t m = candidates.size();
    const int cells = kScreenCellCount;
    const int across = cellPixelsAcross(kFourColourMode);
    // cost[k][i]: pixel i (in cell order) in candidate k; background pixels cost nothing.
    const size_t pixels = f.background.size();
    std::vector<float> cost(m * pixels, 0.0f);
    for (int cell = 0, i = 0; cell < cells; ++cell) {
        const int cx = cell % kScreenColumns * across, cy = cell / kScreenColumns * kCellSize;
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < across; ++x, ++i) {
                const size_t p = f.index(cx + x, cy + y);
                if (f.background[p])
                    continue;
                for (size_t k = 0; k < m; ++k)
                    cost[k * pixels + size_t(i)] = distance(paletteColours()[size_t(candidates[k])],
                                                            f.red[p], f.green[p], f.blue[p]);
            }
    }
    const int cellPixels = across * kCellSize;
    // Slots 0..4: BAK, PF0, PF1, PF2, PF3, as candidate indices.
    std::array<int, 5> slot{0, 1, 2, 3, 0};
    auto column = [&](int k) { return &cost[size_t(k) * pixels]; };
    // The error with slot j open: per pixel the best of the other colours a cell with
    // PF2 (fixed2) and with PF3 (fixed3) can show; each candidate then costs a
    // minimum and a sum per pixel.
    std::vector<float> fixed2(pixels), fixed3(pixels);
    auto withOpenSlot = [&](size_t j, const float* candidate) {
        float sum = 0;
        for (int cell = 0; cell < cells; ++cell) {
            float with2 = 0, with3 = 0;
            for (size_t i = size_t(cell * cellPixels); i < size_t((cell + 1) * cellPixels); ++i) {
                with2 += j == 4 ? fixed2[i] : std::min(fixed2[i], candidate[i]);
                with3 += j == 3 ? fixed3[i] : std::min(fixed3[i], candidate[i]);
            }
            sum += std::min(with2, with3);
        }
        return sum;
    };
    float current = kHuge;
    for (int round = 0; round < kMaxCellRounds; ++round) {
        bool changed = false;
        for (size_t j = 0; j < 5; ++j) {
            for (size_t i = 0; i < pixels; ++i) {
                float common = kHuge;
                for (size_t c = 0; c < 3; ++c)
                    if (c != j)
                        common = std::min(common, column(slot[c])[i]);
                fixed2[i] = j == 3 ? common : std::min(common, column(slot[3])[i]);
                fixed3[i] = j == 4 ? common : std::min(common, column(slot[4])[i]);
            }
            for (size_t k = 0; k < m; ++k) {
                const float t = withOpenSlot(j, column(int(k)));
                if (t < current - 1e-3f) {
                    current = t;
                    changed |= slot[j] != int(k);
                    slot[j] = int(k);
                }
            }
        }
        if (!changed)
            break;
    }
    std::array<int, 5> out{};
    for (size_t j = 0; j < 5; ++j)
        out[j] = candidates[size_t(slot[j])];
    return out;
}

// The squared error of the fitted picture shown in four-colour registers `four`
// (palette indexes of BAK, PF0, PF1, PF2, PF3), each cell taking PF2 or PF3.
float fourColourError(const FittedPicture& f, const std::array<int, 5>& four) {
    const int across = cellPixelsAcross(kFourColourMode);
    float sum = 0;
    for (int cell = 0; cell < kScreenCellCount; ++cell) {
        const int cx = cell % kScreenColumns * across, cy = cell / kScreenColumns * kCellSize;
        float with2 = 0, with3 = 0;
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < across; ++x) {
                const size_t p = f.index(cx + x, cy + y);
                if (f.background[p])
                    continue;
                float d[5];
                for (size_t j = 0; j < 5; ++j)
                    d[j] = distance(paletteColours()[size_t(four[j])], f.red[p], f.green[p],
                                    f.blue[p]);
                const float common = std::min({d[0], d[1], d[2]});
                with2 += std::min(common, d[3]);
                with3 += std::min(common, d[4]);
            }
        sum += std::min(with2, with3);
    }
    return sum;
}

// `found`, or the five colours of `five` with a pair of them as PF2 and PF3 (the two
// a cell never shows together) when that pairing shows the picture exactly. The
// register search changes one register at a time and cannot undo a wrong pair, so
// a picture an Atari screen showed in five colours would otherwise often lose one
// of them. Only an exact pairing replaces the search's colours: on photographs a
// pairing of less colour error tends to leave more distinct cells to merge.
std::array<int, 5> exactPairing(const FittedPicture& f, const std::array<int, 5>& found,
                                const std::vector<int>& five) {
    if (fourColourError(f, found) == 0)
        return found;
    for (size_t a = 0; a < five.size(); ++a)
        for (size_t b = a + 1; b < five.size(); ++b) {
            // The other three in the order they were picked: the first, the colour
            // most of the picture shows, becomes the background.
            std::array<int, 5> tried{};
            size_t common = 0;
            for (size_t c = 0; c < five.size(); ++c)
                if (c != a && c != b)
                    tried[common++] = five[c];
            tried[3] = five[a];
            tried[4] = five[b];
            if (fourColourError(f, tried) == 0)
                return tried;
        }
    return found;
}

int nearest(const ColourRgb* colours, int count, float r, float g, float b) {
    int best = 0;
    float bestDistance = kHuge;
    for (int i = 0; i < count; ++i) {
        const float d = distance(colours[i], r, g, b);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

ColourRgb atariColourRgb(int value) {
    const int64_t rgb = atariRgb(value);
    return {float(rgb & 0xFF), float((rgb >> 8) & 0xFF), float((rgb >> 16) & 0xFF)};
}

ColourRegisters chooseColours(const FittedPicture& fitted, int mode, const ColourRegisters& base) {
    ColourRegisters out = base;
    const Bins bins = binPixels(fitted);
    const size_t n = bins.count.size();
    if (n == 0)
        return out; // nothing but background: keep the colours
    const std::vector<float> cost = binCosts(bins);
    if (mode == kTwoColourMode) {
        const std::vector<int> pair = bestPair(cost, n);
        // The colour most of the picture shows becomes the background.
        float first = 0, second = 0;
        for (size_t k = 0; k < n; ++k)
            (cost[size_t(pair[0]) * n + k] <= cost[size_t(pair[1]) * n + k] ? first : second) +=
                bins.count[k];
        out[BAK] = 2 * (first >= second ? pair[0] : pair[1]);
        out[LUM] = 2 * (first >= second ? pair[1] : pair[0]);
        return out;
    }
    const std::array<int, 5> four = exactPairing(
        fitted, refineFourColours(fitted, bestSet(cost, n, 4), cost, n), bestSet(cost, n, 5));
    for (size_t j = 0; j < 5; ++j)
        out[size_t(kFourColourRegisters[j])] = 2 * four[j];
    return out;
}

CellScreen matchColours(const FittedPicture& f, int mode, const ColourRegisters& colours,
                        bool dither) {
    CellScreen screen;
    screen.mode = mode;
    screen.colours = colours;
    const bool four = mode == kFourColourMode;
    const int across = cellPixelsAcross(mode);
    // Register colours by pixel value; four-colour: index 4 is PF3 (value 3 inverse).
    ColourRgb value[5];
    const int values = four ? 5 : 2;
    for (int v = 0; v < values; ++v)
        value[v] = atariColourRgb(
            colours[size_t(four ? kFourColourRegisters[size_t(v)] : (v ? LUM : BAK))]);

    // Four-colour cells: PF3 (inverse) where the cell matches it better than PF2.
    std::array<bool, kScreenCellCount> inverse{};
    if (four) {
        for (int cell = 0; cell < kScreenCellCount; ++cell) {
            const int cx = cell % kScreenColumns * across, cy = cell / kScreenColumns * kCellSize;
            float with2 = 0, with3 = 0;
            for (int y = 0; y < kCellSize; ++y)
                for (int x = 0; x < across; ++x) {
                    const size_t p = f.index(cx + x, cy + y);
                    if (f.background[p])
                        continue;
                    float common = kHuge;
                    for (int v = 0; v < 3; ++v)
                        common =
                            std::min(common, distance(value[v], f.red[p], f.green[p], f.blue[p]));
                    with2 += std::min(common, distance(value[3], f.red[p], f.green[p], f.blue[p]));
                    with3 += std::min(common, distance(value[4], f.red[p], f.green[p], f.blue[p]));
                }
            inverse[size_t(cell)] = with3 < with2;
        }
    }

    // Pixel values row by row; with dithering the error carried in two rows.
    std::vector<float> carry[2];
    for (auto& c : carry)
        c.assign(size_t(f.width + 2) * 3, 0.0f);
    std::vector<uint8_t> pixelValues(f.background.size(), 0);
    for (int y = 0; y < f.height; ++y) {
        std::vector<float>& here = carry[y & 1];
        std::vector<float>& below = carry[(y + 1) & 1];
        std::fill(below.begin(), below.end(), 0.0f);
        for (int x = 0; x < f.width; ++x) {
            const size_t p = f.index(x, y);
            if (f.background[p])
                continue; // value 0: BAK
            const int cell = (y / kCellSize) * kScreenColumns + x / across;
            float* e = &here[size_t(x + 1) * 3];
            const float r = f.red[p] + e[0], g = f.green[p] + e[1], b = f.blue[p] + e[2];
            // The cell's colours: two-colour both; four-colour BAK, PF0, PF1 and PF2 or PF3.
            ColourRgb choice[4];
            const int count = four ? 4 : 2;
            for (int v = 0; v < count; ++v)
                choice[v] = value[v == 3 && inverse[size_t(cell)] ? 4 : v];
            const int v = nearest(choice, count, r, g, b);
            pixelValues[p] = uint8_t(v);
            if (!dither)
                continue;
            const float er = r - choice[v].r, eg = g - choice[v].g, eb = b - choice[v].b;
            auto spread = [&](std::vector<float>& row, int column, float weight) {
                if (column < 0 || column >= f.width)
                    return;
                float* t = &row[size_t(column + 1) * 3];
                t[0] += er * weight;
                t[1] += eg * weight;
                t[2] += eb * weight;
            };
            spread(here, x + 1, 7.0f / 16);
            if (y + 1 < f.height) {
                spread(below, x - 1, 3.0f / 16);
                spread(below, x, 5.0f / 16);
                spread(below, x + 1, 1.0f / 16);
            }
        }
    }

    for (int cell = 0; cell < kScreenCellCount; ++cell) {
        const int cx = cell % kScreenColumns * across, cy = cell / kScreenColumns * kCellSize;
        GlyphBits bits = 0;
        bool anyThree = false;
        for (int y = 0; y < kCellSize; ++y) {
            unsigned row = 0;
            for (int x = 0; x < across; ++x) {
                const unsigned v = pixelValues[f.index(cx + x, cy + y)];
                anyThree |= v == 3;
                row = four ? (row << 2 | v) : (row << 1 | v);
            }
            bits |= GlyphBits(row) << (8 * y);
        }
        screen.cells[size_t(cell)] = {bits, four && anyThree && inverse[size_t(cell)]};
    }
    return screen;
}

} // namespace korvex
