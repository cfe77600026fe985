#pragma once
// Drawing sizes of the canvases. A canvas with a sunken border loses two pixels on
// every side to the border, so its drawing area is its outer size less 4.

namespace korvex {

struct CanvasSize {
    int width, height;
};

constexpr int kBorder = 2;
constexpr CanvasSize kSetCanvasSize{400, 400};        // outer 404 x 404
constexpr CanvasSize kSetPreviewCanvasSize{80, 80};   // no border
constexpr CanvasSize kFontCanvasSize{543, 135};       // outer 547 x 139
constexpr CanvasSize kEditorCanvasSize{240, 240};     // outer 244 x 244
constexpr CanvasSize kGlyphPreviewCanvasSize{64, 64}; // outer 68 x 68
constexpr CanvasSize kAnimCanvasSize{80, 80};         // no border
constexpr CanvasSize kCopyBufferCanvasSize{16, 16};   // outer 20 x 20
constexpr CanvasSize kSwatchSize{26, 16};             // outer 30 x 20
constexpr CanvasSize kSetsStripSize{800, 80};         // Sets Viewer strip
constexpr CanvasSize kViewEditorCanvasSize{640, 384}; // outer 644 x 388
constexpr CanvasSize kRowStripSize{40, 384};          // outer 44 x 388, beside the above
constexpr CanvasSize kViewAllScreensSize{960, 576};
constexpr CanvasSize kMultiFontViewSize{520, 670};

} // namespace korvex
