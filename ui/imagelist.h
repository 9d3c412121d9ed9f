// A list of small images of one size (16 x 16 by default), drawn by index.
#pragma once

#include "ui/bitmap.h"
#include "ui/component.h"

#include <memory>
#include <string>
#include <vector>

namespace vx::ui {

class TCanvas;

class TImageList : public TComponent {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setWidth(int w) { width_ = w; }
    void setHeight(int h) { height_ = h; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds a copy; returns its index.
    int Add(const TBitmap& bmp);
    void Clear() { images_.clear(); }
    const TBitmap& image(int index) const;
    // Index outside 0..Count-1 draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    // Cuts a picture (GResource path, else a JPEG file) into Width-wide
    // images, left to right, and adds them; returns how many were added.
    int loadStrip(const std::string& path);
    int addStrip(const TBitmap& strip);

private:
    int width_ = 16, height_ = 16;
    std::vector<std::unique_ptr<TBitmap>> images_;
};

} // namespace vx::ui
