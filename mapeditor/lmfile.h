// The landmark or brigade file in memory and its file form.
#pragma once

#include "support/errors.h"
#include "support/records.h"

#include <string>

namespace vx {

constexpr int lmCapacity = 512;

struct Tlm {
    landmarkhead head;
    landmark recs[lmCapacity]; // record i (1-based) is recs[i - 1]

    landmark& rec(int i);
    const landmark& rec(int i) const;
    int count() const { return head.count; }
};
static_assert(sizeof(Tlm) == 100 + 512 * 63);

// The file being edited and the copy buffer.
extern Tlm lmfile;
extern Tlm cpylm;

// A file that cannot be a landmark file; the load refuses it with this text.
struct LandmarkFileRefused : FileError {
    using FileError::FileError;
};

// Parses a template file's bytes. The record count comes from the size:
// (size - 100) div recsize, at most 512. A record shorter than 63 bytes fills
// the start of its slot; of a longer one the first 63 bytes are kept. A file
// shorter than its header or with record size 0 cannot be read that way and
// is refused with LandmarkFileRefused, which says why.
Tlm parseLandmarkFile(const std::string& bytes, const std::string& nameForMessages);
Tlm readLandmarkFile(const std::string& path);

// The file form: the header as held, count records of recsize bytes each
// (bytes beyond the 63 of a record are written as zeros). Record size 0, a
// table that was never loaded, is written as 63.
std::string landmarkFileBytes(const Tlm& t);
void saveLandmarkFile(const std::string& path, const Tlm& t);

} // namespace vx
