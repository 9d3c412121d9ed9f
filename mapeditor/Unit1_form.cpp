// The main window's form description: every component with its place, caption
// and initial state. Laid out for a 1366 x 768 screen: the map fills the left
// and takes the width a larger window adds; the panel on the right keeps its
// distance from the right edge and gives added height to its two lists.
#include "mapeditor/Unit1.h"
#include "ui/formbuild.h"

namespace vx {

namespace {
constexpr int formW = 1340, formH = 690;
constexpr int colW = 252;                   // width of a panel column
constexpr int colA = formW - 2 * colW - 12; // left column of the panel
constexpr int colB = colA + colW + 8;       // right column of the panel
constexpr int half = (colW - 6) / 2;        // two controls side by side
constexpr int both = 2 * colW + 8;          // a control over both columns
constexpr int zoomW = 72;                   // column of the zoom bar and its labels
constexpr int zoomL = colA - zoomW - 4;
constexpr int rowH = 24;
} // namespace

void TForm1::createComponents() {
    setCaption("Vexton");
    setBounds(0, 0, formW, formH);

    // Panel controls keep their distance from the right edge.
    auto panel = [](ui::TControl* c) { c->setAnchors(false, true, true, false); };
    auto growing = [](ui::TControl* c) { c->setAnchors(false, true, true, true); };
    auto low = [](ui::TControl* c) { c->setAnchors(false, false, true, true); };
    ui::FormBuilder onPanel(*this, {false, true, true, false});
    ui::FormBuilder lowPanel(*this, {false, false, true, true}); // keeps to the bottom
    auto button = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.button(name, caption, l, t, w, rowH + 2);
    };
    auto label = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.label(name, caption, l, t, w);
    };
    auto combo = [&](const char* name, int l, int t, int w, ui::TComboBoxStyle style) {
        return onPanel.combo(name, l, t, w, rowH, style);
    };
    auto check = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.check(name, caption, l, t, w);
    };

    // The map, and the pointer readouts under it.
    ScrollBox1 = add<ui::TScrollBox>("ScrollBox1", nullptr, 4, 4, zoomL - 8, formH - 58);
    ScrollBox1->setAnchors(true, true, true, true);
    Image1 = add<ui::TImage>("Image1", ScrollBox1, 0, 0, 1345, 888);
    Image1->setStretch(true);
    Image1->setProportional(true);
    Image1->setCenter(true);
    Image1->setCursor(ui::crCross);
    ui::FormBuilder underMap(*this, {true, false, false, true});
    auto status = [&](const char* name, const char* caption, int l, int t, int w) {
        return underMap.label(name, caption, l, t, w);
    };
    const int s1 = formH - 50, s2 = formH - 28;
    XY_xy = status("XY_xy", "XY(x,y)", 6, s1, 170);
    tedxylab = status("tedxylab", "Ted  XY (LvL3):", 180, s1, 260);
    lolat = status("lolat", "Long/Latt", 444, s1, 330);
    distinm1 = status("distinm1", "distinm1", 6, s2, 340);
    ftAtoB = status("ftAtoB", "ftAtoB", 350, s2, 60);
    RxYLabel = status("RxYLabel", "Rx Y", 414, s2, 130);
    sbarXlabel = status("sbarXlabel", "range hor:", 548, s2, 200);

    // Zoom bar between the map and the panel.
    zoomio = label("zoomio", "Zoom +/-", zoomL, 4, zoomW);
    zoombar = add<ui::TTrackBar>("zoombar", nullptr, zoomL + (zoomW - 40) / 2, 24, 40, 330);
    growing(zoombar);
    zoombar->setOrientation(ui::trVertical);
    zoombar->setReversed(true);
    zoombar->setMax(8000);
    zoombar->setMin(1345);
    zoombar->setPosition(4000);
    zoombar->setFrequency(500);
    zoombar->setLineSize(100);
    zoombar->setHint("Zoom in and out");
    zoomfact = lowPanel.label("zoomfact", "zoomfact", zoomL, formH - 332, zoomW);

    // Left column: map, mode, template folder, list and text export; the memo
    // and the size readouts below both columns.
    mapchoice = combo("mapchoice", colA, 4, half + 20, ui::csDropDown);
    mlfORmbf = combo("mlfORmbf", colA + half + 26, 4, half - 20, ui::csDropDown);
    mlfORmbf->Items().assign({".mlf", ".mbf"});
    mlfORmbf->setHint("choose mLf (landmarks) or mBf ( brigades)");
    mapchoiceitemindex = label("mapchoiceitemindex", "mapchoice itemindex", colA, 30, colW);
    LMtemplate = combo("LMtemplate", colA, 50, colW, ui::csDropDown);
    LMtemplate->setSorted(true);
    loadpic = button("loadpic", "Load this map", colA, 78, colW);
    lmpicklist = add<ui::TListBox>("lmpicklist", nullptr, colA, 108, colW, 246);
    growing(lmpicklist);
    lmpicklist->setMultiSelect(true);
    lmpicklist->setHint("rightclick to work on *current* selected objects (=marked blue..)");
    // Eight lines of a record, the name line 45 characters of a fixed font.
    LMdata = add<ui::TMemo>("LMdata", nullptr, colA, formH - 160, both, 154);
    low(LMdata);
    LMdata->setFontName("Courier New");
    LMdata->setText("LMdata");
    debugd = add<ui::TMemo>("debugd", nullptr, colA, formH - 160, both, 60);
    low(debugd);
    debugd->setText("debugd");
    debugd->setVisible(false);
    WxHLabel = lowPanel.label("WxHLabel", "WxH:", colA, formH - 218, both);
    zoomlabel = lowPanel.label("zoomlabel", "Zoom:", colA, formH - 200, both);
    SbarYlabel = lowPanel.label("SbarYlabel", "range Ver", colA, formH - 182, both);

    // Right column: the edit panel, then the file and view buttons.
    edLM = button("edLM", "Edit Landmark", colB, 4, half);
    undoLM = button("undoLM", "Undo Changes", colB + half + 6, 4, half);
    side = combo("side", colB, 34, colW, ui::csDropDownList);
    Lotype = combo("Lotype", colB, 62, colW, ui::csDropDownList);
    lodatLabel = label("lodatLabel", "Lo02xxxx.dat", colB, 90, 104);
    lofname = label("lofname", "lofname", colB + 108, 90, colW - 108);
    Lofile = combo("Lofile", colB, 108, colW, ui::csDropDownList);
    lndmrkname = add<ui::TEdit>("lndmrkname", nullptr, colB, 138, colW, rowH);
    panel(lndmrkname);
    lndmrkname->setMaxLength(39);
    elevaLabel = label("elevaLabel", "Elevation (in ft)", colB, 166, 120);
    LMElev = add<ui::TEdit>("LMElev", nullptr, colB + 122, 164, colW - 122, rowH);
    panel(LMElev);
    rotadeglab = label("rotadeglab", "Rotation (in deg)", colB, 194, 120);
    LMrotation = combo("LMrotation", colB + 122, 192, colW - 122, ui::csDropDown);
    auto coord = [&](const char* name, int t) {
        auto* e = add<ui::TMaskEdit>(name, nullptr, colB + 62, t, colW - 62, rowH);
        panel(e);
        e->setEditMask("!99.9999999999999999!");
        e->setMaxLength(19);
        return e;
    };
    eastlab = label("eastlab", "E<=>W", colB, 222, 60);
    eastcord = coord("eastcord", 220);
    northlab = label("northlab", "N<=>S", colB, 250, 60);
    northcord = coord("northcord", 248);
    addLM = button("addLM", "Add Landmark", colB, 278, colW);
    remLM = button("remLM", "activate / deactivate LM's", colB, 306, colW);
    savelms = button("savelms", "Save to lndmrksX.dat / .mlf", colB, 334, colW);
    showloview = button("showloview", "View Lo file", colB, 362, half);
    remap = button("remap", "reload map", colB + half + 6, 362, half);
    hilite = check("hilite", "Highlight all", colB, 390, colW);
    cpyListBox = add<ui::TListBox>("cpyListBox", nullptr, colB, 414, colW, formH - 222 - 414);
    growing(cpyListBox);
    cpyListBox->setMultiSelect(true);
    cpyListBox->Items().Add("copied items go here....");
    cpyListBox->setItemIndex(0);
    const std::initializer_list<ui::TControl*> editOnly = {
        undoLM, side, Lotype, Lofile, lndmrkname, LMElev, LMrotation, eastcord, northcord};
    for (ui::TControl* c : editOnly) c->setEnabled(false);

    // Text export, in the left column under the list.
    const int e = formH - 332, c1 = 148, c2 = colA + c1;
    savelminfo =
        lowPanel.button("savelminfo", "Save LM info to text file", colA, e, colW, rowH + 2);
    auto lowCheck = [&](const char* name, const char* caption, int l, int t, int w) {
        return lowPanel.check(name, caption, l, t, w);
    };
    inc_recnr = lowCheck("inc_recnr", "inc_recnr", colA, e + 30, c1);
    inc_lo = lowCheck("inc_lo", "inc_lo", c2, e + 30, colW - c1);
    inc_hidden = lowCheck("inc_hidden", "mark_hidden", colA, e + 50, c1);
    inc_coords = lowCheck("inc_coords", "inc_coords", c2, e + 50, colW - c1);
    inc_LM_name = lowCheck("inc_LM_name", "inc_LM_name", colA, e + 70, c1);
    csv = lowCheck("csv", "csv file", c2, e + 70, colW - c1);
    allORger = lowCheck("allORger", "Allied_or_German", colA, e + 90, c1);
    inc_actonly = lowCheck("inc_actonly", "inc_actonly", c2, e + 90, colW - c1);

    loc_A = button("loc_A", "loc_A", colB, 540, 60);
    loc_B = button("loc_B", "loc B", colB + 64, 540, 60);
    loc_A->setVisible(false);
    loc_B->setVisible(false);
    quitapp = button("quitapp", "Quit", zoomL, formH - 32, zoomW);
    quitapp->setAnchors(false, false, true, true);

    // Pop-up menus; their items get handlers with the events below, except
    // "Paste Object as New", which has none.
    zinzout = add<ui::TPopupMenu>("zinzout");
    SelectlastSearch1 = zinzout->add("SelectlastSearch1", "Select last Search");
    Showselected1 = zinzout->add("Showselected1", "Focus selected");
    RedrawMap1 = zinzout->add("RedrawMap1", "Redraw Map");
    zinzout->add("CopyObject1", "Copy Object");
    zinzout->add("PasteObject1", "Paste Object");
    zinzout->add("PasteObjectasNew1", "Paste Object as New");
    ScrollBox1->setPopupMenu(zinzout);

    lmpickup = add<ui::TPopupMenu>("lmpickup");
    lmpickup->add("cpobjs", "Copy Object(s)");
    lmpickup->add("pstobjsnew", "Paste Object(s) as new");
    lmpickup->add("pstobjathere", "Paste Object(s) at selected");
    lmpickup->add("deactobjs", "De-activate Object(s)");
    lmpickup->add("reactobjs", "Re-activate Object(s)");
    lmpickup->add("blankobjs", "Blank object(s)");
    lmpickup->add("erasobjs", "Delete Object(s) physically !!");
    lmpicklist->setPopupMenu(lmpickup);

    cpylistmenu = add<ui::TPopupMenu>("cpylistmenu");
    cpylistmenu->add("Clearlist", "Clear list");
    cpylistmenu->add("pasteNew", "Paste New");
    cpylistmenu->add("pasteexists", "Paste to selected");
    cpylistmenu->add("delobj", "delobj");
    cpyListBox->setPopupMenu(cpylistmenu);

    glist = add<ui::TImageList>("glist");
    allist = add<ui::TImageList>("allist");
    dimGlist = add<ui::TImageList>("dimGlist");
    dimAllist = add<ui::TImageList>("dimAllist");
    objico = add<ui::TImageList>("objico");
    objico->setWidth(64);
    objico->setHeight(64);
    getpic = add<ui::TOpenDialog>("getpic");
    saveit = add<ui::TSaveDialog>("saveit");

    // Events.
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
    cpobjs = lmpickup->find("cpobjs");
    pstobjsnew = lmpickup->find("pstobjsnew");
    pstobjathere = lmpickup->find("pstobjathere");
    blankobjs = lmpickup->find("blankobjs");
    Clearlist = cpylistmenu->find("Clearlist");
    pasteNew = cpylistmenu->find("pasteNew");
    pasteexists = cpylistmenu->find("pasteexists");
    delobj = cpylistmenu->find("delobj");
    CopyObject1 = zinzout->find("CopyObject1");
    PasteObject1 = zinzout->find("PasteObject1");
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
    blankobjs->setHint("This empties the record, but it is not deleted\n"
                       "to maintain compatability with standard Tolvane landmarks.");
    cpyListBox->setHint("rightclick to work with *current* selected objects (=showing blue)\n"
                        "copy objects from the map with rightclick\n"
                        "objects copied with the landmark list are also copied to this list.\n"
                        "this list stays, until you clear it.");
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
    deactobjs = lmpickup->find("deactobjs");
    reactobjs = lmpickup->find("reactobjs");
    erasobjs = lmpickup->find("erasobjs");
    deactobjs->OnClick = [this] { delLM(); };
    reactobjs->OnClick = [this] { undelLM(); };
    erasobjs->OnClick = [this] { erasobjsClick(); };
}

} // namespace vx
