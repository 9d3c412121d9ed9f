// The viewer's form description: every component with its place, caption and
// initial state. Two columns of lists and buttons and a column of view
// controls keep their place at the left; the view takes the rest and grows
// with the window. Heights and the widths text needs come from the fonts GTK
// draws with.
#include "objectviewer/Unit2.h"
#include "objectviewer/lolines.h"
#include "ui/formbuild.h"

namespace vx {

namespace {
constexpr int formW = 1340, formH = 690;
constexpr int colA = 4, colAW = 256;   // object files, saving, view options
constexpr int colB = 266, colBW = 336; // object lists, work list, catalogue
constexpr int colC = 608;              // track bars and the rotation list
constexpr int viewX = 758;
constexpr int halfA = (colAW - 6) / 2;

// The longest texts the handlers write into the readouts.
const char* const longestXYView = "x: 29999 y:29999 Ft: x -99999 Ft: y -99999 ";
const char* const longestCount = "draw 1024 total 1024 100.00 %";
const char* const longestScroll = "SCbar pos x: 29999 y: 29999";
const char* const longestLabel1 = "30000 30000";
const char* const longestMagnify = " 2000.0 % ";
} // namespace

void Tloview::createComponents() {
    setCaption("loview");
    setBounds(20, 20, formW, formH);
    const ui::RowHeights row = ui::measuredRows();
    ui::FormBuilder at(*this);

    // The object file's lines in a fixed-pitch font: the padded columns line up.
    const char* const loFont = "Courier New Bold";
    const int loW =
        ui::widthFor(ui::TextBox::combo, {widestLolistLine()}, colB + colBW - colA, loFont);
    lolist = at.combo("lolist", colA, 4, loW, row.combo, ui::csDropDownList);
    lolist->setFontName(loFont);
    // The file's name and path over the whole width.
    const int nameTop = 4 + row.combo + 2;
    const int viewY = nameTop + row.label + 4;

    // Readouts in two rows under everything: a click's report over the whole width.
    const int r2 = formH - 6 - row.label, r1 = r2 - 2 - row.label;
    const int bottom = r1 - 4; // where the lists and the view end

    // Object files.
    ui::Stack a(viewY);
    locfile =
        at.check("locfile", "Manual chosen file loaded", colA, a.next(row.check), colAW, row.check);
    customload = at.button("customload", "Choose lo file manually", colA, a.next(row.button), colAW,
                           row.button);
    lopickLab =
        at.label("lopickLab", "Double click to load", colA, a.next(row.label), colAW, row.label);
    // The file list gives up height where the fonts are tall.
    const int below = 4 * (row.button + 2) + 2 * (row.label + 2) + 4 * (row.check + 2) +
                      2 * (std::max(row.button, row.edit) + 2) + (row.label + 2);
    const int lopickH = std::clamp(bottom - a.y() - below - 2, 60, 150);
    lopick = at.list("lopick", colA, a.next(lopickH), colAW, lopickH);
    savelo = at.button("savelo", "Save LO object", colA, a.next(row.button), colAW, row.button);
    savelotxt =
        at.button("savelotxt", " save LO to txt", colA, a.next(row.button), colAW, row.button);
    loadcustgfx =
        at.button("loadcustgfx", "Load custom gfx", colA, a.next(row.button), colAW, row.button);
    canceledit =
        at.button("canceledit", "Cancel edit", colA, a.next(row.button), colAW, row.button);
    editOnOff = at.label("editOnOff", "edit Off", colA, a.next(row.label), colAW, row.label);

    // View options.
    StaticText1 = at.staticText("StaticText1", "Manual LM rota 4 obj", colA, a.next(row.label),
                                colAW, row.label);
    manrotlm =
        at.check("manrotlm", "Manual rotate LM", colA, a.next(row.check), colAW, row.check, true);
    rotlm = at.check("rotlm", "Rotate x,y loc of obj  with LM rota", colA, a.next(row.check), colAW,
                     row.check, true);
    follow = at.check("follow", "Follow active object", colA, a.next(row.check), colAW, row.check);
    showpics = at.check("showpics", "Show Icons", colA, a.next(row.check), colAW, row.check);
    const int pairH = std::max(row.button, row.edit);
    const int centreRow = a.next(pairH);
    gocenter = at.button("gocenter", "Center", colA, centreRow, halfA, row.button);
    cvasz = at.edit("cvasz", "5000", colA + halfA + 6, centreRow, halfA, row.edit);
    cvasz->setTextHint("canvas size");
    const int bitRow = a.next(pairH);
    BitBtn1 = at.button("BitBtn1", "BitBtn1", colA, bitRow, halfA, row.button);
    percbmp = at.label("percbmp", "perc", colA + halfA + 6, bitRow + (pairH - row.label) / 2, halfA,
                       row.label);
    ftxy = at.label("ftxy", "ftxy", colA, a.next(row.label), colAW, row.label);
    const int hiddenRow = a.y();
    rotobj = at.check("rotobj", "Rotate obj ITSELF with LO rotation", colA, hiddenRow, colAW,
                      row.check, true);
    hack90180 = at.check("hack90180", "hack90-180-270", colA, hiddenRow, halfA, row.check, true);
    debug1only =
        at.check("debug1only", "1 obj only", colA + halfA + 6, hiddenRow, halfA, row.check);
    turn90 =
        at.check("turn90", "turn obj 90 extra", colA, hiddenRow + row.check + 2, colAW, row.check);
    xyinfo = at.place<ui::TMemo>("xyinfo", colA, hiddenRow, colAW, 44);
    for (ui::TControl* c :
         std::initializer_list<ui::TControl*>{rotobj, hack90180, debug1only, turn90, xyinfo})
        c->setVisible(false);

    // Object lists, work list and the catalogue of objects to add, as wide as
    // the lines the two lists start with (the object list's in a fixed-pitch
    // font).
    const char* const objFont = "Courier 10 Pitch";
    const int listW = std::max(
        ui::widthFor(ui::TextBox::list, {"objlist = connected to lolist,\n  lotab = data"}, colBW,
                     objFont),
        ui::widthFor(ui::TextBox::list,
                     {"lowork is  associated \nlomove is used for\n paste and move jobs\n"}));
    ui::Stack b(viewY);
    const int objH = 260, workH = std::max(120, 4 * (row.label + 6));
    objlist = at.list("objlist", colB, b.next(objH), listW, objH,
                      {"objlist = connected to lolist,", "  lotab = data"}, true);
    objlist->setFontName(objFont);
    loworklist =
        at.list("loworklist", colB, b.next(workH), listW, workH,
                {"lowork is  associated ", "lomove is used for", " paste and move jobs", ""}, true);
    loworklist->setItemIndex(0);
    loworklist->setHint("collect objects of the loaded file here, save them as a dat file of "
                        "their own, load that with \"Choose lo file manually\" and adapt it");
    lobjectsLab = at.label("lobjectsLab", "Change existing object or Add objects to center", colB,
                           b.next(row.label), listW, row.label);
    lobjects = at.list("lobjects", colB, b.y(), listW, bottom - b.y());
    lobjects->setAnchors(true, true, false, true);

    // Track bars: magnification, box size, icon size, object rotation.
    const int c = colB + listW + 6; // the column of view controls
    const int barW = 34, barH = 256;
    magzoom = at.vtrack("magzoom", c, viewY, barW, barH, 1, 400, 65, false);
    magzoom->setPageSize(1);
    magzoom->setHint("ctrl + wheel also zooms");
    objcor = at.vtrack("objcor", c + 36, viewY, barW, barH, -150, 150, -51, true);
    objcor->setHint("enlarge / shrink the boxes. true size = -51");
    imgsz = at.vtrack("imgsz", c + 72, viewY, barW, barH, 8, 64, 20, true);
    imgsz->setHint("Icon size");
    rotaobj = at.vtrack("rotaobj", c + 108, viewY, barW, barH, 0, 360, 0, false);
    rotaobj->setEnabled(false);
    ui::Stack cc(viewY + barH + 4);
    const int cW = 4 * 36 - 2;
    magnifact = at.staticText("magnifact", "magnifact", c, cc.next(row.label),
                              ui::widthFor(ui::TextBox::label, {longestMagnify}, cW), row.label);
    magxyLab = at.label("magxyLab", "draw/nodraw", c, cc.next(row.label), cW, row.label);
    const char* const degrees = "0\n45\n90\n135\n180\n225\n270\n315\n360";
    const ui::TPoint rot = ui::neededSize(ui::TextBox::list, degrees);
    const int rotTop = cc.next(0);
    rotdbg = at.list("rotdbg", c, rotTop, std::max(70, rot.X), std::max(236, rot.Y),
                     {"0", "45", "90", "135", "180", "225", "270", "315", "360"});
    rotdbg->setItemIndex(6);
    rotdbg->setHint("270 puts north at the top of the page");
    const int northX = c + rotdbg->Width() + 6;
    const int northH = ui::neededSize(ui::TextBox::label, "^\n|\nN").Y;
    northlab = at.label("northlab", "^\n|\nN", northX, rotTop, 60, std::max(54, northH));
    const int imageTop = rotTop + northlab->Height() + 20;
    bgratest = at.place<ui::TImage>("bgratest", northX, imageTop, 64, 64);
    loimgbup = at.place<ui::TImage>("loimgbup", northX, imageTop, 64, 64);
    loimgbup->setVisible(false);

    // The view takes the room that is left.
    const int viewL = std::max(viewX, std::max(northX + 64, c + 4 * 36) + 6);
    ui::FormBuilder stretching(*this, {true, true, true, true});
    LMname = ui::FormBuilder(*this, {true, true, true, false})
                 .label("LMname", "LMname", colA, nameTop, formW - 2 * colA, row.label);
    loscroll = stretching.place<ui::TPaintedScrollBox>("loscroll", viewL, viewY, formW - viewL - 4,
                                                       bottom - viewY);
    loimg = add<ui::TRecordImage>("loimg", loscroll, 0, 0, 5000, 5000);
    loscroll->HorzScrollBar().setIncrement(124);
    loscroll->VertScrollBar().setIncrement(92);

    // Readouts: a click's report over the whole width, then the pointer, the
    // drawing's count, the scroll position and the image's size side by side.
    ui::FormBuilder under(*this, {true, false, false, true});
    mdowninfo = under.label("mdowninfo", "mdowninfo", colA, r1, formW - 2 * colA, row.label);
    int x = colA;
    auto readout = [&](const char* name, const char* caption, const char* longest) {
        const int w = ui::widthFor(ui::TextBox::label, {caption, longest});
        auto* l = under.label(name, caption, x, r2, w, row.label);
        x += w + 12;
        return l;
    };
    xyview = readout("xyview", "xyview", longestXYView);
    amagxylab = readout("amagxylab", "amagxylab", longestCount);
    scbarLab = readout("scbarLab", "SCbar pos", longestScroll);
    Label1 = readout("Label1", "View parameters", longestLabel1);

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
