// The viewer's form description: every component with its place, caption and
// initial state. Two columns of lists and buttons and a column of view
// controls keep their place at the left; the view takes the rest and grows
// with the window.
#include "objectviewer/Unit2.h"
#include "ui/formbuild.h"

namespace vx {

namespace {
constexpr int formW = 1340, formH = 690;
constexpr int colA = 4, colAW = 256;   // object files, saving, view options
constexpr int colB = 266, colBW = 336; // object lists, work list, catalogue
constexpr int colC = 608;              // track bars and the rotation list
constexpr int viewX = 758, viewY = 24;
constexpr int rowH = 24;
constexpr int halfA = (colAW - 6) / 2;
} // namespace

void Tloview::createComponents() {
    setCaption("loview");
    setBounds(20, 20, formW, formH);
    ui::FormBuilder at(*this);

    // Object files.
    lolist = at.combo("lolist", colA, 4, colB + colBW - colA, rowH, ui::csDropDownList);
    lolist->setFontName("Courier New Bold"); // fixed pitch: the padded columns line up
    locfile = at.check("locfile", "Manual chosen file loaded", colA, 34, colAW);
    customload = at.button("customload", "Choose lo file manually", colA, 56, colAW, rowH + 2);
    lopickLab = at.label("lopickLab", "Double click to load", colA, 86, colAW);
    lopick = at.list("lopick", colA, 104, colAW, 150);
    savelo = at.button("savelo", "Save LO object", colA, 258, colAW, rowH + 2);
    savelotxt = at.button("savelotxt", " save LO to txt", colA, 288, colAW, rowH + 2);
    loadcustgfx = at.button("loadcustgfx", "Load custom gfx", colA, 318, colAW, rowH + 2);
    canceledit = at.button("canceledit", "Cancel edit", colA, 348, colAW, rowH + 2);
    editOnOff = at.label("editOnOff", "edit Off", colA, 378, colAW);

    // View options.
    StaticText1 = at.staticText("StaticText1", "Manual LM rota 4 obj", colA, 400, colAW);
    manrotlm = at.check("manrotlm", "Manual rotate LM", colA, 420, colAW, 20, true);
    rotlm = at.check("rotlm", "Rotate x,y loc of obj  with LM rota", colA, 442, colAW, 20, true);
    follow = at.check("follow", "Follow active object", colA, 464, colAW);
    showpics = at.check("showpics", "Show Icons", colA, 486, colAW);
    gocenter = at.button("gocenter", "Center", colA, 510, halfA, rowH + 2);
    cvasz = at.edit("cvasz", "5000", colA + halfA + 6, 511, halfA, rowH);
    cvasz->setTextHint("canvas size");
    BitBtn1 = at.button("BitBtn1", "BitBtn1", colA, 540, halfA, rowH + 2);
    percbmp = at.label("percbmp", "perc", colA + halfA + 6, 544, halfA);
    ftxy = at.label("ftxy", "ftxy", colA, 570, colAW);
    rotobj = at.check("rotobj", "Rotate obj ITSELF with LO rotation", colA, 592, colAW, 20, true);
    hack90180 = at.check("hack90180", "hack90-180-270", colA, 592, halfA, 20, true);
    debug1only = at.check("debug1only", "1 obj only", colA + halfA + 6, 592, halfA);
    turn90 = at.check("turn90", "turn obj 90 extra", colA, 614, colAW);
    xyinfo = at.place<ui::TMemo>("xyinfo", colA, 592, colAW, 44);
    for (ui::TControl* c :
         std::initializer_list<ui::TControl*>{rotobj, hack90180, debug1only, turn90, xyinfo})
        c->setVisible(false);

    // Object lists, work list and the catalogue of objects to add.
    objlist = at.list("objlist", colB, 34, colBW, 260,
                      {"objlist = connected to lolist,", "  lotab = data"}, true);
    objlist->setFontName("Courier 10 Pitch");
    loworklist =
        at.list("loworklist", colB, 300, colBW, 120,
                {"lowork is  associated ", "lomove is used for", " paste and move jobs", ""}, true);
    loworklist->setItemIndex(0);
    loworklist->setHint("collect objects of the loaded file here, save them as a dat file of "
                        "their own, load that with \"Choose lo file manually\" and adapt it");
    lobjectsLab = at.label("lobjectsLab", "Change existing object or Add objects to center", colB,
                           424, colBW);
    lobjects = at.list("lobjects", colB, 444, colBW, formH - 50 - 444);
    lobjects->setAnchors(true, true, false, true);

    // Track bars: magnification, box size, icon size, object rotation.
    const int barW = 34, barH = 256;
    magzoom = at.vtrack("magzoom", colC, viewY, barW, barH, 1, 400, 65, false);
    magzoom->setPageSize(1);
    magzoom->setHint("ctrl + wheel also zooms");
    objcor = at.vtrack("objcor", colC + 36, viewY, barW, barH, -150, 150, -51, true);
    objcor->setHint("enlarge / shrink the boxes. true size = -51");
    imgsz = at.vtrack("imgsz", colC + 72, viewY, barW, barH, 8, 64, 20, true);
    imgsz->setHint("Icon size");
    rotaobj = at.vtrack("rotaobj", colC + 108, viewY, barW, barH, 0, 360, 0, false);
    rotaobj->setEnabled(false);
    magnifact = at.staticText("magnifact", "magnifact", colC, 284, 144);
    magxyLab = at.label("magxyLab", "draw/nodraw", colC, 304, 144);
    rotdbg = at.list("rotdbg", colC, 326, 70, 236,
                     {"0", "45", "90", "135", "180", "225", "270", "315", "360"});
    rotdbg->setItemIndex(6);
    rotdbg->setHint("270 puts north at the top of the page");
    northlab = at.label("northlab", "^\n|\nN", colC + 80, 326, 60, 54);
    bgratest = at.place<ui::TImage>("bgratest", colC + 76, 400, 64, 64);
    loimgbup = at.place<ui::TImage>("loimgbup", colC + 76, 400, 64, 64);
    loimgbup->setVisible(false);

    // The view takes the room that is left.
    ui::FormBuilder stretching(*this, {true, true, true, true});
    LMname = ui::FormBuilder(*this, {true, true, true, false})
                 .label("LMname", "LMname", viewX, 4, formW - viewX - 4);
    loscroll = stretching.place<ui::TPaintedScrollBox>("loscroll", viewX, viewY, formW - viewX - 4,
                                                       formH - 50 - viewY);
    loimg = add<ui::TRecordImage>("loimg", loscroll, 0, 0, 5000, 5000);
    loscroll->HorzScrollBar().setIncrement(124);
    loscroll->VertScrollBar().setIncrement(92);

    // Readouts under the lists and the view.
    ui::FormBuilder bottom(*this, {true, false, false, true});
    mdowninfo = bottom.label("mdowninfo", "mdowninfo", colA, formH - 44, viewX - 8);
    xyview = bottom.label("xyview", "xyview", colA, formH - 24, viewX - 8);
    amagxylab = bottom.label("amagxylab", "amagxylab", viewX, formH - 44, 296);
    scbarLab = bottom.label("scbarLab", "SCbar pos", viewX + 300, formH - 44, formW - viewX - 304);
    Label1 = bottom.label("Label1", "View parameters", viewX, formH - 24, 400);

    // Pop-up menus.
    objlistmen = add<ui::TPopupMenu>("objlistmen");
    saveobjs = objlistmen->add("saveobjs", "Save objects to lofile");
    cpobjs = objlistmen->add("cpobjs", "Copy objects => worklist");
    paste2landmark = objlistmen->add("paste2landmark", "Paste 2 landmark");
    mvselected = objlistmen->add("mvselected", "move selected");
    objlist->setPopupMenu(objlistmen);

    workmen = add<ui::TPopupMenu>("workmen");
    cpsel = workmen->add("cpsel", "cp selected");
    cpsel->setHint("adds more");
    delsel = workmen->add("delsel", "Del selected");
    savedat = workmen->add("savedat", "Save to dat file.");
    add2lndmrk = workmen->add("add2lndmrk", "Add 2 landmark");
    loworklist->setPopupMenu(workmen);

    editmen = add<ui::TPopupMenu>("editmen");
    chgobj = editmen->add("chgobj", "Start moving 1 object (shift key + mouse)");
    stopedit = editmen->add("stopedit", "Stop moving 1 object");
    mvcancel = editmen->add("mvcancel", "Cancel move selected");
    hideobj = editmen->add("hideobj", "Hide obj in game");
    allowrotobj = editmen->add("allowrotobj", "Allow rotation");
    keepcenter = editmen->add("keepcenter", "Keep cur obj centered");
    cp2worklist = editmen->add("cp2worklist", "Copy object to worklist");
    mvmany = editmen->add("mvmany", "Copy + Move  selected on worklist. hold alt+mouse");
    mvmanyconfirm = editmen->add("mvmanyconfirm", "Confirm move (worklist)");
    mvmanycancel = editmen->add("mvmanycancel", "Cancel move (worklist)");
    loimg->setPopupMenu(editmen);

    mngobj = add<ui::TPopupMenu>("mngobj");
    Addobj = mngobj->add("Addobj", "Add object");
    chgobjtype = mngobj->add("chgobjtype", "Change object type");
    lobjects->setPopupMenu(mngobj);

    openalo = add<ui::TOpenDialog>("openalo");
    savelodat = add<ui::TSaveDialog>("savelodat");
    savelodat->setTitle("Save LO02xxxx.dat file as");
    savelodat->setDefaultExt(".dat");
    savelototext = add<ui::TSaveDialog>("savelototext");

    // Events.
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
