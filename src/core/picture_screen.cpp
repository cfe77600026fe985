#include "core/picture_screen.h"

#include "core/cell_merging.h"
#include "core/picture_colours.h"
#include "core/picture_error.h"
#include "core/picture_reference.h"
#include "core/row_bands.h"

#include <algorithm>
#include <map>
#include <memory>

namespace korvex {

namespace {

constexpr int kMaxFonts = kFontCount;
constexpr int kMaxColourValue = 255;

// The screen's cells in one form per glyph: two-colour the lesser of a glyph and
// its inverse, four-colour plain wherever no pixel shows PF2 or PF3.
ScreenCell canonical(int mode, ScreenCell c) {
    if (mode == kTwoColourMode) {
        const GlyphBits lum = c.inverse ? ~c.bits : c.bits;
        c.bits = std::min(lum, ~lum);
        c.inverse = c.bits != lum;
    } else if ((c.bits & (c.bits >> 1) & 0x5555555555555555ULL) == 0) {
        c.inverse = false;
    }
    return c;
}

PictureScreen assemble(const CellScreen& shown, const CellScreen& target, const RowDivision& bands,
                       int firstFont) {
    PictureScreen out;
    out.mode = shown.mode;
    for (size_t b = 0; b < bands.starts.size(); ++b) {
        ScreenFont font;
        font.number = firstFont + int(b);
        font.colours = shown.colours;
        std::map<GlyphBits, int> slots;
        const int first = bands.starts[b], end = bands.bandEnd(b, kScreenRows);
        for (int i = first * kScreenColumns; i < end * kScreenColumns; ++i) {
            const ScreenCell c = canonical(shown.mode, shown.cells[size_t(i)]);
            auto [at, added] = slots.try_emplace(c.bits, int(slots.size()));
            if (added && at->second < kGlyphsPerFont)
                for (int y = 0; y < kCellSize; ++y)
                    font.glyphs[size_t(at->second)][size_t(y)] = uint8_t(c.bits >> (8 * y));
            out.codes[size_t(i)] = uint8_t((at->second & 0x7F) | (c.inverse ? 0x80 : 0));
        }
        font.glyphsUsed = int(std::min(slots.size(), size_t(kGlyphsPerFont)));
        for (int row = first; row < end; ++row) {
            out.rowFont[size_t(row)] = uint8_t(font.number);
            out.rowMode[size_t(row)] = uint8_t(shown.mode);
        }
        out.fonts.push_back(font);
    }
    const ScreenError error = screenError(shown, target);
    out.exact = error.differingPixels == 0;
    out.psnr = error.psnr;
    out.meanSquaredError = error.meanSquaredError;
    out.differingShare = error.differingShare;
    for (int i = 0; i < kScreenCellCount; ++i)
        out.mergedCells +=
            !sameCellPixels(shown.mode, shown.cells[size_t(i)], target.cells[size_t(i)]);
    return out;
}

// The conversion's working state for one picture: its cells, their costs (made on
// first need) and every band merged so far.
class Converter {
public:
    explicit Converter(const CellScreen& target)
        : target_(target), catalogue_(catalogueCells(target)) {
        for (auto& row : dropCost_)
            std::fill(std::begin(row), std::end(row), -1.0);
        for (int first = 0; first < kScreenRows; ++first) {
            std::vector<uint8_t> seen(catalogue_.keys.size(), 0);
            int count = 0;
            for (int end = first + 1; end <= kScreenRows; ++end) {
                for (int i = (end - 1) * kScreenColumns; i < end * kScreenColumns; ++i) {
                    const int key = catalogue_.itemKey[size_t(catalogue_.cellItem[size_t(i)])];
                    count += !seen[size_t(key)];
                    seen[size_t(key)] = 1;
                }
                keyCount_[first][end] = count;
            }
        }
    }

    // The band's cost after dropping keys, without the refinement (the search for
    // the bands asks for every band).
    // The fewest bands in which every band's glyphs fit a font, top down; empty when
    // more than `limit` bands would be needed.
    RowDivision exactDivision(int limit) const {
        RowDivision division;
        for (int first = 0; first < kScreenRows;) {
            if (int(division.starts.size()) == limit)
                return {};
            division.starts.push_back(first);
            int end = first + 1;
            while (end < kScreenRows && keyCount_[first][end + 1] <= kGlyphsPerFont)
                ++end;
            if (keyCount_[first][end] > kGlyphsPerFont)
                return {}; // one row alone needs more (never: a row has 40 cells)
            first = end;
        }
        return division;
    }

    double bandCost(int first, int end) {
        if (keyCount_[first][end] <= kGlyphsPerFont)
            return 0;
        double& cost = dropCost_[first][end];
        if (cost < 0)
            cost = mergeBand(catalogue_, costs(), bandCells(catalogue_, first, end), kGlyphsPerFont,
                             false)
                       .cost;
        return cost;
    }

    CellScreen shown(const RowDivision& bands) {
        CellScreen out = target_;
        for (size_t b = 0; b < bands.starts.size(); ++b) {
            const int first = bands.starts[b], end = bands.bandEnd(b, kScreenRows);
            if (keyCount_[first][end] <= kGlyphsPerFont)
                continue; // every cell keeps its own glyph
            const Merged& m = merged(first, end);
            for (int i = first * kScreenColumns; i < end * kScreenColumns; ++i) {
                const int item = catalogue_.cellItem[size_t(i)];
                const int key = m.itemKey[size_t(item)];
                if (key == catalogue_.itemKey[size_t(item)])
                    continue;
                out.cells[size_t(i)] = {catalogue_.keys[size_t(key)], costs().inverse(item, key)};
            }
        }
        return out;
    }

private:
    struct Merged {
        std::vector<int> itemKey; // by item of the whole screen; -1 outside the band
        double cost = 0;
    };

    const MergeCosts& costs() {
        if (!costs_)
            costs_ = std::make_unique<MergeCosts>(catalogue_, target_.colours);
        return *costs_;
    }

    const Merged& merged(int first, int end) {
        std::unique_ptr<Merged>& slot = merged_[first][end];
        if (!slot) {
            const BandCells band = bandCells(catalogue_, first, end);
            const BandMerge merge = mergeBand(catalogue_, costs(), band, kGlyphsPerFont, true);
            slot = std::make_unique<Merged>();
            slot->itemKey.assign(catalogue_.items.size(), -1);
            for (size_t j = 0; j < band.items.size(); ++j)
                slot->itemKey[size_t(band.items[j])] = merge.itemKey[j];
            slot->cost = merge.cost;
        }
        return *slot;
    }

    const CellScreen& target_;
    CellCatalogue catalogue_;
    std::unique_ptr<MergeCosts> costs_;
    int keyCount_[kScreenRows + 1][kScreenRows + 1] = {};
    double dropCost_[kScreenRows + 1][kScreenRows + 1];
    std::unique_ptr<Merged> merged_[kScreenRows + 1][kScreenRows + 1];
};

bool lessError(const ScreenError& a, const ScreenError& b) {
    if ((a.differingPixels == 0) != (b.differingPixels == 0))
        return a.differingPixels == 0;
    return a.meanSquaredError < b.meanSquaredError;
}

ColourRegisters usedColours(const FittedPicture& fitted, const PictureScreenOptions& options) {
    return options.autoColours ? chooseColours(fitted, options.mode, options.colours)
                               : options.colours;
}

} // namespace

std::optional<std::string> pictureScreenOptionsError(const PictureScreenOptions& options) {
    if (options.mode != kTwoColourMode && options.mode != kFourColourMode)
        return "The mode must be 2 (two colours) or 4 (four colours).";
    if (options.fonts < 1 || options.fonts > kMaxFonts)
        return "The number of fonts must be 1 to 10.";
    if (options.firstFont < 1 || options.firstFont > kMaxFonts)
        return "The first font must be 1 to 10.";
    if (options.firstFont + options.fonts - 1 > kMaxFonts)
        return "Font " + std::to_string(options.firstFont) + " has too few fonts after it for " +
               std::to_string(options.fonts) + " fonts: the first font can be at most " +
               std::to_string(kMaxFonts + 1 - options.fonts) + ".";
    for (int r = LUM; r <= PF3; ++r)
        if (options.colours[size_t(r)] < 0 || options.colours[size_t(r)] > kMaxColourValue)
            return "Colour values must be 0 to 255.";
    return std::nullopt;
}

std::optional<PictureScreen> pictureToScreen(const PictureRows& picture,
                                             const PictureScreenOptions& options,
                                             std::string* error) {
    if (auto refusal = pictureScreenOptionsError(options)) {
        if (error)
            *error = *refusal;
        return std::nullopt;
    }
    if (picture.width > kMaxFitSide || picture.height > kMaxFitSide) {
        if (error)
            *error = "The picture is larger than 16384 pixels on a side.";
        return std::nullopt;
    }
    const FittedPicture fitted = fitPicture(picture, options.mode);
    const CellScreen target =
        matchColours(fitted, options.mode, usedColours(fitted, options), options.dither);
    Converter converter(target);
    // Exact when the fonts can hold every band: the fewest such bands.
    const RowDivision exact = converter.exactDivision(options.fonts);
    if (!exact.starts.empty())
        return assemble(target, target, exact, options.firstFont);
    const std::vector<RowDivision> divisions =
        bestRowDivisions(kScreenRows, options.fonts,
                         [&](int first, int end) { return converter.bandCost(first, end); });

    // The best division of each band count, judged by the screen error itself, so
    // that more fonts never give more error.
    RowDivision bestBands;
    CellScreen bestShown;
    ScreenError bestError;
    bool any = false;
    for (const RowDivision& bands : divisions) {
        CellScreen shown = converter.shown(bands);
        const ScreenError e = screenError(shown, target);
        if (!any || lessError(e, bestError)) {
            any = true;
            bestBands = bands;
            bestShown = shown;
            bestError = e;
        }
        if (bestError.differingPixels == 0)
            break;
    }
    // Never worse than the simple way with the same bands.
    const CellScreen reference = referenceCells(target, bestBands);
    if (lessError(screenError(reference, target), bestError))
        bestShown = reference;
    return assemble(bestShown, target, bestBands, options.firstFont);
}

std::optional<PictureScreen> pictureToScreen(const RgbPicture& picture,
                                             const PictureScreenOptions& options,
                                             std::string* error) {
    return pictureToScreen(pictureRows(picture), options, error);
}

CellScreen screenCells(const PictureScreen& screen) {
    CellScreen out;
    out.mode = screen.mode;
    if (screen.fonts.empty())
        return out;
    out.colours = screen.fonts.front().colours;
    for (int i = 0; i < kScreenCellCount; ++i) {
        const int number = screen.rowFont[size_t(i / kScreenColumns)];
        const ScreenFont* font = &screen.fonts.front();
        for (const ScreenFont& f : screen.fonts)
            if (f.number == number)
                font = &f;
        const uint8_t code = screen.codes[size_t(i)];
        GlyphBits bits = 0;
        for (int y = 0; y < kCellSize; ++y)
            bits |= GlyphBits(font->glyphs[size_t(code & 0x7F)][size_t(y)]) << (8 * y);
        out.cells[size_t(i)] = {bits, (code & 0x80) != 0};
    }
    return out;
}

PictureScreen referencePictureScreen(const PictureRows& picture,
                                     const PictureScreenOptions& options,
                                     const PictureScreen& converted) {
    PictureScreenOptions fixed = options;
    fixed.autoColours = false;
    if (!converted.fonts.empty())
        fixed.colours = converted.fonts.front().colours;
    const FittedPicture fitted = fitPicture(picture, fixed.mode);
    const CellScreen target = matchColours(fitted, fixed.mode, fixed.colours, fixed.dither);
    RowDivision bands;
    for (int row = 0; row < kScreenRows; ++row)
        if (row == 0 || converted.rowFont[size_t(row)] != converted.rowFont[size_t(row - 1)])
            bands.starts.push_back(row);
    return assemble(referenceCells(target, bands), target, bands, options.firstFont);
}

} // namespace korvex
