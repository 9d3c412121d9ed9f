// A picture: one bitmap, loaded from a file or an embedded resource.
#pragma once

#include "ui/bitmap.h"

#include <string>

namespace vx::ui {

class TPicture {
public:
    TBitmap& Bitmap() { return bmp_; }
    const TBitmap& Bitmap() const { return bmp_; }
    int Width() const { return bmp_.Width(); }
    int Height() const { return bmp_.Height(); }
    bool empty() const { return bmp_.empty(); }

    // The reader follows the extension: ".jpg" / ".jpeg" (any case) with
    // libjpeg, others with GdkPixbuf. A missing file raises FileError, a file
    // that is not a readable picture PictureError; either way the picture
    // keeps what it held.
    void LoadFromFile(const std::string& path);
    // A picture compiled into the program (GResource path, e.g. "/vexton/start.png").
    void LoadFromResource(const std::string& resourcePath);
    // Decodes a picture held in memory; name only chooses the reader and names errors.
    void LoadFromBytes(const std::string& name, const void* bytes, size_t size);
    // Copy of src's pixels and transparency.
    void Assign(const TPicture& src) { bmp_.assign(src.bmp_); }
    void Clear();
    void setTransparentColor(TColor c) { bmp_.setTransparentColor(c); }

private:
    TBitmap bmp_;
};

// Decoders behind TPicture. They throw PictureError on failure, when out may
// hold part of a picture (TPicture decodes into a spare bitmap for that reason).
void decodeJpeg(const std::string& name, const void* bytes, size_t size, TBitmap& out);
void decodeWithPixbuf(const std::string& name, const void* bytes, size_t size, TBitmap& out);
// The largest raster a picture file may ask for: 4096 pixels per byte of file,
// and no more than a bitmap holds.
bool pictureSizeAllowed(long long width, long long height, size_t fileSize);

} // namespace vx::ui
