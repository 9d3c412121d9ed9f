// The main window's event wiring: which handler each component's events run.
#include "mapeditor/Unit1.h"

namespace vx {

void TForm1::wireEvents() {
    OnCreate = [this] { formcreate(); };
    OnActivate = [this] { FormActivate(); };
    Image1->OnMouseDown = [this](ui::TMouseButton b, ui::TShiftState s, int x, int y) {
        mdown(b, s, x, y);
    };
    Image1->OnMouseMove = [this](ui::TShiftState s, int x, int y) { dispxy(s, x, y); };
    Image1->OnDblClick = [this] { seeklm(); };
    loadpic->OnClick = [this] { loadlm(); };
    mapchoice->OnChange = [this] { mapchoiceChange(); };
    mlfORmbf->OnChange = [this] { mlfORmbfChange(); };
    LMtemplate->OnEnter = [this] { filltemplate(); };
    LMtemplate->OnClick = [this] { chgLMtemplate(); };
    lmpicklist->OnClick = [this] { dispLM(); };
    savelms->OnClick = [this] { savelndmrks(); };
    hilite->OnClick = [this] { drawhilite(); };
    zoombar->OnChange = [this] { Zoomupdn(); };
    zoombar->OnMouseWheel = [this](ui::TShiftState s, int d, TPoint p, bool& h) {
        zoombarupdn(s, d, p, h);
    };
    loc_A->OnClick = [this] { loc_AClick(); };
    loc_B->OnClick = [this] { loc_BClick(); };
    quitapp->OnClick = [this] { quitappClick(); };
    SelectlastSearch1->OnClick = [this] { SelectlastSearch1Click(); };
    Showselected1->OnClick = [this] { focselected(); };
    RedrawMap1->OnClick = [this] { redomap(); };
    remap->OnClick = [this] { remapClick(); };
    showloview->OnClick = [this] { viewlo(); };

    // Copy and paste, export.
    cpobjs->OnClick = [this] { cpobjectsClick(); };
    pstobjsnew->OnClick = [this] { psobjectsnewClick(); };
    pstobjathere->OnClick = [this] { psobjectsatcurClick(); };
    blankobjs->OnClick = [this] { blankobjsClick(); };
    Clearlist->OnClick = [this] { ClearlistClick(); };
    pasteNew->OnClick = [this] { pasteNewClick(); };
    pasteexists->OnClick = [this] { pasteexistsClick(); };
    delobj->OnClick = [this] { delobjsClick(); };
    CopyObject1->OnClick = [this] { cpObj(); };
    PasteObject1->OnClick = [this] { pstObj(); };
    Image1->OnClick = [this] { doxy(); };
    savelminfo->OnClick = [this] { savelminfoClick(); };
    inc_actonly->OnClick = [this] { inc_actonlyClick(); };
    inc_hidden->OnClick = [this] { inc_hiddenClick(); };

    // Editing.
    edLM->OnClick = [this] { editLM(); };
    undoLM->OnClick = [this] { undoVexton(); };
    side->OnChange = [this] { chgSide(); };
    Lotype->OnChange = [this] { chgLotype(); };
    Lofile->OnChange = [this] { chgLofile(); };
    LMElev->OnExit = [this] { chgLMelev(); };
    LMrotation->OnChange = [this] { chgrota(); };
    lndmrkname->OnExit = [this] { chgLndmrkName(); };
    eastcord->OnKeyPress = [this](char& key) { eastcordKeyPress(key); };
    northcord->OnKeyPress = [this](char& key) { northcordKeyPress(key); };
    addLM->OnClick = [this] { addLndMark(); };
    remLM->OnClick = [this] { remLMClick(); };
    deactobjs->OnClick = [this] { delLM(); };
    reactobjs->OnClick = [this] { undelLM(); };
    erasobjs->OnClick = [this] { erasobjsClick(); };
}

} // namespace vx
