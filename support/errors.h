// The few exception kinds that end a handler. The ui dispatcher catches every
// vx::Error and shows it in the application's standard error dialog.
#pragma once

#include <stdexcept>
#include <string>

namespace vx {

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// An index outside a table or a list.
struct RangeError : Error {
    using Error::Error;
};
// A text that is not the number (or format) it should be.
struct ConvertError : Error {
    using Error::Error;
};
// A file that cannot be opened, read or written.
struct FileError : Error {
    using Error::Error;
};
// A picture file that cannot be read as a picture.
struct PictureError : Error {
    using Error::Error;
};
// A call on an object that does not exist.
struct NilObjectError : Error {
    using Error::Error;
};

// Throws RangeError unless lo <= i <= hi.
inline void checkRange(long long i, long long lo, long long hi, const char* what) {
    if (i < lo || i > hi)
        throw RangeError(std::string("Range check error: ") + what + " index " + std::to_string(i) +
                         " not in " + std::to_string(lo) + ".." + std::to_string(hi));
}

} // namespace vx
