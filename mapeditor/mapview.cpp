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
    if (which >= 0) {
        if (pic.version() != drawnVersion_) drawnKnown_ = false;
        drawLMs(which);
        drawnVersion_ = pic.version();
        Image1->invalidate();
        return;
    }
    const bool standing = drawnKnown_ && pic.version() == drawnVersion_ &&
                          clean.version() == cleanVersion_ && pic.Width() == clean.Width() &&
                          pic.Height() == clean.Height();
    std::vector<Marks> now = currentMarks();
    if (standing && marksKnown_) {
        // The picture already shows these marks: nothing to write or repaint.
        if (now == drawnMarks_) return;
        if (redrawChanged(now)) {
            drawnVersion_ = pic.version();
            Image1->invalidate();
            return;
        }
    }
    if (standing)
        for (const TRect& r : drawnAreas_) pic.assignRect(clean, r);
    else
        pic.assign(clean);
    drawnAreas_.clear();
    drawnKnown_ = true;
    cleanVersion_ = clean.version();
    ui::TCanvas& canvas = Image1->Canvas();
    for (const Marks& m : now) {
        drawMarks(canvas, m, 0, 0);
        addAreas(m, drawnAreas_);
    }
    drawnMarks_ = std::move(now);
    marksKnown_ = true;
    drawnVersion_ = pic.version();
    Image1->invalidate();
}

void TForm1::cleanCopyTaken() {
    drawnAreas_.clear();
    drawnKnown_ = true;
    drawnMarks_.clear();
    marksKnown_ = true;
    drawnVersion_ = Image1->Picture().Bitmap().version();
    cleanVersion_ = mapbackup->Bitmap().version();
}

// Draws over whatever the picture holds, so what it shows is no longer
// known as the marks of a full redraw.
void TForm1::drawLMs(int which) {
    if (which != -1) checkRange(which, 1, lmCapacity, "landmark record");
    const int first = which == -1 ? 1 : which;
    const int last = which == -1 ? lmfile.count() : which;
    if (first > last) return;
    marksKnown_ = false;
    ui::TCanvas& canvas = Image1->Canvas();
    for (int i = first; i <= last; ++i) {
        const Marks m = marksOf(i);
        drawMarks(canvas, m, 0, 0);
        addAreas(m, drawnAreas_);
    }
}

void TForm1::markInactive(int x, int y) {
    crossOn(Image1->Canvas(), x, y);
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
