#include "bitmap.h"

#include "canvas.h"

#include <algorithm>
#include <cairo.h>
#include <cstdlib>
#include <cstring>
#include <new>

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
// costs only what the decoder writes into it.
void TBitmap::reserve(size_t bytes) {
    if (bytes <= capacity_) return;
    dropSurface();
    data_.reset();
    capacity_ = 0;
    auto* p = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!p) throw std::bad_alloc();
    data_.reset(p);
    capacity_ = bytes;
}

void TBitmap::setSizeUninitialized(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) width = height = 0;
    if (width != width_ || height != height_) dropSurface();
    reserve(size_t(width) * size_t(height) * 4);
    width_ = width;
    height_ = height;
}

void TBitmap::setSize(int width, int height) {
    setSizeUninitialized(width, height);
    if (!empty()) std::memset(data_.get(), 0xFF, size_t(height_) * size_t(stride()));
    changed();
}

void TBitmap::assign(const TBitmap& src) {
    if (&src == this) return;
    setSizeUninitialized(src.width_, src.height_);
    if (!empty()) std::memcpy(data_.get(), src.data_.get(), size_t(height_) * size_t(stride()));
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

cairo_surface_t* TBitmap::surface() const {
    if (empty()) return nullptr;
    if (!surface_)
        surface_ = cairo_image_surface_create_for_data(data_.get(), CAIRO_FORMAT_ARGB32, width_,
                                                       height_, stride());
    cairo_surface_mark_dirty(surface_);
    return surface_;
}

} // namespace vx::ui
