// Byte sums of streams and files, and the CR LF line join of the flight-model scan.
#pragma once

#include "stringlist.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vx {

// Sum (mod 2^32) of Size - 5 bytes read from the stream's current position,
// Size being the whole stream's length; 0 when Size <= 5. Running out of bytes
// first is a FileError ("stream read error").
uint32_t streamByteSum(std::istream& stream);
// streamByteSum of the whole file from its start; -1 for a missing file.
int32_t fileByteSum(const std::string& name);
// Every item followed by CR LF.
void joinLinesCRLF(std::string& result, const TStringList& list);

} // namespace vx
