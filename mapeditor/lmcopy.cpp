#include "mapeditor/lmcopy.h"

#include "support/errors.h"
#include "support/names.h"

#include <algorithm>

namespace vx {

landmark clipLM{};

std::shared_ptr<TanLM> newAnLM() {
    return std::make_shared<TanLM>();
}

void clearBuffer(Tlm& buf) {
    buf = Tlm{};
}

bool appendToBuffer(Tlm& buf, const landmark& r) {
    if (buf.count() >= lmCapacity) return false;
    buf.rec(buf.count() + 1) = r;
    ++buf.head.count;
    return true;
}

size_t refillBuffer(Tlm& buf, const std::vector<landmark>& recs) {
    clearBuffer(buf);
    const size_t taken = std::min(recs.size(), static_cast<size_t>(lmCapacity));
    for (size_t i = 0; i < taken; ++i) appendToBuffer(buf, recs[i]);
    return recs.size() - taken;
}

std::string pasteNewRefusal(const Tlm& file, const Tlm& buf) {
    const int c = file.count(), n = buf.count();
    if (n == 0) return noObjectsCopied;
    if (n + c > lmCapacity)
        return "Not enough array space to copy objects ..max=512 space left: " +
               std::to_string(lmCapacity - c);
    return {};
}

void pasteAsNew(Tlm& file, const Tlm& buf) {
    const int c = file.count(), n = buf.count();
    checkRange(c + n, 0, lmCapacity, "landmark record");
    for (int i = 1; i <= n; ++i) file.rec(c + i) = buf.rec(i);
    file.head.count = static_cast<uint16_t>(c + n);
}

std::string pasteAtRefusal(const Tlm& file, const Tlm& buf, int s) {
    const int n = buf.count();
    if (n == 0) return noObjectsCopied;
    if (n + s > lmCapacity)
        return "Not enough space to copy objects # = " + std::to_string(n) +
               " ..max=512 space left: " + std::to_string(lmCapacity - file.count());
    return {};
}

std::string pasteAtQuestion(const Tlm& buf, const std::string& rowText) {
    return "This will overwrite " + std::to_string(buf.count()) + " objects.. starting at " +
           rowText;
}

void pasteAt(Tlm& file, const Tlm& buf, int s) {
    const int n = buf.count();
    checkRange(s, 1, lmCapacity, "landmark record");
    checkRange(n + s, 0, lmCapacity, "landmark record");
    for (int i = 1; i <= n; ++i) {
        const int t = s + i - 1;
        file.rec(t) = buf.rec(i);
        if (t > file.count()) file.head.count = static_cast<uint16_t>(t);
    }
}

void blankRecords(Tlm& file, const std::vector<int>& recNos) {
    for (int i : recNos) file.rec(i) = landmark{};
}

std::string pasteObjectQuestion(const landmark& target, const landmark& with) {
    return "Change LM:" + std::string(nameText(target)) + " to " + std::string(nameText(with)) +
           " ? ";
}

std::string mapCopyLine(const landmark& rec, int recNo) {
    return lmTypeName(rec) + " " + std::to_string(recNo) + " " + std::string(nameText(rec));
}

} // namespace vx
