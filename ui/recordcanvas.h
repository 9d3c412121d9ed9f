// A canvas of a logical size that holds no raster of that size: it records
// its operations and rasterises on request only the part asked for, with the
// raster canvas's own primitives, so both give the same pixels. An opaque fill
// over the whole surface drops what it covers, so a view that is cleared and
// redrawn keeps one drawing's operations. Outside the surface nothing is
// drawn and Pixels answers clInvalid.
#pragma once

#include "ui/bitmap.h"
#include "ui/canvas.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vx::ui {

class TRecordCanvas : public TCanvas {
public:
    // A fresh surface, every pixel white (as a new bitmap). Sizes below 0
    // count as 0.
    void setSize(int width, int height);
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Draw(int x, int y, const TBitmap& src) override;
    void StretchDraw(const TRect& dest, const TBitmap& src) override;
    TColor Pixels(int x, int y) const override;
    void setPixels(int x, int y, TColor c) override;

    // Writes the drawing's pixels into w, whose top-left pixel stands at
    // (w.ox, w.oy) of the surface; pixels of w outside the surface are left
    // as they were.
    void render(const RasterWindow& w) const;
    size_t operationCount() const { return ops_.size(); }

    // Runs after every change of the drawing (the image that shows it repaints).
    std::function<void()> OnChange;

protected:
    void line(TPoint a, TPoint b, TColor c, int width) override;
    void fill(const TRect& r, TColor c) override;
    void ellipse(const TRect& box, bool fill, TColor fillColor, bool outline,
                 TColor lineColor) override;

private:
    enum class Kind : uint8_t { Fill, Line, Ellipse, Pixel, Picture };
    struct Op {
        Kind kind;
        bool fill, outline;
        int width;
        TColor color, color2;
        TPoint a, b;                          // line ends; pixel in a
        TRect box;                            // fill, ellipse
        int64_t left, top, right, bottom;     // what the operation may touch
        std::shared_ptr<const TBitmap> image; // picture
    };
    static Op opOver(Kind kind, int64_t left, int64_t top, int64_t right, int64_t bottom);
    void add(Op op);
    void replay(const Op& op, const RasterWindow& w) const;
    std::shared_ptr<const TBitmap> snapshot(const TBitmap& src);
    void drawPicture(int64_t left, int64_t top, int64_t right, int64_t bottom, const TBitmap& src);

    int width_ = 0, height_ = 0;
    std::vector<Op> ops_;
    // Copies of the pictures drawn since the last clear, by bitmap and version:
    // one icon drawn for many objects is copied once.
    std::map<std::pair<const TBitmap*, uint64_t>, std::shared_ptr<const TBitmap>> pictures_;
    // The last tile Pixels rasterised, until the drawing changes.
    static constexpr int tile = 64;
    mutable std::vector<uint32_t> tilePixels_;
    mutable int tileX_ = 0, tileY_ = 0;
    mutable bool tileValid_ = false;
};

} // namespace vx::ui
