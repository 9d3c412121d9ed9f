// A picture: one bitmap, loaded from a file or an embedded resource.
#pragma once

#include "ui/bitmap.h"

#include <memory>
#include <string>

namespace vx::ui {

class TPicture {
public:
    TBitmap& Bitmap() { return bmp_; }
    const TBitmap& Bitmap() const { return bmp_; }
    int Width() const { return bmp_.Width(); }
    int Height() const { return bmp_.Height(); }
    bool empty() const { return bmp_.empty(); }

    // Reads a JPEG file (".jpg" / ".jpeg", any case, and JPEG inside); any
    // other picture file is refused before it is decoded. A missing file
    // raises FileError, a file that is not a readable JPEG PictureError;
    // either way the picture keeps what it held. A JPEG that decodes only in
    // part is kept as far as it goes and the user is told the file is damaged.
    void LoadFromFile(const std::string& path);
    // A picture compiled into the program (GResource path, e.g.
    // "/vexton/start.png"): PNG or JPEG.
    void LoadFromResource(const std::string& resourcePath);
    // As LoadFromFile for the file's bytes, without the message; name chooses
    // the reader and names errors.
    void LoadFromBytes(const std::string& name, const void* bytes, size_t size);
    // Why the last picture loaded is shown only in part; empty when it is whole.
    const std::string& damage() const { return damage_; }
    // Copy of src's pixels and transparency. Takes src's load copy (see
    // setKeepLoadCopy) when src has not changed since its load.
    void Assign(const TPicture& src);
    // Each JPEG load also writes a second copy of the pixels, while each band
    // of rows is still in the cache: cheaper than copying the whole picture
    // afterwards, for a caller that keeps a clean copy of what it draws on.
    void setKeepLoadCopy(bool on) { keepCopy_ = on; }
    void Clear();
    void setTransparentColor(TColor c) { bmp_.setTransparentColor(c); }

private:
    TBitmap bmp_;
    std::string damage_;
    bool keepCopy_ = false;
    // The load copy, valid while bmp_ is at version copyOf_.
    mutable std::unique_ptr<TBitmap> copy_;
    mutable bool copyValid_ = false;
    uint64_t copyOf_ = 0;
};

// Decoders behind TPicture. They throw PictureError on failure, when out may
// hold part of a picture (TPicture decodes a picture of another size into a
// spare bitmap for that reason, and one of its own size in place only after
// its first band of rows decoded).
// decodeJpeg returns why a picture decoded only in part (its missing rows
// grey), or the empty text. decodePng reads PNG only.
// copy, when given, gets the same pixels.
std::string decodeJpeg(const std::string& name, const void* bytes, size_t size, TBitmap& out,
                       TBitmap* copy = nullptr);
void decodePng(const std::string& name, const void* bytes, size_t size, TBitmap& out);
// The message that names a picture file shown only in part.
std::string damagedPictureMessage(const std::string& path, const std::string& why);
// The largest raster a picture file may ask for: 4096 pixels per byte of file,
// and no more than a bitmap holds.
bool pictureSizeAllowed(long long width, long long height, size_t fileSize);

} // namespace vx::ui
