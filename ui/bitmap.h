// A 32-bit raster in cairo's ARGB32 layout (premultiplied alpha, native byte
// order: B, G, R, A in memory here). Its buffer is kept between sizes, so a
// picture loaded again into the same bitmap touches no fresh memory.
#pragma once

#include "ui/types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vx::ui {

class TCanvas;

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    // New size, every pixel opaque white. Sizes below 0 count as 0. More than
    // maxPixels: RangeError naming the size; no memory: std::bad_alloc; either
    // way the bitmap keeps its size and pixels.
    void setSize(int width, int height);
    // New size with the pixels left as they were in the buffer (for loaders
    // that overwrite every pixel).
    void setSizeUninitialized(int width, int height);
    // The largest raster the program holds: the 4000 x 3000 map picture with
    // room to spare. Larger views (the zoomed map, the object view) are not
    // rasters.
    static constexpr size_t maxPixels = size_t(4096) * 4096;
    // Copy of the pixels, size and transparency of src; one memcpy.
    void assign(const TBitmap& src);
    // Copies the pixels of r (clipped) from src, which has this bitmap's size.
    void assignRect(const TBitmap& src, const TRect& r);
    // Exchanges pixels and sizes (a loader decodes aside and swaps on success).
    void swapPixels(TBitmap& other);
    void clear();
    // Empty, its buffer given back to the system.
    void release();

    // Pixels drawn with Draw are skipped where they equal this colour.
    bool Transparent() const { return transparent_; }
    TColor TransparentColor() const { return transparentColor_; }
    void setTransparentColor(TColor c);
    void setTransparent(bool on) { transparent_ = on; }

    TCanvas& Canvas();

    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    int stride() const { return width_ * 4; }
    size_t rowBytes() const { return size_t(width_) * 4; }
    uint32_t* scanLine(int y) {
        return reinterpret_cast<uint32_t*>(data_.get()) + size_t(y) * size_t(width_);
    }
    const uint32_t* scanLine(int y) const {
        return reinterpret_cast<const uint32_t*>(data_.get()) + size_t(y) * size_t(width_);
    }
    // A cairo surface over the pixels (nullptr when empty); valid until the
    // next size change. Marked dirty before it is returned.
    cairo_surface_t* surface() const;

    // Runs after every change of the pixels (the image that shows it repaints).
    // Code that writes pixels through data() or scanLine() calls changed().
    std::function<void()> OnChange;
    void changed();
    // Only the pixels inside r changed: the half-size copy is updated there only.
    void changed(const TRect& r);
    // Counts every change; a caller that keeps what it drew apart can tell
    // whether anyone else wrote to the pixels since.
    uint64_t version() const { return version_; }

    // The picture at half its size, each pixel the mean of a 2 x 2 block; kept
    // until the pixels change, and then updated only where they changed.
    // Painting uses it to shrink by more than half.
    const TBitmap& halfSize() const;

private:
    void reserve(size_t bytes);
    void dropSurface() const;
    void halveInto(TBitmap& half, const TRect& r) const;
    struct FreeDeleter {
        size_t mapped; // bytes of a buffer mapped on its own, else 0 (value-initialised)
        void operator()(uint8_t* p) const;
    };
    std::unique_ptr<uint8_t, FreeDeleter> data_;
    size_t capacity_ = 0;
    int width_ = 0, height_ = 0;
    bool transparent_ = false;
    TColor transparentColor_ = 0;
    std::unique_ptr<TCanvas> canvas_;
    mutable cairo_surface_t* surface_ = nullptr;
    uint64_t version_ = 0;
    mutable std::unique_ptr<TBitmap> half_;
    // What changed since the half-size copy was made: everything, or these areas.
    mutable bool halfStale_ = true;
    mutable std::vector<TRect> halfDirty_;
};

// Pixel value of an opaque colour in the raster layout, and back.
inline constexpr uint32_t pixelOf(TColor c) {
    return 0xFF000000u | uint32_t(redOf(c)) << 16 | uint32_t(greenOf(c)) << 8 | blueOf(c);
}
inline constexpr TColor colorOf(uint32_t px) {
    return rgb(uint8_t(px >> 16), uint8_t(px >> 8), uint8_t(px));
}

} // namespace vx::ui
