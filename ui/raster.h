// The pixel primitives of every canvas, on a window of 32-bit pixels whose
// top-left pixel stands at (ox, oy) of the drawing. The raster canvas uses a
// window at (0, 0) over its whole bitmap; the recording canvas replays its
// operations into a window over the part being shown, so both give the same
// pixels by construction.
#pragma once

#include "ui/types.h"

#include <cstddef>
#include <cstdint>

namespace vx::ui {

class TBitmap;

struct RasterWindow {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    size_t stride = 0; // pixels per row
    int64_t ox = 0, oy = 0;
    uint32_t* row(int64_t y) const { return pixels + size_t(y) * stride; }
};

// Each returns whether it changed a pixel; coordinates are the drawing's.
// Fills x in [r.Left, r.Right), y in [r.Top, r.Bottom).
bool rasterFill(const RasterWindow& w, const TRect& r, TColor c);
// Pixels from a to b excluding b, width x width squares for a wide pen.
bool rasterLine(const RasterWindow& w, TPoint a, TPoint b, TColor c, int width);
bool rasterEllipse(const RasterWindow& w, const TRect& box, bool fill, TColor fillColor,
                   bool outline, TColor lineColor);
bool rasterPixel(const RasterWindow& w, int x, int y, TColor c);
// src scaled into [left, right) x [top, bottom) (nearest pixel), its
// transparent pixels skipped and the others laid over.
bool rasterPicture(const RasterWindow& w, int64_t left, int64_t top, int64_t right, int64_t bottom,
                   const TBitmap& src);

} // namespace vx::ui
