#include "objectviewer/lolines.h"

#include "support/fileio.h"
#include "support/helpers.h"
#include "support/names.h"
#include "support/rtlconv.h"

#include <algorithm>

namespace vx {

namespace {

long long cls(const LOobject& o) {
    return o.loid.at(1);
}
long long type(const LOobject& o) {
    return o.loid.at(2);
}
long double real(float v) {
    return static_cast<long double>(v);
}

template <typename Line> std::vector<std::string> linesOf(const TLOtab& t, Line line) {
    std::vector<std::string> out;
    const int n = loShownCount(t);
    out.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back(line(i, t.objs[i]));
    return out;
}

} // namespace

int loShownCount(const TLOtab& t) {
    return std::min<int>(t.head.count, loCapacity);
}

const std::string& loObjectName(const LOobject& o) {
    static const std::string none;
    if (cls(o) > objClassMax || type(o) > objTypeMax) return none;
    return objNames[static_cast<size_t>(cls(o))][static_cast<size_t>(type(o))];
}

std::string lolistLine(int i, const LOobject& o) {
    return fmtInt("# %3D", i) + fmtInt(" V %1d", o.hide) + fmtFloat(" x: %4.0F", o.x) +
           fmtFloat(" y: %4.0F", o.y) + fmtFloat(" rot: %3.1F", o.rota) +
           Format(" LoID %2X %2X", {cls(o), type(o)}) + " " + loObjectName(o);
}

std::string objlistLine(int i, const LOobject& o) {
    return Format("%3D $%2S$%2S",
                  {static_cast<long long>(i), byteHex(o.loid.at(1)), byteHex(o.loid.at(2))}) +
           " " + loObjectName(o);
}

std::string widestLolistLine() {
    LOobject o{};
    size_t longest = 0;
    for (int c = 0; c <= objClassMax; ++c)
        for (int t = 0; t <= objTypeMax; ++t)
            if (objNames[size_t(c)][size_t(t)].size() > longest) {
                longest = objNames[size_t(c)][size_t(t)].size();
                o.loid.at(1) = uint8_t(c);
                o.loid.at(2) = uint8_t(t);
            }
    // Feet from the origin as far as a map reaches, both ways.
    o.x = o.y = -99999;
    o.rota = 359.9f;
    o.hide = 3;
    return lolistLine(loCapacity - 1, o);
}

std::vector<std::string> lolistLines(const TLOtab& t) {
    return linesOf(t, lolistLine);
}

std::vector<std::string> objlistLines(const TLOtab& t) {
    return linesOf(t, objlistLine);
}

std::string label1Text(int width, int height) {
    return std::to_string(width) + " " + std::to_string(height);
}

std::string loExportLine(int i, const LOobject& o) {
    return Format("rec# ,%4D, %7S, coord in ft:, X ,%7.F, Y, %7.F, rot %4.1F, elev %4F, "
                  "obj/ID : ,$%S, $%S, Obj name, %S",
                  {static_cast<long long>(i), std::string(o.hide == 3 ? "hidden" : "active"),
                   real(o.x), real(o.y), real(o.rota), real(o.elev), byteHex(o.loid.at(1)),
                   byteHex(o.loid.at(2)), loObjectName(o)});
}

std::string loExportText(const TLOtab& t) {
    std::string text;
    for (const std::string& line : linesOf(t, loExportLine)) text += line + "\n";
    return text;
}

void saveLoExport(const std::string& path, const TLOtab& t) {
    writeFileAtomic(path, loExportText(t));
}

} // namespace vx
