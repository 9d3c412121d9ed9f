#include "objectviewer/iconmasks.h"
#include "objectviewer/viewershared.h"
#include "support/errors.h"
#include "ui/picture.h"

namespace vx {

TObjPics objPics;

TObjPics::TObjPics() = default;
TObjPics::~TObjPics() = default;

void TObjPics::create() {
    pics_.clear();
    for (int i = 0; i < iconCount; ++i) pics_.push_back(std::make_unique<ui::TPicture>());
}

void TObjPics::free() {
    pics_.clear();
}

ui::TPicture& TObjPics::at(int cls, int type) {
    const int i = iconIndex(cls, type);
    if (pics_.empty()) throw NilObjectError("Access violation: the icon pictures are freed");
    return *pics_[static_cast<size_t>(i)];
}

} // namespace vx
