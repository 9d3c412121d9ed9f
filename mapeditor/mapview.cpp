// The map picture with its landmark icons, and the zoom bar.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "mapeditor/mappick.h"
#include "support/dialogs.h"
#include "support/errors.h"
#include "support/names.h"

#include <algorithm>
#include <cmath>

namespace vx {

void TForm1::draw(int which) {
    ui::TBitmap& pic = Image1->Picture().Bitmap();
    const ui::TBitmap& clean = mapbackup->Bitmap();
    if (which < 0) {
        const bool onlyIcons = drawnKnown_ && pic.version() == drawnVersion_ &&
                               clean.version() == cleanVersion_ && pic.Width() == clean.Width() &&
                               pic.Height() == clean.Height();
        if (onlyIcons)
            for (const TRect& r : drawnAreas_) pic.assignRect(clean, r);
        else
            pic.assign(clean);
        drawnAreas_.clear();
        drawnKnown_ = true;
        cleanVersion_ = clean.version();
    } else if (pic.version() != drawnVersion_) {
        drawnKnown_ = false;
    }
    drawLMs(which);
    drawnVersion_ = pic.version();
    Image1->invalidate();
}

void TForm1::cleanCopyTaken() {
    drawnAreas_.clear();
    drawnKnown_ = true;
    drawnVersion_ = Image1->Picture().Bitmap().version();
    cleanVersion_ = mapbackup->Bitmap().version();
}

void TForm1::drawLMs(int which) {
    if (which != -1) checkRange(which, 1, lmCapacity, "landmark record");
    const int first = which == -1 ? 1 : which;
    const int last = which == -1 ? lmfile.count() : which;
    if (first > last) return;
    const int k = mapIndex();
    const MapSizes sz = sizes();
    const bool mlf = isMlfMode();
    const int selectedRec = lmpicklist->ItemIndex() + 1;
    ui::TCanvas& canvas = Image1->Canvas();
    // Kept inside the picture, so a point far outside cannot overflow.
    auto drawn = [&](int x, int y, int left, int top, int right, int bottom) {
        const auto clampX = [&](int64_t v) {
            return int(std::clamp<int64_t>(v, 0, canvas.Width()));
        };
        const auto clampY = [&](int64_t v) {
            return int(std::clamp<int64_t>(v, 0, canvas.Height()));
        };
        const TRect r{clampX(int64_t(x) + left), clampY(int64_t(y) + top),
                      clampX(int64_t(x) + right), clampY(int64_t(y) + bottom)};
        if (r.Left < r.Right && r.Top < r.Bottom) drawnAreas_.push_back(r);
    };
    for (int i = first; i <= last; ++i) {
        const landmark& rec = lmfile.rec(i);
        const bool bright = i == selectedRec || hilite->Checked();
        const bool central = rec.lmid.at(lmSideSel) == 0;
        const int type = rec.lmid.at(lmTypeSel);
        const ui::TImageList& list =
            central ? (bright ? *glist : *dimGlist) : (bright ? *allist : *dimAllist);
        if (const auto p = picturePoint(k, sz, rec.lon, rec.lat)) {
            list.Draw(canvas, p->X, p->Y, mlf ? std::min(type, 10) : 6);
            drawn(p->X, p->Y, 0, 0, list.Width(), list.Height());
        }
        if (!isDeactivated(rec)) continue;
        if (const auto p = picturePoint(k, sz, std::fabs(rec.lon), std::fabs(rec.lat))) {
            const ui::TImageList& dim = central ? *dimGlist : *dimAllist;
            dim.Draw(canvas, p->X, p->Y, std::min(type, 10));
            markInactive(p->X, p->Y);
            drawn(p->X, p->Y, 0, 0, dim.Width(), dim.Height());
            drawn(p->X, p->Y, -10, -10, 11, 11);
        }
    }
}

void TForm1::markInactive(int x, int y) {
    ui::TCanvas& c = Image1->Canvas();
    c.Pen().setStyle(ui::psSolid);
    c.Pen().setColor(ui::clRed);
    c.Brush().setColor(ui::clRed);
    c.FrameRect({x - 10, y - 10, x + 10, y + 10});
    c.MoveTo(x - 10, y + 10);
    c.LineTo(x + 10, y - 10);
    c.MoveTo(x - 10, y - 10);
    c.LineTo(x + 10, y + 10);
}

void TForm1::Zoomupdn() {
    const int p = zoombar->Position();
    zoomfact->setCaption(std::to_string(p));
    const double f = p / 4000.0;
    Image1->setBounds(Image1->Left(), Image1->Top(), roundToInt(f * 4000.0), zoomHeight(p));
    showZoomInfo();
    showScrollInfo();
    dispLM();
}

void TForm1::zoombarupdn(ui::TShiftState, int wheelDelta, TPoint mousePos, bool&) {
    zoomfact->setCaption(std::to_string(wheelDelta) + " x/y : " + std::to_string(mousePos.X) + "/" +
                         std::to_string(mousePos.Y));
}

void TForm1::FormActivate() {
    zoombar->setMin(ScrollBox1->Width());
}

void TForm1::showZoomInfo() {
    WxHLabel->setCaption(wxhLabel(Image1->Width(), Image1->Height()));
    zoomlabel->setCaption(zoomLabel(zoom));
}

void TForm1::showScrollInfo() {
    sbarXlabel->setCaption(" SBx pos:" + std::to_string(ScrollBox1->HorzScrollBar().Position()) +
                           "  Xsb: " + "50" + " lmX: " + std::to_string(lmX));
    SbarYlabel->setCaption(" SBy pos:" + std::to_string(ScrollBox1->VertScrollBar().Position()) +
                           "  Ysb: " + "50" + " lmY: " + std::to_string(lmY));
}

void TForm1::drawhilite() {
    draw(-1);
}
void TForm1::redomap() {
    draw(-1);
}
void TForm1::focselected() {
    draw(-1);
}

void TForm1::do2x() {
    if (zoom >= 8192) {
        ShowMessage("Can not zoom in more..");
        return;
    }
    zoom *= 2;
    Image1->setBounds(Image1->Left(), Image1->Top(), Image1->Width() * 2, Image1->Height() * 2);
    showZoomInfo();
    showScrollInfo();
    dispLM();
}

void TForm1::doHalfX() {
    if (zoom <= minzoom) {
        ShowMessage("Can not zoom out more..");
        return;
    }
    zoom /= 2;
    Image1->setBounds(Image1->Left(), Image1->Top(), Image1->Width() / 2, Image1->Height() / 2);
    showZoomInfo();
    showScrollInfo();
    dispLM();
}

void TForm1::ZoomIn1Click() {
    do2x();
}
void TForm1::ZoomOut1Click() {
    doHalfX();
}

} // namespace vx
