// The view's start after a load, the whole-view redraw and the edit mode
// switch. The drawing itself is lodraw's; this reads the controls for it and
// writes its results back.
#include "objectviewer/Unit2.h"

#include "objectviewer/iconmasks.h"
#include "objectviewer/locanvas.h"
#include "support/helpers.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <memory>

namespace vx {

void Tloview::setmag() {}

void Tloview::initLoView() {
    setmag();
    loimg->setBounds(loimg->Left(), loimg->Top(), std::min(roundToInt(spanX * 1.1), canvasLimit),
                     std::min(roundToInt(spanY * 1.1), canvasLimit));
    loscroll->HorzScrollBar().setPosition(loscroll->ClientWidth() / 2);
    loscroll->VertScrollBar().setPosition(loscroll->ClientHeight() / 2);
    redraw(true, lotab);
    gocenterClick();
    Show();
}

void Tloview::gocenterClick() {
    loscroll->HorzScrollBar().setPosition(imgCenter(loimg->Width()) - loscroll->Width() / 2);
    loscroll->VertScrollBar().setPosition(imgCenter(loimg->Height()) - loscroll->Height() / 2);
    redraw(false, lotab);
    showscroll();
}

void Tloview::showscroll() {
    scbarLab->setCaption("SCbar pos x: " + std::to_string(loscroll->HorzScrollBar().Position()) +
                         " y: " + std::to_string(loscroll->VertScrollBar().Position()));
}

// Classes 6 to 9 show their own icon, every other class that of class 7,
// type 0; a class 6 to 9 type without an icon entry shows none.
void Tloview::showSprite(const LOobject& obj) {
    if (!objPics.created()) return;
    const int cls = obj.loid.at(1), type = obj.loid.at(2);
    if (hasIcon(cls, type))
        bgratest->Picture().Assign(objPics.at(cls, type));
    else if (cls < iconClassFirst || cls > iconClassLast)
        bgratest->Picture().Assign(objPics.at(7, 0));
    else
        bgratest->Picture().Clear();
}

// Draws lodat, the loaded file or the work list, from a copy taken on entry.
void Tloview::redraw(bool centre, const TLOtab& lodatIn) {
    const MainWindowLink& m = mainWindow();
    if (m.lmpicklistIndex() < 0) return;
    const auto lodat = std::make_unique<TLOtab>(lodatIn);
    const float rota = m.selectedLandmarkRota();
    const int guessRot = roundToInt(static_cast<float>(rota + 360.0f)) % 360;
    if (locfile->Checked())
        LMname->setCaption("current LOfile:" + manLofile);
    else
        LMname->setCaption("current LOfile: " + appDir() + m.templateDir() + curLofileName() +
                           fmtFloat(" rot: %3.F ", rota) + fmtInt(" guess %3D", guessRot));
    if (centre) gocenterClick();
    manRot = manrotlm->Checked() ? double(StrToInt(rotdbg->Items()[rotdbg->ItemIndex()])) : 0;
    followFlag = follow->Checked();
    LoDrawOptions o;
    o.view = {magzoom->Position(), loimg->Width(), loimg->Height(), manRot, rotLmFlag, rota};
    o.objcorPosition = objcor->Position();
    o.iconHalf = iconHalfSize(imgsz->Position());
    o.rotObjFlag = rotObjFlag;
    o.showPics = showpics->Checked();
    o.selected = lolist->ItemIndex();
    TCanvasLoCanvas canvas(loimg->Canvas(), [](int cls, int type) -> const ui::TBitmap* {
        return objPics.created() ? &objPics.at(cls, type).Bitmap() : nullptr;
    });
    // Centred, the objects go over the whole redraw that centring made, with
    // the brush it left: red after a selected object, so the dots of the
    // objects before that one come out red too.
    const LoViewDrawn d = centre ? drawLoObjects(canvas, o, *lodat, lotab, scr)
                                 : drawLoView(canvas, o, *lodat, lotab, scr);
    drawnCount = d.drawnCount;
    const int sel = o.selected;
    if (sel >= 0 && sel < std::min<int>(d.count, loDrawMax)) {
        const LOobject& obj = lodat->objs[sel];
        showRotation(obj.rota);
        showSprite(obj);
        if (followFlag && d.selectedAt) {
            loscroll->HorzScrollBar().setPosition(d.selectedAt->X - loscroll->Width() / 2);
            loscroll->VertScrollBar().setPosition(d.selectedAt->Y - loscroll->Height() / 2);
        }
    }
    amagxylab->setCaption(loCountCaption(d.drawnCount, d.count));
    showscroll();
}

} // namespace vx
