#include "lodraw.h"

#include "objectviewer/iconmasks.h"
#include "objectviewer/lolines.h"
#include "support/errors.h"
#include "support/rtlconv.h"

#include <algorithm>

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

} // namespace

std::optional<TPoint> drawLoObject(LoCanvas& c, const LoDrawOptions& o, const LOobject& obj,
                                   bool isSelected, bool hidden, const LOobject* selected) {
    Placed p;
    try {
        p = place(o, obj);
    } catch (const RangeError&) {
        return std::nullopt;
    }
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
        const std::optional<TPoint> at =
            drawLoObject(c, o, lodat.objs[i], isSelected, lotab.objs[i].hide == 3, selected);
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
