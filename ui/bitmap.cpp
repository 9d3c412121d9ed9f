#include "bitmap.h"

#include "canvas.h"
#include "support/errors.h"

#include <algorithm>
#include <cairo.h>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <sys/mman.h>

namespace vx::ui {

void TBitmap::FreeDeleter::operator()(uint8_t* p) const {
    if (mapped)
        munmap(p, mapped);
    else
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

namespace {

constexpr size_t hugePage = size_t(2) << 20;

// A large buffer of its own, aligned to huge pages, which are asked for; its
// pages are faulted in by the system in one call here, on this thread (a
// system before Linux 5.14 refuses that and the writer faults them in). It
// goes back to the system when freed. nullptr when there is no memory.
uint8_t* mapLarge(size_t bytes, size_t& mapped) {
    const size_t length = (bytes + hugePage - 1) / hugePage * hugePage;
    void* q = mmap(nullptr, length + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                   -1, 0);
    if (q == MAP_FAILED) return nullptr;
    auto* base = static_cast<uint8_t*>(q);
    const auto at = reinterpret_cast<uintptr_t>(base);
    const size_t lead = (hugePage - at % hugePage) % hugePage;
    if (lead) munmap(base, lead);
    if (hugePage - lead) munmap(base + lead + length, hugePage - lead);
    uint8_t* p = base + lead;
    madvise(p, length, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    madvise(p, length, MADV_POPULATE_WRITE);
#endif
    mapped = length;
    return p;
}

} // namespace

// Fresh memory costs a page fault per page first touched, which for a map
// picture costs more than decoding it: a large buffer is mapped with huge
// pages, faulted in at once (mapLarge). The old buffer goes only once the
// new one exists: a failure leaves the bitmap as it was.
void TBitmap::reserve(size_t bytes) {
    if (bytes <= capacity_) return;
    size_t mapped = 0;
    uint8_t* p = bytes >= 4 * hugePage ? mapLarge(bytes, mapped)
                                       : static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!p) throw std::bad_alloc();
    dropSurface();
    data_ = std::unique_ptr<uint8_t, FreeDeleter>(p, FreeDeleter{mapped});
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

void TBitmap::release() {
    dropSurface();
    data_.reset();
    capacity_ = 0;
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

void TBitmap::changed() {
    ++version_;
    halfStale_ = true;
    halfDirty_.clear();
    if (OnChange) OnChange();
}

void TBitmap::changed(const TRect& r) {
    ++version_;
    const TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, width_),
                  std::min(r.Bottom, height_)};
    // Many small areas cost more to track than one full rebuild.
    constexpr size_t maxAreas = 4096;
    if (!halfStale_ && c.Left < c.Right && c.Top < c.Bottom) {
        if (halfDirty_.size() < maxAreas)
            halfDirty_.push_back(c);
        else
            halfStale_ = true;
    }
    if (OnChange) OnChange();
}

void TBitmap::assignRect(const TBitmap& src, const TRect& r) {
    if (src.width_ != width_ || src.height_ != height_ || &src == this) return;
    const int x0 = std::max(r.Left, 0), x1 = std::min(r.Right, width_);
    const int y0 = std::max(r.Top, 0), y1 = std::min(r.Bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y)
        std::memcpy(scanLine(y) + x0, src.scanLine(y) + x0, size_t(x1 - x0) * 4);
    changed({x0, y0, x1, y1});
}

// The half-size pixels that cover r (full-size coordinates).
void TBitmap::halveInto(TBitmap& half, const TRect& r) const {
    const int x0 = std::max(r.Left / 2, 0), x1 = std::min((r.Right + 1) / 2, half.width_);
    const int y0 = std::max(r.Top / 2, 0), y1 = std::min((r.Bottom + 1) / 2, half.height_);
    // Four pixels summed per channel pair in one word: (a + b + c + d + 2) / 4.
    constexpr uint32_t lo = 0x00FF00FF;
    for (int y = y0; y < y1; ++y) {
        const uint32_t* r0 = scanLine(2 * y);
        const uint32_t* r1 = scanLine(2 * y + 1);
        uint32_t* out = half.scanLine(y);
        for (int x = x0; x < x1; ++x) {
            const uint32_t a = r0[2 * x], b = r0[2 * x + 1], c = r1[2 * x], d = r1[2 * x + 1];
            const uint32_t even = (a & lo) + (b & lo) + (c & lo) + (d & lo) + 0x00020002;
            const uint32_t odd =
                ((a >> 8) & lo) + ((b >> 8) & lo) + ((c >> 8) & lo) + ((d >> 8) & lo) + 0x00020002;
            out[x] = ((even >> 2) & lo) | (((odd >> 2) & lo) << 8);
        }
    }
}

const TBitmap& TBitmap::halfSize() const {
    if (!half_) half_ = std::make_unique<TBitmap>();
    if (half_->empty() != empty() || half_->width_ != width_ / 2 || half_->height_ != height_ / 2)
        halfStale_ = true;
    if (halfStale_) {
        half_->setSizeUninitialized(width_ / 2, height_ / 2);
        halveInto(*half_, {0, 0, width_, height_});
    } else {
        for (const TRect& r : halfDirty_) halveInto(*half_, r);
    }
    halfStale_ = false;
    halfDirty_.clear();
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
