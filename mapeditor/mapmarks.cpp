// The landmark marks on the map picture, worked out apart from drawing them:
// a redraw whose marks did not change writes nothing, and one where a few
// records changed (a new selection) redraws only where those lie.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "mapeditor/mappick.h"
#include "support/names.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vx {

namespace {

bool sameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool overlaps(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Beyond this many changed records a restore of every drawn area costs less.
constexpr size_t fewChanged = 16;
// The reach of a mark around its point: the 16 x 16 icon and the cross's
// 21 x 21 box. Marks are drawn whole into a scratch raster this much larger
// than the area they are copied back from, so none is cut where it shows.
constexpr int markReach = 32;

} // namespace

TForm1::Marks TForm1::marksOf(int i) {
    const landmark& rec = lmfile.rec(i);
    const MapSizes sz = sizes();
    const int k = mapIndex();
    if (placed_.size() < size_t(lmCapacity)) placed_.resize(lmCapacity);
    PlacedRecord& p = placed_[size_t(i - 1)];
    if (p.k != k || p.W != sz.W || p.H != sz.H || p.PW != sz.PW || p.PH != sz.PH ||
        !sameFloat(p.lon, rec.lon) || !sameFloat(p.lat, rec.lat)) {
        p = {k,           sz.W,    sz.H,    sz.PW,
             sz.PH,       rec.lon, rec.lat, picturePoint(k, sz, rec.lon, rec.lat),
             std::nullopt};
        if (isDeactivated(rec))
            p.crossAt = picturePoint(k, sz, std::fabs(rec.lon), std::fabs(rec.lat));
    }
    const bool bright = i == lmpicklist->ItemIndex() + 1 || hilite->Checked();
    const bool central = rec.lmid.at(lmSideSel) == 0;
    const int type = rec.lmid.at(lmTypeSel);
    Marks m;
    if (p.at) {
        m.list = central ? (bright ? glist : dimGlist) : (bright ? allist : dimAllist);
        m.index = isMlfMode() ? std::min(type, 10) : 6;
        m.shown = true;
        m.x = p.at->X;
        m.y = p.at->Y;
    }
    if (p.crossAt) {
        m.dim = central ? dimGlist : dimAllist;
        m.dimIndex = std::min(type, 10);
        m.crossed = true;
        m.cx = p.crossAt->X;
        m.cy = p.crossAt->Y;
    }
    return m;
}

std::vector<TForm1::Marks> TForm1::currentMarks() {
    std::vector<Marks> out;
    out.reserve(size_t(std::max(lmfile.count(), 0)));
    for (int i = 1; i <= lmfile.count(); ++i) out.push_back(marksOf(i));
    return out;
}

void TForm1::crossOn(ui::TCanvas& c, int x, int y) const {
    c.Pen().setStyle(ui::psSolid);
    c.Pen().setColor(ui::clRed);
    c.Brush().setColor(ui::clRed);
    c.FrameRect({x - 10, y - 10, x + 10, y + 10});
    c.MoveTo(x - 10, y + 10);
    c.LineTo(x + 10, y - 10);
    c.MoveTo(x - 10, y - 10);
    c.LineTo(x + 10, y + 10);
}

void TForm1::drawMarks(ui::TCanvas& c, const Marks& m, int dx, int dy) const {
    if (m.shown) m.list->Draw(c, m.x + dx, m.y + dy, m.index);
    if (!m.crossed) return;
    m.dim->Draw(c, m.cx + dx, m.cy + dy, m.dimIndex);
    crossOn(c, m.cx + dx, m.cy + dy);
}

void TForm1::addAreas(const Marks& m, std::vector<TRect>& out) const {
    const ui::TBitmap& pic = Image1->Picture().Bitmap();
    // Kept inside the picture, so a point far outside cannot overflow.
    auto add = [&](int x, int y, int left, int top, int right, int bottom) {
        const auto cx = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, pic.Width())); };
        const auto cy = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, pic.Height())); };
        const TRect r{cx(int64_t(x) + left), cy(int64_t(y) + top), cx(int64_t(x) + right),
                      cy(int64_t(y) + bottom)};
        if (r.Left < r.Right && r.Top < r.Bottom) out.push_back(r);
    };
    if (m.shown) add(m.x, m.y, 0, 0, m.list->Width(), m.list->Height());
    if (m.crossed) {
        add(m.cx, m.cy, 0, 0, m.dim->Width(), m.dim->Height());
        add(m.cx, m.cy, -10, -10, 11, 11);
    }
}

bool TForm1::redrawChanged(const std::vector<Marks>& now) {
    if (now.size() != drawnMarks_.size()) return false;
    std::vector<TRect> dirty;
    size_t changed = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i] == drawnMarks_[i]) continue;
        if (++changed > fewChanged) return false;
        addAreas(drawnMarks_[i], dirty);
        addAreas(now[i], dirty);
    }
    std::vector<std::vector<TRect>> areas(now.size());
    for (size_t i = 0; i < now.size(); ++i) addAreas(now[i], areas[i]);
    ui::TBitmap& pic = Image1->Picture().Bitmap();
    const ui::TBitmap& clean = mapbackup->Bitmap();
    for (const TRect& d : dirty) {
        // The clean picture around the area, every mark that reaches the
        // area drawn over it in record order, and the area copied back.
        const TRect g{std::max(d.Left - markReach, 0), std::max(d.Top - markReach, 0),
                      std::min(d.Right + markReach, pic.Width()),
                      std::min(d.Bottom + markReach, pic.Height())};
        scratch_.setSizeUninitialized(g.Right - g.Left, g.Bottom - g.Top);
        for (int y = g.Top; y < g.Bottom; ++y)
            std::memcpy(scratch_.scanLine(y - g.Top), clean.scanLine(y) + g.Left,
                        size_t(g.Right - g.Left) * 4);
        for (size_t i = 0; i < now.size(); ++i)
            if (std::any_of(areas[i].begin(), areas[i].end(),
                            [&](const TRect& a) { return overlaps(a, d); }))
                drawMarks(scratch_.Canvas(), now[i], -g.Left, -g.Top);
        for (int y = d.Top; y < d.Bottom; ++y)
            std::memcpy(pic.scanLine(y) + d.Left, scratch_.scanLine(y - g.Top) + (d.Left - g.Left),
                        size_t(d.Right - d.Left) * 4);
        pic.changed(d);
    }
    for (size_t i = 0; i < now.size(); ++i)
        if (!(now[i] == drawnMarks_[i])) addAreas(now[i], drawnAreas_);
    drawnMarks_ = now;
    return true;
}

} // namespace vx
