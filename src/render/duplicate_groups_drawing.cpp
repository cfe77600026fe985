#include "render/duplicate_groups_drawing.h"

#include "render/canvas.h"
#include "render/glyph_drawing.h"

#include <QPoint>

namespace korvex {

namespace {

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kWhite = 0xFFFFFF;
constexpr int kGlyphSide = 16;
constexpr int kMagnification = 2;

int linesOf(const GlyphGroup& group) {
    return (int(group.size()) + kGroupLineGlyphs - 1) / kGroupLineGlyphs;
}

// Top-left corner of glyph `index` of a group whose first line is `firstLine`.
QPoint glyphCorner(int firstLine, int index) {
    return {kGroupMargin + kGroupGlyphPitch * (index % kGroupLineGlyphs),
            kGroupMargin + kGroupLinePitch * (firstLine + index / kGroupLineGlyphs)};
}

void frame(Canvas& canvas, int x, int y, int w, int h, int64_t colour) {
    canvas.fillRect(x, y, w, 1, colour);
    canvas.fillRect(x, y + h - 1, w, 1, colour);
    canvas.fillRect(x, y, 1, h, colour);
    canvas.fillRect(x + w - 1, y, 1, h, colour);
}

} // namespace

CanvasSize duplicateGroupsSize(const std::vector<GlyphGroup>& groups) {
    int lines = 0;
    for (const GlyphGroup& group : groups)
        lines += linesOf(group);
    if (lines == 0)
        lines = 1;
    return {2 * kGroupMargin + kGroupGlyphPitch * kGroupLineGlyphs,
            2 * kGroupMargin + kGroupLinePitch * lines};
}

void drawDuplicateGroups(const Document& doc, QImage& image, const std::vector<GlyphGroup>& groups,
                         int selected) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), kBlack);
    const auto colours = workingColours(doc);
    int line = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
        const GlyphGroup& group = groups[g];
        for (size_t i = 0; i < group.size(); ++i) {
            const QPoint at = glyphCorner(line, int(i));
            drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), group[i], at.x(), at.y(),
                          kMagnification);
        }
        if (int(g) == selected) {
            const int lines = linesOf(group);
            const int width = lines > 1 ? kGroupLineGlyphs : int(group.size());
            const QPoint at = glyphCorner(line, 0);
            frame(canvas, at.x() - 2, at.y() - 2, kGroupGlyphPitch * width + 2,
                  kGroupLinePitch * lines, kWhite);
        }
        line += linesOf(group);
    }
}

GroupPlace duplicateGroupAt(const std::vector<GlyphGroup>& groups, int x, int y) {
    int line = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
        const GlyphGroup& group = groups[g];
        for (size_t i = 0; i < group.size(); ++i) {
            const QPoint at = glyphCorner(line, int(i));
            if (x >= at.x() && x < at.x() + kGlyphSide && y >= at.y() && y < at.y() + kGlyphSide)
                return {int(g), int(i)};
        }
        line += linesOf(group);
    }
    return {};
}

} // namespace korvex
