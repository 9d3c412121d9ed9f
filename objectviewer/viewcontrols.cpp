// The view's controls: activation, magnification, centring, rotation, the
// view options, the wheel over the view and the canvas size.
#include "objectviewer/Unit2.h"
#include "objectviewer/logeometry.h"
#include "objectviewer/viewsettings.h"
#include "support/rtlconv.h"

#include <string>
#include <vector>

namespace vx {

void Tloview::FormActivate() {
    struct Activating {
        bool& on;
        explicit Activating(bool& flag) : on(flag) { on = true; }
        ~Activating() { on = false; }
    } activating(activating_);
    loimg->setBounds(loimg->Left(), loimg->Top(), 10000, 10000);
    for (ui::TControl* c :
         std::initializer_list<ui::TControl*>{rotobj, hack90180, debug1only, xyinfo})
        c->setVisible(false);
    rotLmFlag = rotlm->Checked();
    rotObjFlag = rotobj->Checked();
    followFlag = follow->Checked();
    allowedit(false);
    magxyLabClick();
    // Filled afresh only when the catalogue changed: a refill of its some
    // 200 rows costs more than the rest of an activation. Unchanged, it is
    // left as a refill would leave it.
    const std::vector<std::string> catalogue = lobjectsCatalogue();
    if (lobjects->Items().texts() == catalogue) {
        lobjects->setItemIndex(-1);
        lobjects->setTopIndex(0);
    } else {
        lobjects->Items().Clear();
        lobjects->Items().assign(catalogue);
    }
    magzoom->setPosition(64);
    allowrotobj->setCaption("Enable rotation");
    activating_ = false;
    redraw(true, lotab);
}

// The group in move is drawn only by the moves, the wheel, the view's menu and
// the confirm; every other redraw shows the file, without the group.
void Tloview::redrawView() {
    if (!activating_) redraw(false, lotab);
}

const TLOtab& Tloview::tableOnShow() const {
    return group.moveManyMode ? lomove : lotab;
}

void Tloview::magzoomChange() {
    const std::string text = magnifactText(magzoom->Position());
    setHint(text);
    magnifact->setCaption(text);
    redrawView();
}

void Tloview::magxyLabClick() {
    magzoom->setPosition(50);
    redrawView();
}

void Tloview::keepcenterClick() {
    followFlag = follow->Checked();
    gocenterClick();
    keepcenter->setCaption(follow->Checked() ? "stop following" : "start following");
}

void Tloview::followClick() {
    followFlag = follow->Checked();
    redrawView();
}

void Tloview::rotdbgClick() {
    manRot = double(StrToInt32(rotdbg->Items()[rotdbg->ItemIndex()]));
    northlab->setVisible(manRot == 270);
    redrawView();
}

void Tloview::manrotlmClick() {
    rotdbg->setEnabled(manrotlm->Checked());
    redrawView();
}

void Tloview::rotlmClick() {
    rotLmFlag = rotlm->Checked();
    redrawView();
}

void Tloview::rotobjClick() {
    rotObjFlag = rotobj->Checked();
    redrawView();
}

// Ctrl zooms and Alt turns the group, each on its own: with both, both apply.
void Tloview::loimgMouseWheel(ui::TShiftState shift, int delta, bool& handled) {
    if (shift.ctrl) {
        magzoom->setPosition(wheelMagTarget(magzoom->Position(), delta));
        handled = true;
    }
    if (shift.alt && group.moveManyMode) {
        turnGroupByWheel(delta);
        handled = true;
    }
    if (!activating_) redraw(false, tableOnShow());
}

void Tloview::cvaszDblClick() {
    canvasLimit = StrToInt32(cvasz->Text());
}

} // namespace vx
