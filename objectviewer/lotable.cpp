#include "objectviewer/lotable.h"

#include "objectviewer/lolines.h"
#include "support/errors.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

// Rows beyond the table's slots cannot stand for a record.
template <class Visit> void forSelectedRows(const RowSelection& rows, Visit visit) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i]) {
            checkRange(static_cast<long long>(i), 0, loCapacity - 1, "object");
            visit(static_cast<int>(i));
        }
}

// Appends copies of src's selected rows; src may be dst itself.
AppendResult appendRows(TLOtab& dst, const TLOtab& src, const RowSelection& rows) {
    AppendResult r;
    forSelectedRows(rows, [&](int i) {
        if (r.refused) return;
        const LOobject rec = loSlot(src, i);
        if (!addLoRec(dst, rec)) {
            r.refused = true;
            return;
        }
        ++r.appended;
        r.last = loShownCount(dst) - 1;
    });
    return r;
}

uint8_t catalogueByte(const std::string& text) {
    const long long v = StrToInt(text);
    checkRange(v, 0, 255, "catalogue byte");
    return static_cast<uint8_t>(v);
}

bool sameAsFullTurn(float r) {
    // The run-time library's approximate comparison for singles: relative 1e-4.
    constexpr float resolution = 1e-4f;
    const float magnitude = std::fabs(r);
    const float eps = std::max(std::min(magnitude, 360.0f) * resolution, resolution);
    return std::fabs(magnitude - 360.0f) <= eps;
}

} // namespace

LOobject& loSlot(TLOtab& t, int i) {
    checkRange(i, 0, loCapacity - 1, "object");
    return t.objs[i];
}

const LOobject& loSlot(const TLOtab& t, int i) {
    checkRange(i, 0, loCapacity - 1, "object");
    return t.objs[i];
}

bool addLoRec(TLOtab& t, const LOobject& rec) {
    const int n = t.head.count;
    if (n >= loCapacity) return false;
    t.objs[n] = rec;
    t.head.count = static_cast<uint16_t>(n + 1);
    return true;
}

AppendResult pasteRecord(TLOtab& t, LOobject rec, bool moveManyMode) {
    if (!moveManyMode) {
        rec.x = 0;
        rec.y = 0;
    }
    if (!addLoRec(t, rec)) return {0, -1, true};
    return {1, loShownCount(t) - 1, false};
}

AppendResult copyToWorkList(TLOtab& lowork, const TLOtab& src, const RowSelection& rows) {
    lowork.head.recsize = sizeof(LOobject);
    return appendRows(lowork, src, rows);
}

bool deleteSelected(TLOtab& t, const RowSelection& rows) {
    const int n = loShownCount(t);
    if (static_cast<int>(rows.size()) != n) return false;
    TLOtab kept{};
    for (int i = 0; i < n; ++i)
        if (!rows[i]) addLoRec(kept, t.objs[i]);
    t = kept;
    return true;
}

void retypeSelected(TLOtab& t, const RowSelection& rows, uint8_t cls, uint8_t type) {
    forSelectedRows(rows, [&](int i) {
        LOobject& rec = loSlot(t, i);
        rec.loid.at(1) = cls;
        rec.loid.at(2) = type;
    });
}

ObjectKind parseCatalogueRow(const std::string& row) {
    const size_t first = row.find(':');
    if (first == std::string::npos) throw ConvertError("\"" + row + "\" is no catalogue row");
    std::string typeText = row.substr(first + 1, 4);
    typeText = typeText.substr(0, typeText.find(':'));
    return {catalogueByte(row.substr(0, first)), catalogueByte(typeText)};
}

LOobject newObject(ObjectKind kind) {
    LOobject rec{};
    rec.loid.at(1) = kind.cls;
    rec.loid.at(2) = kind.type;
    return rec;
}

void toggleHide(LOobject& obj) {
    obj.hide = obj.hide == 3 ? 0 : 3;
}

int rotationBarPosition(float rota) {
    if (std::isnan(rota)) return 0;
    return roundToInt(std::clamp<long double>(rota, 0, 360));
}

float reduceRotation(float r) {
    const float reduced = r - std::trunc(r / 360.0f) * 360.0f;
    return sameAsFullTurn(reduced) ? 0.0f : reduced;
}

AppendResult startGroupMove(GroupMove& g, TLOtab& lomove, const TLOtab& lotab, const TLOtab& lowork,
                            const RowSelection& workRows) {
    if (std::find(workRows.begin(), workRows.end(), true) == workRows.end()) return {};
    g.moveManyMode = true;
    lomove = lotab;
    g.moveStart = loShownCount(lotab);
    const AppendResult r = appendRows(lomove, lowork, workRows);
    if (r.appended == 0) return r;
    LOobject& first = lomove.objs[g.moveStart];
    g.moveRefX = first.x;
    g.moveRefY = first.y;
    first.x = 0;
    first.y = 0;
    for (int i = g.moveStart + 1; i <= r.last; ++i) {
        LOobject& rec = lomove.objs[i];
        rec.x = static_cast<float>(rec.x - g.moveRefX);
        rec.y = static_cast<float>(rec.y - g.moveRefY);
    }
    return r;
}

void moveGroupTo(const GroupMove& g, TLOtab& lomove, int64_t fx, int64_t fy) {
    const int n = loShownCount(lomove);
    if (g.moveStart < 0 || g.moveStart >= n) return;
    LOobject& first = lomove.objs[g.moveStart];
    const float tx = static_cast<float>(fx);
    const float ty = static_cast<float>(fy);
    const float dx = first.x - tx;
    const float dy = first.y - ty;
    first.x = tx;
    first.y = ty;
    for (int i = g.moveStart + 1; i < n; ++i) {
        LOobject& rec = lomove.objs[i];
        rec.x = static_cast<float>(static_cast<double>(rec.x) - dx);
        rec.y = static_cast<float>(static_cast<double>(rec.y) - dy);
    }
}

void turnGroup(const GroupMove& g, TLOtab& lomove, int wheelDelta) {
    const float step = static_cast<float>(wheelDelta / 24);
    for (int i = std::max(g.moveStart, 0); i < loShownCount(lomove); ++i) {
        LOobject& rec = lomove.objs[i];
        rec.rota = reduceRotation(rec.rota + step);
    }
}

AppendResult confirmGroupMove(GroupMove& g, const TLOtab& lomove, TLOtab& lotab) {
    AppendResult r;
    for (int i = std::max(g.moveStart, 0); i < loShownCount(lomove); ++i) {
        const AppendResult one = pasteRecord(lotab, lomove.objs[i], g.moveManyMode);
        if (one.refused) {
            r.refused = true;
            return r;
        }
        ++r.appended;
        r.last = one.last;
    }
    g.moveManyMode = false;
    return r;
}

void cancelGroupMove(GroupMove& g, TLOtab& lomove) {
    g.moveManyMode = false;
    lomove = TLOtab{};
}

int findObjectAt(std::span<const int32_t> scrX, std::span<const int32_t> scrY,
                 std::span<const bool> drawn, int count, int X, int Y) {
    const size_t n = std::min({static_cast<size_t>(std::clamp(count, 0, loDrawMax)), scrX.size(),
                               scrY.size(), drawn.size()});
    for (size_t i = 0; i < n; ++i) {
        if (!drawn[i]) continue;
        if (std::llabs(static_cast<long long>(X) - scrX[i]) < pickSlack &&
            std::llabs(static_cast<long long>(Y) - scrY[i]) < pickSlack)
            return static_cast<int>(i);
    }
    return -1;
}

void EditSnapshot::take(const TLOtab& lotab) {
    undo_ = lotab;
    taken_ = true;
}

bool EditSnapshot::restoreInto(TLOtab& lotab) const {
    if (!taken_) return false;
    lotab = undo_;
    return true;
}

std::string workListLine(int i, const LOobject& rec) {
    return Format("%3D LoID %2X%2X",
                  {static_cast<long long>(i), static_cast<long long>(rec.loid.at(1)),
                   static_cast<long long>(rec.loid.at(2))}) +
           " " + loObjectName(rec);
}

std::vector<std::string> workListLines(const TLOtab& lowork) {
    std::vector<std::string> lines;
    const int n = loShownCount(lowork);
    lines.reserve(n);
    for (int i = 0; i < n; ++i) lines.push_back(workListLine(i, lowork.objs[i]));
    return lines;
}

} // namespace vx
