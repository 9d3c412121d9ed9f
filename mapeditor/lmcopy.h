// Moving whole landmark records through the copy buffer: append, paste as new
// records, paste over the records from a chosen one on, and blanking. The
// buffer is a Tlm like the file; both hold at most 512 records.
#pragma once

#include "mapeditor/lmfile.h"
#include "support/stringlist.h"

#include <memory>
#include <string>
#include <vector>

namespace vx {

// The single-record clipboard of the map menu; all zero at start.
extern landmark clipLM;

// One copied record, attached to its line of the copy list.
struct TanLM : TObject {
    landmark rec{};
};
// A TanLM whose record is all zero; the creator copies a record in.
std::shared_ptr<TanLM> newAnLM();

inline constexpr const char* noObjectsCopied = "No objects copied...";
inline constexpr const char* copyBufferFull = "Copy buffer is full ..max=512";

void clearBuffer(Tlm& buf);
// Appends r as record count + 1; false (nothing changes) when the buffer is full.
bool appendToBuffer(Tlm& buf, const landmark& r);
// Clears the buffer and fills it with recs in order, as far as 512 go;
// returns how many did not fit.
size_t refillBuffer(Tlm& buf, const std::vector<landmark>& recs);

// The reason "Paste Object(s) as new" is refused, empty when it may go ahead.
std::string pasteNewRefusal(const Tlm& file, const Tlm& buf);
// Appends the buffer's records after the file's last; RangeError when they
// do not fit (the file is then unchanged).
void pasteAsNew(Tlm& file, const Tlm& buf);

// The reason a paste over records s, s + 1, ... is refused, empty when it
// may go ahead. The bound is n + s <= 512, so record 511 is the last reached.
std::string pasteAtRefusal(const Tlm& file, const Tlm& buf, int s);
// The paste overwrites records after s that exist: it must be confirmed.
inline bool pasteAtOverwrites(const Tlm& file, int s) {
    return file.count() > s;
}
std::string pasteAtQuestion(const Tlm& buf, const std::string& rowText);
// Writes buffer record i to record s + i - 1, adding the records beyond the
// end; RangeError when refused by the bound (the file is then unchanged).
void pasteAt(Tlm& file, const Tlm& buf, int s);

// Every byte of the given records (1-based) zero; slots and count stay.
void blankRecords(Tlm& file, const std::vector<int>& recNos);

// The question "Paste Object" asks before replacing `target` by `with`.
std::string pasteObjectQuestion(const landmark& target, const landmark& with);

// Copy-list line of a record copied from the map menu: the list's long line
// form without the side letter.
std::string mapCopyLine(const landmark& rec, int recNo);

} // namespace vx
