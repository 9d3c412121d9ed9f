// The landmark list, picking on the map, the landmark display and the
// pointer readouts.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmedit.h"
#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "mapeditor/mappick.h"
#include "support/fileio.h"
#include "support/helpers.h"
#include "support/names.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vx {

namespace {

std::string coordText(long double v) {
    return Format("%3.15F", {v});
}

// The rotation entry of a stored rotation; a file may hold values no entry has.
std::string rotationEntryText(float rota) {
    return std::isfinite(rota) && std::fabs(rota) < 1e9f ? rotationText(rota) : std::string();
}

// Scroll position that brings v to the middle of a box of that size.
int centredOn(int v, int boxSize) {
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(v) - boxSize / 2, INT32_MIN, INT32_MAX));
}

} // namespace

int indexOfText(const TStringList& items, const std::string& text) {
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == text) return i;
    return -1;
}

void TForm1::refreshpicklist() {
    std::vector<std::string> lines;
    for (int i = 1; i <= lmfile.count(); ++i) lines.push_back(pickLineLong(lmfile.rec(i), i));
    lmpicklist->Items().assign(lines);
    if (!lines.empty()) lmpicklist->setItemIndex(0);
}

void TForm1::fillPickNames() {
    const int row = lmpicklist->ItemIndex();
    std::vector<std::string> lines;
    for (int i = 1; i <= lmfile.count(); ++i) lines.push_back(pickLineShort(lmfile.rec(i), i));
    lmpicklist->Items().assign(lines);
    if (row >= 0 && row < lmpicklist->Items().Count()) lmpicklist->setItemIndex(row);
}

void TForm1::mdown(ui::TMouseButton, ui::TShiftState, int X, int Y) {
    if (lmpicklist->Items().Count() == 0) return;
    const int k = mapIndex();
    const MapSizes sz = sizes();
    const auto [lat, lon] = xyToLatLon(X, Y, k, sz);
    const TPoint client = ScrollBox1->screenOrigin();
    distinm1->setCaption(
        "Dist in m1:" + floatStr(1000 * gcDistKm(lastLat, lastLon, lat, lon), 15, 2) +
        " clnt:" + std::to_string(client.X) + " " + std::to_string(client.Y));
    lastLon = lon;
    lastLat = lat;
    lastX = X;
    lastY = Y;
    lolat->setCaption(" Long / Latt : " + floatStr(lon, 10, 6) + floatStr(lat, 10, 6));

    if (editing && editrec >= 0) {
        const int shift = moveToClick(lmfile.rec(editrec + 1), k, lat, lon, Image1->Width());
        debugd->Lines().Add("moved " + std::to_string(editrec + 1) + " shift " +
                            std::to_string(shift));
        draw(-1);
        return;
    }

    const int fallback = lmpicklist->ItemIndex() < 0 ? 1 : lmpicklist->ItemIndex() + 1;
    const int found = findLandmarkAt(lmfile, k, sz, X, Y);
    lmpicklist->setItemIndex((found ? found : fallback) - 1);
    if (found) updActBtn();
    seeklm();
}

void TForm1::dispxy(ui::TShiftState, int X, int Y) {
    XY_xy->setCaption("XY      :" + std::to_string(X) + " " + std::to_string(Y));
    // The readouts need a map; without one the pointer just moves.
    if (mapchoice->ItemIndex() < 0) return;
    const MapSizes sz = sizes();
    const long long s = tedScale(sz);
    const long long tx = static_cast<long long>(tedX0(sz, X)) * s;
    const long long ty = static_cast<long long>(sz.H) * s - static_cast<long long>(Y) * s;
    tedxylab->setCaption("TED XY :" + std::to_string(tx) + " " + std::to_string(ty));
    const auto [lat, lon] = xyToLatLon(X, Y, mapIndex(), sz);
    lolat->setCaption(" Long / Latt : " + floatStr(lon, 10, 6) + floatStr(lat, 10, 6));
    showZoomInfo();
    showScrollInfo();
}

void TForm1::seeklm() {
    dispLM();
}

void TForm1::SelectlastSearch1Click() {
    dispLM();
}

void TForm1::dispLM() {
    const int row = lmpicklist->ItemIndex();
    if (lmfile.count() == 0 || row < 0) return;
    const landmark& rec = lmfile.rec(row + 1);
    const int k = mapIndex();
    const MapSizes sz = sizes();
    // A landmark too far out for pixels is shown all the same; the map stays put.
    if (const auto p = picturePoint(k, sz, rec.lon, rec.lat)) {
        lmX = p->X;
        lmY = p->Y;
    }
    if (const auto p = imagePoint(k, sz, std::fabs(rec.lon), std::fabs(rec.lat))) {
        ScrollBox1->HorzScrollBar().setPosition(centredOn(p->X, ScrollBox1->Width()));
        ScrollBox1->VertScrollBar().setPosition(centredOn(p->Y, ScrollBox1->Height()));
    }

    const std::string memo = lmDataMemo(rec, row + 1, isMlfMode(), side->Items().texts());
    side->setItemIndex(rec.lmid.at(lmSideSel));
    Lotype->setItemIndex(rec.lmid.at(lmTypeSel));

    // The label names the file the viewer would read.
    const std::string name = loFileName(modeIndex(), rec);
    lofname->setCaption(fileExists(appDir() + templateDir() + name) ? name : "!not fnd: " + name);
    Lofile->setItemIndex(indexOfText(Lofile->Items(), name));
    LMrotation->setItemIndex(indexOfText(LMrotation->Items(), rotationEntryText(rec.rota)));
    LMElev->setText(floatStr(rec.elev, 10, 0));
    lndmrkname->setText(std::string(nameText(rec)));
    eastcord->setText(coordText(rec.lon));
    northcord->setText(coordText(rec.lat));

    debugd->setText("rec " + std::to_string(row + 1) + " pic " + std::to_string(lmX) + " " +
                    std::to_string(lmY));
    LMdata->setText(memo);
    draw(-1);
}

void TForm1::loc_AClick() {
    locA = lmpicklist->ItemIndex() + 1;
    loc_A->setCaption(std::string(nameText(lmfile.rec(locA))));
}

void TForm1::loc_BClick() {
    locB = lmpicklist->ItemIndex() + 1;
    loc_B->setCaption(std::string(nameText(lmfile.rec(locB))));
}

} // namespace vx
