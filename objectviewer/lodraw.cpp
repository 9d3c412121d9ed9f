#include "lodraw.h"

#include "objectviewer/iconmasks.h"
#include "objectviewer/lolines.h"
#include "support/errors.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace vx {

using namespace lodraw;

namespace {

bool isIconClass(int cls) {
    return cls >= 6 && cls <= 9;
}

// The box of half size h around p; RangeError beyond 32 bits.
TRect boxAround(TPoint p, int32_t h) {
    const tmyrect r = movePoly(p.X, p.Y, makeRectPoly(h, h));
    return {r.p[0].X, r.p[2].Y, r.p[1].X, r.p[0].Y};
}

// Everything an object's drawing needs, worked out before anything is drawn.
struct Placed {
    TPoint at;
    tmyrect poly;
    TRect iconBox, dot0, dot1;
};

Placed place(const LoDrawOptions& o, const LOobject& obj) {
    const int cls = obj.loid.at(1);
    Placed p{};
    p.at = feetToScreen(o.view, obj.x, obj.y);
    // A type without a name is sized like a name without "ft:".
    const auto [a, b] = objFootprint(cls, isIconClass(cls) ? loObjectName(obj) : std::string(),
                                     o.view.magPosition, o.objcorPosition);
    const double lmRot = lmRotOf(o.view), manRot = o.view.manRot;
    double angle = lmRot + manRot;
    if (o.rotObjFlag) angle = o.view.rotLmFlag ? obj.rota + lmRot + manRot : obj.rota;
    p.poly = movePoly(p.at.X, p.at.Y, rotatePoly(makeRectPoly(a, b), angle));
    p.iconBox = boxAround(p.at, o.iconHalf);
    p.dot0 = boxAround(p.poly.p[0], 2);
    p.dot1 = boxAround(p.poly.p[1], 2);
    return p;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Whether two option sets place every object alike (the selection and the
// pictures change only what is drawn).
bool samePlacing(const LoDrawOptions& a, const LoDrawOptions& b) {
    const LoViewState &v = a.view, &w = b.view;
    return v.magPosition == w.magPosition && v.imgWidth == w.imgWidth &&
           v.imgHeight == w.imgHeight && sameBits(v.manRot, w.manRot) &&
           v.rotLmFlag == w.rotLmFlag && v.lmRota.has_value() == w.lmRota.has_value() &&
           (!v.lmRota || sameBits(*v.lmRota, *w.lmRota)) && a.objcorPosition == b.objcorPosition &&
           a.iconHalf == b.iconHalf && a.rotObjFlag == b.rotObjFlag;
}

// The placements of the last redraw by object index. Placing costs some
// thirty 80-bit roundings, square roots and turns per object; a redraw with
// the same view settings (a move of one object or of a group, the several
// redraws of an activation) places again only the objects that changed.
class PlaceMemo {
public:
    // nullopt: the object does not fit 32 bits.
    const std::optional<Placed>& at(const LoDrawOptions& o, int i, const LOobject& obj) {
        if (!valid_ || !samePlacing(o, options_)) {
            entries_.assign(size_t(loDrawMax), Entry{});
            options_ = o;
            valid_ = true;
        }
        Entry& e = entries_[size_t(i)];
        const int cls = obj.loid.at(1);
        const std::string& name = isIconClass(cls) ? loObjectName(obj) : noName_;
        if (e.known && std::memcmp(&e.obj, &obj, sizeof obj) == 0 && e.name == name)
            return e.placed;
        e.known = false;
        try {
            e.placed = place(o, obj);
        } catch (const RangeError&) {
            e.placed.reset();
        }
        e.obj = obj;
        e.name = name;
        e.known = true;
        return e.placed;
    }

private:
    struct Entry {
        bool known = false;
        LOobject obj{};
        std::string name;
        std::optional<Placed> placed;
    };
    bool valid_ = false;
    LoDrawOptions options_;
    std::vector<Entry> entries_;
    const std::string noName_;
};

PlaceMemo& placeMemo() {
    static PlaceMemo memo;
    return memo;
}

std::optional<TPoint> drawPlaced(LoCanvas& c, const LoDrawOptions& o, const LOobject& obj,
                                 const std::optional<Placed>& placed, bool isSelected, bool hidden,
                                 const LOobject* selected) {
    if (!placed) return std::nullopt;
    const Placed& p = *placed;
    if (isSelected) c.setBrushColor(clRed); // stays red for the objects after it
    uint32_t pen = clBlue;
    if (selected && obj.x == selected->x && obj.y == selected->y) pen = clRed;
    if (hidden) pen = clGreen;
    c.setPenColor(pen);
    c.polyline(p.poly);
    const int cls = obj.loid.at(1);
    if (o.showPics && hasIcon(cls, obj.loid.at(2))) c.icon(cls, obj.loid.at(2), p.iconBox);
    if (hidden) c.line(p.poly.p[0], p.poly.p[2]);
    c.pixel(p.at, clYellow);
    c.setPenColor(isSelected ? clWhite : clBlack);
    c.ellipse(p.dot0);
    c.setPenColor(clLime);
    c.ellipse(p.dot1);
    return p.at;
}

} // namespace

std::optional<TPoint> drawLoObject(LoCanvas& c, const LoDrawOptions& o, const LOobject& obj,
                                   bool isSelected, bool hidden, const LOobject* selected) {
    std::optional<Placed> p;
    try {
        p = place(o, obj);
    } catch (const RangeError&) {
    }
    return drawPlaced(c, o, obj, p, isSelected, hidden, selected);
}

LoViewDrawn drawLoView(LoCanvas& c, const LoDrawOptions& o, const TLOtab& lodat,
                       const TLOtab& lotab, LoScreenPositions& pos) {
    c.setBrushColor(clGray);
    c.fillRect({0, 0, o.view.imgWidth, o.view.imgHeight});
    c.setBrushColor(clLime);
    c.setPenColor(clYellow);
    c.polyline(
        movePoly(imgCenter(o.view.imgWidth), imgCenter(o.view.imgHeight), makeRectPoly(2, 2)));
    return drawLoObjects(c, o, lodat, lotab, pos);
}

LoViewDrawn drawLoObjects(LoCanvas& c, const LoDrawOptions& o, const TLOtab& lodat,
                          const TLOtab& lotab, LoScreenPositions& pos) {
    LoViewDrawn out;
    out.count = lodat.head.count;
    const LOobject* selected = nullptr;
    if (o.selected >= 0) {
        checkRange(o.selected, 0, loCapacity - 1, "object list");
        selected = &lotab.objs[o.selected];
    }
    const int last = std::min(out.count - 1, loDrawMax - 1);
    for (int i = 0; i <= last; ++i) {
        const bool isSelected = i == o.selected;
        const LOobject& obj = lodat.objs[i];
        const std::optional<TPoint> at = drawPlaced(c, o, obj, placeMemo().at(o, i, obj),
                                                    isSelected, lotab.objs[i].hide == 3, selected);
        pos.placed[i] = at.has_value();
        if (!at) continue;
        pos.scrX[i] = at->X;
        pos.scrY[i] = at->Y;
        ++out.drawnCount;
        if (isSelected) out.selectedAt = at;
    }
    return out;
}

std::string loCountCaption(int drawnCount, int count) {
    return Format("draw %3D total %3D %3.2F %%",
                  {static_cast<long long>(drawnCount), static_cast<long long>(count),
                   static_cast<long double>(drawnCount) / (count + 1) * 100});
}

} // namespace vx
