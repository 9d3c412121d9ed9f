#include "lmtext.h"

#include "support/errors.h"
#include "support/helpers.h"
#include "support/names.h"

#include <algorithm>
#include <cstdio>

namespace vx {

const std::array<const char*, 2> loprefix = {"lo02", "lo01"};
const std::array<const char*, 2> filebase = {"lndmrks", "brigade"};
const std::array<const char*, 5> mapfiles = {"marne.jpg", "flanders.jpg", "verdun.jpg",
                                             "alsace.jpg", "island.jpg"};

std::string loFileName(int mode, const landmark& rec) {
    checkRange(mode, 0, 1, "mode");
    return loprefix[mode] + byteHex(rec.lmid.at(1)) + byteHex(rec.lmid.at(2)) + ".dat";
}

std::vector<std::string> lotypeEntries(bool mlfMode) {
    if (mlfMode)
        return {"Airfield", "City/Front pos.", "Supply", "Railyard", "Bridge",
                "Factory",  "unused",          "Town",   "Village"};
    std::vector<std::string> out;
    for (int i = 0; i < 256; ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%2X00", i);
        out.emplace_back(buf);
    }
    return out;
}

std::vector<std::string> rotationEntries() {
    std::vector<std::string> out;
    for (int d = 0; d <= 360; d += 45) out.push_back(std::to_string(d));
    for (int d = 0; d <= 360; ++d) out.push_back(std::to_string(d));
    return out;
}

std::string rotationText(float rota) {
    return std::to_string(roundToInt(rota));
}

std::string pickLineLong(const landmark& rec, int i) {
    return sideLetter(rec) + " " + lmTypeName(rec) + " " + std::to_string(i) + " " +
           std::string(nameText(rec));
}

std::string pickLineShort(const landmark& rec, int i) {
    return std::to_string(i) + " " + std::string(nameText(rec));
}

std::string lmDataMemo(const landmark& rec, int recNo, bool mlfMode,
                       const std::vector<std::string>& sideEntries) {
    const int sideIndex = rec.lmid.at(lmSideSel) & 1;
    checkRange(sideIndex, 0, static_cast<long long>(sideEntries.size()) - 1, "side entry");
    const int type = rec.lmid.at(lmTypeSel);
    std::string typeLine = mlfMode ? "Type :" + std::string(lmTypeNames[std::min(type, 15)])
                                   : "n/a (= lo01" + std::to_string(type);
    const std::string lines[] = {
        "Rec# :" + floatStr(recNo, 4, 0),
        "Side :" + sideEntries[sideIndex],
        typeLine,
        "Long :" + floatStr(rec.lon, 20, 16),
        "Latt :" + floatStr(rec.lat, 20, 17),
        "Elev.:" + floatStr(rec.elev, 12, 2),
        "Rota.:" + floatStr(rec.rota, 12, 2),
        "Name :" + std::string(nameText(rec)),
    };
    std::string out;
    for (const auto& l : lines) {
        if (!out.empty()) out += "\r\n";
        out += l;
    }
    return out;
}

int zoomHeight(int position) {
    const double f = position / 4000.0;
    return roundToInt(f * 3000.0);
}

std::string wxhLabel(int W, int H) {
    return "WxH / ratio :" + std::to_string(W) + " " + std::to_string(H) + " " +
           floatStr(static_cast<long double>(W) / H, 15, 12);
}

std::string zoomLabel(int zoom) {
    return "Zoom    :" + floatStr(static_cast<long double>(zoom) / 1024, 5, 2);
}

} // namespace vx
