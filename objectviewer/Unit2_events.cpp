// The viewer's event wiring: which handler each component's events run.
#include "objectviewer/Unit2.h"

namespace vx {

void Tloview::wireEvents() {
    customload->OnClick = [this] { customloadClick(); };
    lopick->OnDblClick = [this] { lopickDblClick(); };
    savelo->OnClick = [this] { SaveloClick(); };
    saveobjs->OnClick = [this] { SaveloClick(); };
    savedat->OnClick = [this] { savedatClick(); };
    savelotxt->OnClick = [this] { savelotxtClick(); };
    loadcustgfx->OnClick = [this] { loadcustgfxClick(); };

    // Editing and work list.
    chgobj->OnClick = [this] { starteditClick(); };
    stopedit->OnClick = [this] { stopeditClick(); };
    mvcancel->OnClick = [this] { mvcancelClick(); };
    canceledit->OnClick = [this] { canceleditClick(); };
    hideobj->OnClick = [this] { hideobjClick(); };
    allowrotobj->OnClick = [this] { allowrotobjClick(); };
    editmen->OnPopup = [this] { editmenPopup(); };
    loimg->OnMouseDown = [this](ui::TMouseButton, ui::TShiftState, int X, int Y) {
        loimgMouseDown(X, Y);
    };
    loimg->OnMouseMove = [this](ui::TShiftState shift, int X, int Y) { dspxy(shift, X, Y); };
    lolist->OnChange = [this] { lolistChange(); };
    lolist->OnClick = [this] { lolistChange(); };
    objlist->OnClick = [this] { objlistClick(); };
    rotaobj->OnChange = [this] { rotaobjClick(); };
    rotaobj->OnClick = [this] { rotaobjClick(); };
    Addobj->OnClick = [this] { AddobjClick(); };
    chgobjtype->OnClick = [this] { chgobjtypeClick(); };
    paste2landmark->OnClick = [this] { paste2lnmrkclick(); };
    cpobjs->OnClick = [this] { cpobjsClick(); };
    cp2worklist->OnClick = [this] { cpobjsClick(); };
    cpsel->OnClick = [this] { cpselClick(); };
    delsel->OnClick = [this] { delselClick(); };
    add2lndmrk->OnClick = [this] { add2lndmrkClick(); };
    mvmany->OnClick = [this] { mvmanyClick(); };
    mvmanyconfirm->OnClick = [this] { mvmanyconfirmClick(); };
    mvmanycancel->OnClick = [this] { mvmanycancelClick(); };
    mvselected->OnClick = [this] { mvselectedClick(); };

    // View controls.
    OnActivate = [this] { FormActivate(); };
    OnShow = [this] { FormActivate(); };
    magzoom->OnChange = [this] { magzoomChange(); };
    magxyLab->OnClick = [this] { magxyLabClick(); };
    gocenter->OnClick = [this] { gocenterClick(); };
    keepcenter->OnClick = [this] { keepcenterClick(); };
    follow->OnClick = [this] { followClick(); };
    rotdbg->OnClick = [this] { rotdbgClick(); };
    rotdbg->OnDblClick = [this] { redrawView(); };
    manrotlm->OnClick = [this] { manrotlmClick(); };
    rotlm->OnClick = [this] { rotlmClick(); };
    rotobj->OnClick = [this] { rotobjClick(); };
    for (ui::TTrackBar* bar : {objcor, imgsz}) bar->OnChange = [this] { redrawView(); };
    for (ui::TCheckBox* box : {showpics, hack90180, debug1only})
        box->OnClick = [this] { redrawView(); };
    loimg->OnMouseWheel = [this](ui::TShiftState shift, int delta, TPoint, bool& handled) {
        loimgMouseWheel(shift, delta, handled);
    };
    cvasz->OnDblClick = [this] { cvaszDblClick(); };
}

} // namespace vx
