#include "bitmap.h"

#include "canvas.h"
#include "support/errors.h"

#include <algorithm>
#include <cairo.h>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace vx::ui {

void TBitmap::FreeDeleter::operator()(uint8_t* p) const {
    std::free(p);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    dropSurface();
}

void TBitmap::dropSurface() const {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
}

// calloc hands out untouched zero pages for large sizes, so a fresh buffer
// costs only what the decoder writes into it. The old buffer goes only once
// the new one exists: a failure leaves the bitmap as it was.
void TBitmap::reserve(size_t bytes) {
    if (bytes <= capacity_) return;
    auto* p = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!p) throw std::bad_alloc();
    dropSurface();
    data_.reset(p);
    capacity_ = bytes;
}

void TBitmap::setSizeUninitialized(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) width = height = 0;
    if (size_t(width) * size_t(height) > maxPixels)
        throw RangeError("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels is larger than the " + std::to_string(maxPixels) +
                         " pixels a raster may hold");
    reserve(size_t(width) * size_t(height) * 4);
    if (width != width_ || height != height_) dropSurface();
    width_ = width;
    height_ = height;
}

void TBitmap::setSize(int width, int height) {
    setSizeUninitialized(width, height);
    if (!empty()) std::memset(data_.get(), 0xFF, rowBytes() * size_t(height_));
    changed();
}

void TBitmap::assign(const TBitmap& src) {
    if (&src == this) return;
    setSizeUninitialized(src.width_, src.height_);
    if (!empty()) std::memcpy(data_.get(), src.data_.get(), rowBytes() * size_t(height_));
    transparent_ = src.transparent_;
    transparentColor_ = src.transparentColor_;
    changed();
}

void TBitmap::swapPixels(TBitmap& other) {
    dropSurface();
    other.dropSurface();
    std::swap(data_, other.data_);
    std::swap(capacity_, other.capacity_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    changed();
    other.changed();
}

void TBitmap::clear() {
    dropSurface();
    width_ = height_ = 0;
    changed();
}

void TBitmap::setTransparentColor(TColor c) {
    transparentColor_ = c;
    transparent_ = true;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return *canvas_;
}

const TBitmap& TBitmap::halfSize() const {
    if (!half_) half_ = std::make_unique<TBitmap>();
    if (half_->empty() != empty() || halfVersion_ != version_ || half_->width_ != width_ / 2 ||
        half_->height_ != height_ / 2) {
        half_->setSizeUninitialized(width_ / 2, height_ / 2);
        // Four pixels summed per channel pair in one word: (a + b + c + d + 2) / 4.
        constexpr uint32_t lo = 0x00FF00FF;
        for (int y = 0; y < half_->height_; ++y) {
            const uint32_t* r0 = scanLine(2 * y);
            const uint32_t* r1 = scanLine(2 * y + 1);
            uint32_t* out = half_->scanLine(y);
            for (int x = 0; x < half_->width_; ++x) {
                const uint32_t a = r0[2 * x], b = r0[2 * x + 1], c = r1[2 * x], d = r1[2 * x + 1];
                const uint32_t even = (a & lo) + (b & lo) + (c & lo) + (d & lo) + 0x00020002;
                const uint32_t odd = ((a >> 8) & lo) + ((b >> 8) & lo) + ((c >> 8) & lo) +
                                     ((d >> 8) & lo) + 0x00020002;
                out[x] = ((even >> 2) & lo) | (((odd >> 2) & lo) << 8);
            }
        }
        half_->dropSurface();
        halfVersion_ = version_;
    }
    return *half_;
}

cairo_surface_t* TBitmap::surface() const {
    if (empty()) return nullptr;
    if (!surface_)
        surface_ = cairo_image_surface_create_for_data(data_.get(), CAIRO_FORMAT_ARGB32, width_,
                                                       height_, stride());
    cairo_surface_mark_dirty(surface_);
    return surface_;
}

} // namespace vx::ui
