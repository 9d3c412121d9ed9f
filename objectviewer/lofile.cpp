#include "objectviewer/lofile.h"

#include "support/fileio.h"

#include <algorithm>
#include <cstring>

namespace vx {

TLOtab lotab{};
TLOtab lotabUndo{};
TLOtab lowork{};
TLOtab lomove{};

LoReadNotes parseObjectFile(const std::string& bytes, TLOtab& t) {
    std::memset(&t, 0, sizeof t);
    t.head.recsize = loRecSize;
    std::memcpy(&t.head, bytes.data(), std::min(bytes.size(), loHeadSize));

    LoReadNotes notes;
    notes.headerCount = t.head.count;
    if (t.head.count > loCapacity) {
        t.head.count = loCapacity;
        notes.countCapped = true;
    }
    const size_t wanted = size_t{t.head.count} * loRecSize;
    const size_t held = bytes.size() > loHeadSize ? bytes.size() - loHeadSize : 0;
    const size_t n = std::min(wanted, held);
    if (n > 0) std::memcpy(reinterpret_cast<char*>(t.objs), bytes.data() + loHeadSize, n);
    notes.shortFile = held < wanted;
    return notes;
}

LoReadNotes readObjectFile(const std::string& path, TLOtab& t) {
    return parseObjectFile(readFileBytes(path, loMaxFileBytes), t);
}

std::string objectFileBytes(const TLOtab& t) {
    const size_t n = std::min<size_t>(t.head.count, loCapacity);
    std::string out(loHeadSize + n * loRecSize, '\0');
    landmarkhead h = t.head;
    h.recsize = loRecSize;
    std::memcpy(out.data(), &h, sizeof h);
    if (n > 0)
        std::memcpy(out.data() + loHeadSize, reinterpret_cast<const char*>(t.objs), n * loRecSize);
    return out;
}

size_t saveObjectFile(const std::string& path, TLOtab& t) {
    t.head.recsize = loRecSize;
    const std::string bytes = objectFileBytes(t);
    writeFileAtomic(path, bytes);
    return bytes.size();
}

std::string loSavedMessage(const std::string& fileName, size_t bytes) {
    return " Lofile " + fileName + " saved, " + std::to_string(bytes) + " bytes";
}

std::string loNotSavedMessage(const std::string& fileName) {
    return " Lofile " + fileName + " not saved....";
}

std::string loCountCappedMessage(const std::string& path, long headerCount) {
    return "file " + path + " says it holds " + std::to_string(headerCount) +
           " objects; only the first " + std::to_string(loCapacity) + " are loaded.";
}

} // namespace vx
