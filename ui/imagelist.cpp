#include "imagelist.h"

#include "canvas.h"
#include "picture.h"
#include "support/errors.h"

#include <cstring>
#include <gio/gio.h>

namespace vx::ui {

int TImageList::Add(const TBitmap& bmp) {
    auto copy = std::make_unique<TBitmap>();
    copy->assign(bmp);
    images_.push_back(std::move(copy));
    return Count() - 1;
}

const TBitmap& TImageList::image(int index) const {
    vx::checkRange(index, 0, Count() - 1, "image list");
    return *images_[index];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    canvas.Draw(x, y, *images_[index]);
}

int TImageList::loadStrip(const std::string& path) {
    TPicture pic;
    if (g_resources_get_info(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr, nullptr, nullptr))
        pic.LoadFromResource(path);
    else
        pic.LoadFromFile(path);
    return addStrip(pic.Bitmap());
}

int TImageList::addStrip(const TBitmap& strip) {
    const int n = width_ > 0 ? strip.Width() / width_ : 0;
    const int h = std::min(height_, strip.Height());
    TBitmap one;
    for (int i = 0; i < n; ++i) {
        one.setSizeUninitialized(width_, h);
        for (int y = 0; y < h; ++y)
            std::memcpy(one.scanLine(y), strip.scanLine(y) + size_t(i) * size_t(width_),
                        size_t(width_) * 4);
        Add(one);
    }
    return n;
}

} // namespace vx::ui
