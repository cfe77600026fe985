#pragma once
// A drawing surface over a QImage (RGB32) with the few primitives the canvases
// need: filled rectangles, single pixels and lines, optionally alpha-blended.
// Everything is clipped to the image, and to a clip rectangle when one is given,
// so that a part of a canvas can be redrawn exactly as a whole redraw draws it:
// drawing the same steps clipped to an area gives, inside the area, the pixels
// of the unclipped drawing. Colours are packed red + 256 * green +
// 65536 * blue, as everywhere in the document.
//
// The canvas writes straight into the image's pixel memory, which it takes once
// on construction: do not copy or resize the image while a Canvas draws on it.
// An image that is not 32 bits deep is left untouched.

#include <QImage>
#include <QRect>
#include <cstdint>

namespace korvex {

// Packed document colour <-> QRgb.
inline QRgb toQRgb(int64_t colour) {
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}
inline int64_t fromQRgb(QRgb rgb) {
    return int64_t(qRed(rgb)) | (int64_t(qGreen(rgb)) << 8) | (int64_t(qBlue(rgb)) << 16);
}

// The blend of the canvas, channel by channel: (src * alpha + dst * (255 - alpha)) / 255.
inline QRgb blendPixel(QRgb src, QRgb dst, int alpha) {
    const int keep = 255 - alpha;
    return qRgb((qRed(src) * alpha + qRed(dst) * keep) / 255,
                (qGreen(src) * alpha + qGreen(dst) * keep) / 255,
                (qBlue(src) * alpha + qBlue(dst) * keep) / 255);
}

// Sets n pixels to one colour: a few one by one, then doubling copies of what is
// already written, which run at the speed of memcpy (a plain loop of 32-bit stores
// does not).
void fillPixels(QRgb* pixels, int n, QRgb colour);

class Canvas {
public:
    explicit Canvas(QImage& image);
    // Draws only inside `clip` (and the image).
    Canvas(QImage& image, const QRect& clip);

    int width() const { return width_; }
    int height() const { return height_; }
    // Whether a rectangle reaches into the drawn area, so drawing it can matter.
    bool touches(int x, int y, int w, int h) const {
        return x < clipX1_ && y < clipY1_ && int64_t(x) + w > clipX0_ && int64_t(y) + h > clipY0_;
    }

    // Alpha 255 replaces, below that blends: out = (src * a + dst * (255 - a)) / 255.
    void setAlpha(int alpha) { alpha_ = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha); }
    int alpha() const { return alpha_; }
    void fillRect(int x, int y, int w, int h, int64_t colour);
    void setPixel(int x, int y, int64_t colour) {
        if (alpha_ != 255)
            fillRect(x, y, 1, 1, colour);
        else if (opaqueInside(x, y, 1, 1))
            row(y)[x] = toQRgb(colour);
    }
    // `count` dots of dotWidth x dotHeight side by side from (x, y), dot i in
    // colours[i]; the same as one fillRect per dot, done a scanline at a time.
    void fillDots(int x, int y, int dotWidth, int dotHeight, const int64_t* colours, int count);
    // Line between two points, both ends included (Bresenham).
    void line(int x0, int y0, int x1, int y1, int64_t colour);

    // Packed document colour of a pixel (0 outside the image).
    int64_t pixel(int x, int y) const;

    // Whether a rectangle lies wholly inside the drawn area and drawing there
    // replaces pixels (alpha 255): then it may be written straight into scanline().
    bool opaqueInside(int x, int y, int w, int h) const {
        return alpha_ == 255 && x >= clipX0_ && y >= clipY0_ && int64_t(x) + w <= clipX1_ &&
               int64_t(y) + h <= clipY1_;
    }
    QRgb* scanline(int y) const { return row(y); }

private:
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + qsizetype(y) * stride_); }
    void blendRect(int x0, int y0, int x1, int y1, QRgb src);

    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    int clipX0_ = 0, clipY0_ = 0, clipX1_ = 0, clipY1_ = 0; // drawn area, end exclusive
    int alpha_ = 255;
};

} // namespace korvex
