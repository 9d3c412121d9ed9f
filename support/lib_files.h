// Small file helpers of the library interface: erase, find, copy, delete, move.
// None of them reports failure except where a result says so.
#pragma once

#include "fileio.h"

#include <string>

namespace vx {

// The platform copy: src to dst, replacing dst, keeping src's modification
// time when preserveTime. Goes through SafeFileWriter, so a failed copy
// leaves dst as it was. True on success.
bool copyFileTo(const std::string& src, const std::string& dst, bool preserveTime);
// Writes src's bytes into out (not committed); FileError when src cannot be read.
void copyFileThrough(const std::string& src, SafeFileWriter& out);

bool eraseOk(const std::string& name);
// A directory search for name (wildcards allowed) finds any entry.
bool fileFoundFF(const std::string& name);
void copyIfExists(const std::string& src, const std::string& dst, bool preserveTime);
void deleteIfFound(const std::string& name);
// Copies, then deletes src only when the copy succeeded and dst is not src itself.
void moveFileSS(const std::string& src, const std::string& dst, bool preserveTime);

} // namespace vx
