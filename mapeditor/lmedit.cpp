#include "mapeditor/lmedit.h"

#include "support/names.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace vx {

namespace {

uint8_t byteOf(int v, const char* what) {
    checkRange(v, 0, 255, what);
    return static_cast<uint8_t>(v);
}

// Two hexadecimal digits of an object-file name, from 1-based position pos.
uint8_t hexPair(const std::string& name, size_t pos) {
    const std::string digits = pos - 1 < name.size() ? name.substr(pos - 1, 2) : std::string();
    auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    if (digits.size() != 2 || !isHex(digits[0]) || !isHex(digits[1]))
        throw ConvertError("\"$" + digits + "\" is an invalid integer");
    return static_cast<uint8_t>(StrToInt("$" + digits));
}

template <typename Change> void forRows(Tlm& t, const std::vector<int>& rows, Change change) {
    for (int row : rows) change(t.rec(row + 1));
}

} // namespace

void setSide(landmark& rec, int sideIndex) {
    rec.lmid.at(lmSideSel) = byteOf(sideIndex, "side");
}

void setTypeCode(landmark& rec, int index) {
    rec.lmid.at(lmTypeSel) = byteOf(index, "type code");
}

void setElevation(landmark& rec, float ft) {
    rec.elev = ft;
}

void setNameField(landmark& rec, const std::string& text) {
    setName(rec, text);
}

void setFromLofileName(landmark& rec, const std::string& name) {
    rec.lmid.at(lmTypeSel) = hexPair(name, 5);
    rec.lmid.at(2) = hexPair(name, 7);
}

void setRotationEntry(landmark& rec, const std::string& entry) {
    rec.rota = static_cast<float>(StrToInt(entry));
}

int moveToClick(landmark& rec, int k, double lat, double lon, int imageWidth) {
    const int shift = xShiftForLat(k, lat);
    rec.lon = static_cast<float>(lon + shift * maptab[k][lonRange] / imageWidth);
    rec.lat = static_cast<float>(lat);
    return shift;
}

void deactivateRows(Tlm& t, const std::vector<int>& rows) {
    forRows(t, rows, [](landmark& r) {
        r.lat = -r.lat;
        r.lon = -r.lon;
    });
}

void reactivateRows(Tlm& t, const std::vector<int>& rows) {
    forRows(t, rows, [](landmark& r) {
        r.lat = std::fabs(r.lat);
        r.lon = std::fabs(r.lon);
    });
}

std::optional<std::string> activationCaption(const landmark& rec) {
    if (rec.lat < 0 && rec.lon < 0) return "Activate Landmark";
    if (rec.lat > 0 && rec.lon > 0) return "De-activate Landmark";
    return std::nullopt;
}

std::optional<std::string> addRefusal(int rows, bool mapSelected) {
    if (rows >= lmCapacity)
        return "The landmark table is full: it holds " + std::to_string(lmCapacity) +
               " records, no landmark added.";
    if (!mapSelected)
        return "Select a map first: a new landmark is placed by the map's extents, no landmark "
               "added.";
    return std::nullopt;
}

void addLandmark(Tlm& t, int row, const latlong& m) {
    landmark& rec = t.rec(row + 1);
    rec = landmark{};
    setName(rec, newEntryName);
    rec.lat = static_cast<float>(m[northLat] - m[southLat]);
    rec.lon = static_cast<float>(m[eastLon] - m[westLon]);
    t.head.count = static_cast<uint16_t>(row + 1);
}

std::string newEntryLine(int countBefore) {
    return std::to_string(countBefore) + " " + newEntryName;
}

Tlm withoutRows(const Tlm& t, const std::vector<bool>& selected) {
    Tlm out{};
    out.head = t.head;
    out.head.count = 0;
    for (size_t j = 0; j < selected.size(); ++j) {
        if (selected[j]) continue;
        out.rec(out.head.count + 1) = t.rec(static_cast<int>(j) + 1);
        ++out.head.count;
    }
    return out;
}

std::string dumpBytes(const Tlm& t) {
    const size_t n = std::min<size_t>(t.head.count, lmCapacity);
    std::string out(sizeof(landmarkhead) + n * sizeof(landmark), '\0');
    std::memcpy(out.data(), &t, out.size());
    return out;
}

} // namespace vx
