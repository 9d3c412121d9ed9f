// Drawing with the classic integer semantics: a line excludes its end point,
// rectangles cover Left..Right-1 and Top..Bottom-1, drawing outside the
// surface is clipped. TCanvas holds the pen, brush and pen position and turns
// every call into a few primitives; TBitmapCanvas puts them into a raster. A
// canvas larger than any raster one could allocate records them instead.
#pragma once

#include "ui/raster.h"
#include "ui/types.h"

#include <cstdint>
#include <vector>

namespace vx::ui {

class TBitmap;

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TPen {
public:
    TColor Color() const { return color_; }
    void setColor(TColor c) { color_ = c; }
    TPenStyle Style() const { return style_; }
    void setStyle(TPenStyle s) { style_ = s; }
    int Width() const { return width_; }
    void setWidth(int w) { width_ = w < 1 ? 1 : w; }

private:
    TColor color_ = clBlack;
    TPenStyle style_ = psSolid;
    int width_ = 1;
};

class TBrush {
public:
    TColor Color() const { return color_; }
    void setColor(TColor c) { color_ = c; }
    TBrushStyle Style() const { return style_; }
    void setStyle(TBrushStyle s) { style_ = s; }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // Pen line from the pen position to (x, y), the end point excluded.
    void LineTo(int x, int y);
    // Lines through the points, the last point excluded; the pen ends there.
    void Polyline(const std::vector<TPoint>& points);
    // One-pixel frame in the brush colour.
    void FrameRect(const TRect& r);
    // Filled with the brush (unless bsClear), framed with the pen (unless psClear).
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // The brush over Left..Right-1, Top..Bottom-1 (nothing with bsClear).
    void FillRect(const TRect& r);
    // Filled with the brush, outlined with the pen, inside x1..x2-1, y1..y2-1.
    void Ellipse(int x1, int y1, int x2, int y2);
    // The bitmap at (x, y); transparent pixels (alpha 0, or the bitmap's
    // transparent colour) leave the canvas as it was.
    virtual void Draw(int x, int y, const TBitmap& src) = 0;
    // The bitmap scaled into the rectangle (nearest pixel).
    virtual void StretchDraw(const TRect& dest, const TBitmap& src) = 0;
    // clInvalid outside the surface.
    virtual TColor Pixels(int x, int y) const = 0;
    virtual void setPixels(int x, int y, TColor c) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

protected:
    // Pixels from a to b excluding b, w x w squares for pen width w.
    virtual void line(TPoint a, TPoint b, TColor c, int width) = 0;
    // Fills x in [r.Left, r.Right), y in [r.Top, r.Bottom); r may be empty.
    virtual void fill(const TRect& r, TColor c) = 0;
    // The ellipse inside the box, filled (when fill) and outlined (when outline).
    virtual void ellipse(const TRect& box, bool fill, TColor fillColor, bool outline,
                         TColor lineColor) = 0;

private:
    TPen pen_;
    TBrush brush_;
    TPoint penPos_{0, 0};
};

// The canvas of a TBitmap.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bmp) : bmp_(bmp) {}
    void Draw(int x, int y, const TBitmap& src) override;
    void StretchDraw(const TRect& dest, const TBitmap& src) override;
    TColor Pixels(int x, int y) const override;
    void setPixels(int x, int y, TColor c) override;
    int Width() const override;
    int Height() const override;

protected:
    void line(TPoint a, TPoint b, TColor c, int width) override;
    void fill(const TRect& r, TColor c) override;
    void ellipse(const TRect& box, bool fill, TColor fillColor, bool outline,
                 TColor lineColor) override;

private:
    void drawScaled(int64_t left, int64_t top, int64_t right, int64_t bottom, const TBitmap& src);
    RasterWindow window() const;
    TBitmap& bmp_;
};

// The pixels of row y inside the ellipse that fills box: [from, to). False
// when the row holds none. Shared by every canvas so all draw the same shape.
bool ellipseSpan(const TRect& box, int y, int& from, int& to);

} // namespace vx::ui
