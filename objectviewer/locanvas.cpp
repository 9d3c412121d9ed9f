#include "locanvas.h"

namespace vx {

void TCanvasLoCanvas::polyline(const tmyrect& poly) {
    c_.Polyline({poly.p[0], poly.p[1], poly.p[2], poly.p[3], poly.p[4]});
}

void TCanvasLoCanvas::line(TPoint from, TPoint to) {
    c_.MoveTo(from.X, from.Y);
    c_.LineTo(to.X, to.Y);
}

void TCanvasLoCanvas::icon(int cls, int type, const TRect& dest) {
    if (!pictureOf_) return;
    if (const ui::TBitmap* pic = pictureOf_(cls, type)) c_.StretchDraw(dest, *pic);
}

} // namespace vx
