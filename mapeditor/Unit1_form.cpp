// The main window's form description: every component with its place, caption
// and initial state. Laid out for a 1366 x 768 screen: the map fills the left
// and takes the width a larger window adds; the panel on the right keeps its
// distance from the right edge and gives added height to its two lists.
// Heights and the widths text needs come from the fonts GTK draws with.
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
constexpr int gap = 4; // between controls side by side

// The longest texts the handlers write into the readouts.
const char* const longestXY = "XY      :7999 5999";
const char* const longestTed = "TED XY :-99999999 99999999";
const char* const longestLatLon = " Long / Latt : -179.999999 -89.999999";
const char* const longestDist = "Dist in m1:     9999999.99 clnt:9999 9999";
const char* const longestRxY = "x: 4096 y: 4096";
const char* const longestSBx = " SBx pos:7999  Xsb: 50 lmX: -7999";
const char* const longestSBy = " SBy pos:5999  Ysb: 50 lmY: -5999";
const char* const longestWxH = "WxH / ratio :8000 6000  1.333333333333";
const char* const longestZoom = "Zoom    : 7.81";
const char* const longestZoomFact = "-1200 x/y : 9999/9999";

// The memo shows a record in eight lines, the name line the longest:
// "Name :" and 39 letters.
std::string widestRecord() {
    return "Name :" + std::string(39, 'M') + "\nMg\nMg\nMg\nMg\nMg\nMg\nMg";
}
} // namespace

void TForm1::createComponents() {
    setCaption("Vexton");
    setBounds(0, 0, formW, formH);
    const ui::RowHeights row = ui::measuredRows();
    const int pairH = std::max(row.label, row.edit);
    auto labelled = [&](int rowH) { return (rowH - row.label) / 2; }; // a label beside a box

    // Panel controls keep their distance from the right edge.
    auto panel = [](ui::TControl* c) { c->setAnchors(false, true, true, false); };
    auto growing = [](ui::TControl* c) { c->setAnchors(false, true, true, true); };
    auto low = [](ui::TControl* c) { c->setAnchors(false, false, true, true); };
    ui::FormBuilder onPanel(*this, {false, true, true, false});
    ui::FormBuilder lowPanel(*this, {false, false, true, true}); // keeps to the bottom
    auto button = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.button(name, caption, l, t, w, row.button);
    };
    auto label = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.label(name, caption, l, t, w, row.label);
    };
    auto combo = [&](const char* name, int l, int t, int w, ui::TComboBoxStyle style) {
        return onPanel.combo(name, l, t, w, style == ui::csDropDown ? row.entryCombo : row.combo,
                             style);
    };
    auto check = [&](const char* name, const char* caption, int l, int t, int w) {
        return onPanel.check(name, caption, l, t, w, row.check);
    };

    // The memo at the bottom of the panel, eight lines high.
    const ui::TPoint record = ui::neededSize(ui::TextBox::memo, widestRecord(), "Courier New");
    const int memoH = std::max(154, record.Y);
    const int memoTop = formH - 6 - memoH;

    // The map, and the pointer readouts under it in two rows, each readout as
    // wide as its longest text.
    const int s2 = formH - 6 - row.label, s1 = s2 - 4 - row.label;
    ScrollBox1 = add<ui::TScrollBox>("ScrollBox1", nullptr, 4, 4, zoomL - 8, s1 - 8);
    ScrollBox1->setAnchors(true, true, true, true);
    Image1 = add<ui::TImage>("Image1", ScrollBox1, 0, 0, 1345, 888);
    Image1->setStretch(true);
    Image1->setProportional(true);
    Image1->setCenter(true);
    Image1->setCursor(ui::crCross);
    ui::FormBuilder underMap(*this, {true, false, false, true});
    int x1 = 6, x2 = 6;
    auto status = [&](int& x, int t, const char* name, const char* caption, const char* longest) {
        const int w = ui::widthFor(ui::TextBox::label, {caption, longest});
        auto* l = underMap.label(name, caption, x, t, w, row.label);
        x += w + 2 * gap;
        return l;
    };
    XY_xy = status(x1, s1, "XY_xy", "XY(x,y)", longestXY);
    tedxylab = status(x1, s1, "tedxylab", "Ted  XY (LvL3):", longestTed);
    lolat = status(x1, s1, "lolat", "Long/Latt", longestLatLon);
    distinm1 = status(x2, s2, "distinm1", "distinm1", longestDist);
    ftAtoB = status(x2, s2, "ftAtoB", "ftAtoB", "ftAtoB");
    RxYLabel = status(x2, s2, "RxYLabel", "Rx Y", longestRxY);
    sbarXlabel = status(x2, s2, "sbarXlabel", "range hor:", longestSBx);

    // Zoom bar between the map and the panel.
    zoomio = label("zoomio", "Zoom +/-", zoomL, 4, zoomW);
    zoombar =
        add<ui::TTrackBar>("zoombar", nullptr, zoomL + (zoomW - 40) / 2, 8 + row.label, 40, 330);
    growing(zoombar);
    zoombar->setOrientation(ui::trVertical);
    zoombar->setReversed(true);
    zoombar->setMax(8000);
    zoombar->setMin(1345);
    zoombar->setPosition(4000);
    zoombar->setFrequency(500);
    zoombar->setLineSize(100);
    zoombar->setHint("Zoom in and out");

    // Left column: map, mode, template folder, the landmark list; under it the
    // text export, kept to the bottom.
    ui::Stack left(4);
    const int mapRow = left.next(row.entryCombo);
    mapchoice = combo("mapchoice", colA, mapRow, half + 20, ui::csDropDown);
    mlfORmbf = combo("mlfORmbf", colA + half + 26, mapRow, half - 20, ui::csDropDown);
    mlfORmbf->Items().assign({".mlf", ".mbf"});
    mlfORmbf->setHint("choose mLf (landmarks) or mBf ( brigades)");
    mapchoiceitemindex =
        label("mapchoiceitemindex", "mapchoice itemindex", colA, left.next(row.label), colW);
    LMtemplate = combo("LMtemplate", colA, left.next(row.entryCombo), colW, ui::csDropDown);
    LMtemplate->setSorted(true);
    loadpic = button("loadpic", "Load this map", colA, left.next(row.button), colW);

    const int checkRows = 4 * row.check, readouts = 3 * row.label;
    const int sizes = memoTop - 2 - readouts;
    const int e = sizes - 4 - checkRows - 2 - row.button; // top of the text export
    lmpicklist = add<ui::TListBox>("lmpicklist", nullptr, colA, left.y(), colW, e - 4 - left.y());
    growing(lmpicklist);
    lmpicklist->setMultiSelect(true);
    lmpicklist->setHint("rightclick to work on *current* selected objects (=marked blue..)");

    savelminfo =
        lowPanel.button("savelminfo", "Save LM info to text file", colA, e, colW, row.button);
    const int c1 = ui::widthFor(ui::TextBox::check,
                                {"inc_recnr", "mark_hidden", "inc_LM_name", "Allied_or_German"},
                                148),
              c2 = colA + c1;
    auto lowCheck = [&](const char* name, const char* caption, int l, int r, int w) {
        return lowPanel.check(name, caption, l, e + row.button + 2 + r * row.check, w, row.check);
    };
    inc_recnr = lowCheck("inc_recnr", "inc_recnr", colA, 0, c1);
    inc_lo = lowCheck("inc_lo", "inc_lo", c2, 0, colW - c1);
    inc_hidden = lowCheck("inc_hidden", "mark_hidden", colA, 1, c1);
    inc_coords = lowCheck("inc_coords", "inc_coords", c2, 1, colW - c1);
    inc_LM_name = lowCheck("inc_LM_name", "inc_LM_name", colA, 2, c1);
    csv = lowCheck("csv", "csv file", c2, 2, colW - c1);
    allORger = lowCheck("allORger", "Allied_or_German", colA, 3, c1);
    inc_actonly = lowCheck("inc_actonly", "inc_actonly", c2, 3, colW - c1);

    // The size readouts run over both columns, under the copy list.
    const int readoutW =
        ui::widthFor(ui::TextBox::label, {longestWxH, longestZoom, longestSBy}, both);
    auto readout = [&](const char* name, const char* caption, int r) {
        return lowPanel.label(name, caption, colA, sizes + r * row.label, readoutW, row.label);
    };
    WxHLabel = readout("WxHLabel", "WxH:", 0);
    zoomlabel = readout("zoomlabel", "Zoom:", 1);
    SbarYlabel = readout("SbarYlabel", "range Ver", 2);
    // The zoom bar's position, or what its wheel did, beside the zoom.
    zoomlabel->setBounds(zoomlabel->Left(), zoomlabel->Top(),
                         ui::widthFor(ui::TextBox::label, {"Zoom:", longestZoom}),
                         zoomlabel->Height());
    const int factL = zoomlabel->Left() + zoomlabel->Width() + 2 * gap;
    zoomfact = lowPanel.label(
        "zoomfact", "zoomfact", factL, zoomlabel->Top(),
        std::max(readoutW - (factL - colA), ui::widthFor(ui::TextBox::label, {longestZoomFact})),
        row.label);

    LMdata = add<ui::TMemo>("LMdata", nullptr, colA, memoTop, std::max(both, record.X), memoH);
    low(LMdata);
    LMdata->setFontName("Courier New");
    LMdata->setText("LMdata");
    debugd = add<ui::TMemo>("debugd", nullptr, colA, memoTop, both, 60);
    low(debugd);
    debugd->setText("debugd");
    debugd->setVisible(false);

    // Right column: the edit panel, then the file and view buttons.
    ui::Stack right(4);
    const int editRow = right.next(row.button);
    // The edit button reads "Commit changes" while a landmark is edited.
    const int edW = ui::widthFor(ui::TextBox::button, {"Edit Landmark", "Commit changes"}, half);
    edLM = button("edLM", "Edit Landmark", colB, editRow, edW);
    undoLM = button("undoLM", "Undo Changes", colB + edW + 6, editRow, colW - edW - 6);
    Lotype = combo("Lotype", colB, right.next(row.combo), colW, ui::csDropDownList);
    const int lodatRow = right.next(row.label);
    const int lodatW = ui::widthFor(ui::TextBox::label, {"Lo02xxxx.dat"}, 104);
    lodatLabel = label("lodatLabel", "Lo02xxxx.dat", colB, lodatRow, lodatW);
    lofname = label("lofname", "lofname", colB + lodatW + gap, lodatRow, colW - lodatW - gap);
    // The side is one of two short names; the object file box takes the rest.
    const int sideRow = right.next(row.combo);
    const int sideW = ui::widthFor(ui::TextBox::combo, {"Central", "Entente"}, 90);
    side = combo("side", colB, sideRow, sideW, ui::csDropDownList);
    Lofile = combo("Lofile", colB + sideW + gap, sideRow, colW - sideW - gap, ui::csDropDownList);
    lndmrkname = add<ui::TEdit>("lndmrkname", nullptr, colB, right.next(row.edit), colW, row.edit);
    panel(lndmrkname);
    lndmrkname->setMaxLength(39);
    const int captionW =
        ui::widthFor(ui::TextBox::label, {"Elevation (in ft)", "Rotation (in deg)"}, 120);
    const int elevRow = right.next(pairH);
    elevaLabel =
        label("elevaLabel", "Elevation (in ft)", colB, elevRow + labelled(pairH), captionW);
    LMElev = add<ui::TEdit>("LMElev", nullptr, colB + captionW + 2, elevRow, colW - captionW - 2,
                            row.edit);
    panel(LMElev);
    const int rotaH = std::max(row.label, row.entryCombo);
    const int rotaRow = right.next(rotaH);
    rotadeglab =
        label("rotadeglab", "Rotation (in deg)", colB, rotaRow + labelled(rotaH), captionW);
    LMrotation =
        combo("LMrotation", colB + captionW + 2, rotaRow, colW - captionW - 2, ui::csDropDown);
    const int coordL = ui::widthFor(ui::TextBox::label, {"E<=>W", "N<=>S"}, 60);
    auto coord = [&](const char* name, int t) {
        auto* c =
            add<ui::TMaskEdit>(name, nullptr, colB + coordL + 2, t, colW - coordL - 2, row.edit);
        panel(c);
        c->setEditMask("!99.9999999999999999!");
        c->setMaxLength(19);
        return c;
    };
    const int eastRow = right.next(pairH);
    eastlab = label("eastlab", "E<=>W", colB, eastRow + labelled(pairH), coordL);
    eastcord = coord("eastcord", eastRow);
    const int northRow = right.next(pairH);
    northlab = label("northlab", "N<=>S", colB, northRow + labelled(pairH), coordL);
    northcord = coord("northcord", northRow);
    right.next(2);
    const int addRow = right.next(std::max(row.button, row.check));
    addLM = button("addLM", "Add Landmark", colB, addRow, half);
    hilite = check("hilite", "Highlight all", colB + half + 6,
                   addRow + (std::max(row.button, row.check) - row.check) / 2, half);
    remLM = button("remLM", "activate / deactivate LM's", colB, right.next(row.button), colW);
    savelms = button("savelms", "Save to lndmrksX.dat / .mlf", colB, right.next(row.button), colW);
    const int viewRow = right.next(row.button);
    showloview = button("showloview", "View Lo file", colB, viewRow, half);
    remap = button("remap", "reload map", colB + half + 6, viewRow, half);
    cpyListBox =
        add<ui::TListBox>("cpyListBox", nullptr, colB, right.y(), colW, sizes - 4 - right.y());
    growing(cpyListBox);
    cpyListBox->setMultiSelect(true);
    cpyListBox->Items().Add("copied items go here....");
    cpyListBox->setItemIndex(0);
    const std::initializer_list<ui::TControl*> editOnly = {
        undoLM, side, Lotype, Lofile, lndmrkname, LMElev, LMrotation, eastcord, northcord};
    for (ui::TControl* c : editOnly) c->setEnabled(false);

    loc_A = button("loc_A", "loc_A", colB, 540, 60);
    loc_B = button("loc_B", "loc B", colB + 64, 540, 60);
    loc_A->setVisible(false);
    loc_B->setVisible(false);
    quitapp = button("quitapp", "Quit", zoomL, formH - 6 - row.button, zoomW);
    quitapp->setAnchors(false, false, true, true);

    // Pop-up menus; items of later features get their handlers when those exist.
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
