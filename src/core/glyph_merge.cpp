#include "core/glyph_merge.h"

#include "core/glyph_bytes.h"
#include "core/glyph_code.h"

#include <array>

namespace korvex {

namespace {

constexpr int kNoTarget = -1;
constexpr int kInverseBit = 128;

// For every glyph the glyph it merges into, or kNoTarget.
using MergeTargets = std::array<int, kGlyphCount>;

MergeTargets targetsOf(const std::vector<GlyphGroup>& groups) {
    MergeTargets targets;
    targets.fill(kNoTarget);
    for (const GlyphGroup& group : groups)
        for (size_t i = 1; i < group.size(); ++i)
            targets[size_t(group[i])] = group.front();
    return targets;
}

// The code a cell holds after the merge, or -1 when it keeps its code.
int64_t rewrittenCode(const MergeTargets& targets, int64_t code) {
    const int glyph = glyphOfCode(code);
    if (glyph < 0 || targets[size_t(glyph)] == kNoTarget)
        return -1;
    return targets[size_t(glyph)] + (isInverseCode(code) ? kInverseBit : 0);
}

// Counts, and with `doc` set also rewrites, the cells the merge changes.
MergeCount applyTargets(const Document& source, Document* doc, const MergeTargets& targets) {
    MergeCount count;
    for (int set = 1; set <= kSetCount; ++set)
        for (int cell = 0; cell < kSetCells; ++cell) {
            const int64_t code = rewrittenCode(targets, source.Sets[set][cell]);
            if (code < 0)
                continue;
            ++count.setCells;
            if (doc)
                doc->Sets[set][cell] = int16_t(code);
        }
    for (size_t cell = 0; cell < sizeof source.screens; ++cell) {
        const int64_t code = rewrittenCode(targets, source.screens[cell]);
        if (code < 0)
            continue;
        ++count.screenCells;
        if (doc)
            doc->screens[cell] = uint8_t(code);
    }
    for (const int target : targets)
        count.glyphs += target != kNoTarget;
    return count;
}

} // namespace

std::vector<GlyphGroup> mergeableGroups(const Document& doc, int64_t font,
                                        const std::vector<GlyphGroup>& groups) {
    std::vector<GlyphGroup> result;
    if (font < 1 || font > kFontCount)
        return result;
    std::array<bool, kGlyphCount> taken{};
    for (const GlyphGroup& group : groups) {
        GlyphGroup part;
        for (const int glyph : group) {
            if (glyph < 0 || glyph >= kGlyphCount || taken[size_t(glyph)])
                continue;
            if (!part.empty() &&
                glyphBytes(doc, font, glyph) != glyphBytes(doc, font, part.front()))
                continue;
            part.push_back(glyph);
        }
        if (part.size() < 2)
            continue;
        for (const int glyph : part)
            taken[size_t(glyph)] = true;
        result.push_back(std::move(part));
    }
    return result;
}

MergeCount countMergeChanges(const Document& doc, int64_t font,
                             const std::vector<GlyphGroup>& groups) {
    return applyTargets(doc, nullptr, targetsOf(mergeableGroups(doc, font, groups)));
}

MergeCount mergeGlyphGroups(Document& doc, int64_t font, const std::vector<GlyphGroup>& groups) {
    const std::vector<GlyphGroup> merged = mergeableGroups(doc, font, groups);
    const MergeTargets targets = targetsOf(merged);
    const MergeCount count = applyTargets(doc, &doc, targets);
    for (const GlyphGroup& group : merged)
        for (size_t i = 1; i < group.size(); ++i)
            setGlyphBytes(doc, font, group[i], GlyphBytes{});
    return count;
}

} // namespace korvex
