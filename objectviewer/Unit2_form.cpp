// The viewer's form description as tables: a row for every component with
// its place, caption and initial state, and the pop-up menus; the events are
// wired in Unit2_events.cpp. Two columns of lists and buttons and a column of
// view controls keep their place at the left; the view takes the rest and
// grows with the window. Heights and the widths text needs come from the
// fonts GTK draws with.
#include "objectviewer/Unit2.h"
#include "objectviewer/lolines.h"
#include "ui/formbuild.h"

namespace vx {

namespace {
constexpr int formW = 1340, formH = 690;
constexpr int colA = 4, colAW = 256;   // object files, saving, view options
constexpr int colB = 266, colBW = 336; // object lists, work list, catalogue
constexpr int viewX = 758;
constexpr int halfA = (colAW - 6) / 2;

// The longest texts the handlers write into the readouts.
const char* const longestXYView = "x: 29999 y:29999 Ft: x -99999 Ft: y -99999 ";
const char* const longestCount = "draw 1024 total 1024 100.00 %";
const char* const longestScroll = "SCbar pos x: 29999 y: 29999";
const char* const longestLabel1 = "30000 30000";
const char* const longestMagnify = " 2000.0 % ";
} // namespace

std::vector<ui::ComponentRow> Tloview::componentRows() {
    using ui::Kind;
    const ui::RowHeights row = ui::measuredRows();
    // The object file's lines in a fixed-pitch font: the padded columns line up.
    const char* const loFont = "Courier New Bold";
    const int loW =
        ui::widthFor(ui::TextBox::combo, {widestLolistLine()}, colB + colBW - colA, loFont);
    // The file's name and path over the whole width, under the file's lines.
    const int nameTop = 4 + row.combo + 2;
    const int viewY = nameTop + row.label + 4;
    // Readouts in two rows under everything: a click's report over the whole width.
    const int r2 = formH - 6 - row.label, r1 = r2 - 2 - row.label;
    const int bottom = r1 - 4; // where the lists and the view end

    // Object files, saving and view options down the first column; the file
    // list gives up height where the fonts are tall.
    ui::Stack a(viewY);
    const int locfileY = a.next(row.check), customY = a.next(row.button);
    const int pickLabY = a.next(row.label);
    const int pairH = std::max(row.button, row.edit);
    const int below = 4 * (row.button + 2) + 2 * (row.label + 2) + 4 * (row.check + 2) +
                      2 * (pairH + 2) + (row.label + 2);
    const int pickH = std::clamp(bottom - a.y() - below - 2, 60, 150);
    const int pickY = a.next(pickH);
    const int saveY = a.next(row.button), txtY = a.next(row.button), gfxY = a.next(row.button);
    const int cancelY = a.next(row.button), editY = a.next(row.label);
    const int staticY = a.next(row.label), manrotY = a.next(row.check), rotlmY = a.next(row.check);
    const int followY = a.next(row.check), picsY = a.next(row.check);
    const int centreY = a.next(pairH), bitY = a.next(pairH), ftxyY = a.next(row.label);
    const int hiddenY = a.y();

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
    const int objY = b.next(objH), workY = b.next(workH), catLabY = b.next(row.label);
    const int catY = b.y();

    // Track bars, then the magnification, the rotation list and north.
    const int c = colB + listW + 6;
    const int barW = 34, barH = 256, cW = 4 * 36 - 2;
    ui::Stack cc(viewY + barH + 4);
    const int magY = cc.next(row.label), drawY = cc.next(row.label), rotY = cc.y();
    const ui::TPoint rot =
        ui::neededSize(ui::TextBox::list, "0\n45\n90\n135\n180\n225\n270\n315\n360");
    const int rotW = std::max(70, rot.X), northX = c + rotW + 6;
    const int northH = std::max(54, ui::neededSize(ui::TextBox::label, "^\n|\nN").Y);
    const int imageY = rotY + northH + 20;
    // The view takes the room that is left.
    const int viewL = std::max(viewX, std::max(northX + 64, c + 4 * 36) + 6);

    // Readouts: a click's report over the whole width, then the pointer, the
    // drawing's count, the scroll position and the image's size side by side.
    auto fit = [](const char* caption, const char* longest) {
        return ui::widthFor(ui::TextBox::label, {caption, longest});
    };
    const int xyW = fit("xyview", longestXYView), countW = fit("amagxylab", longestCount);
    const int scrollW = fit("SCbar pos", longestScroll);
    const int paramsW = fit("View parameters", longestLabel1);
    const int countX = colA + xyW + 12, scrollX = countX + countW + 12;
    const int paramsX = scrollX + scrollW + 12;

    const ui::Anchors under{true, false, false, true}, stretching{true, true, true, true};
    const int fullW = formW - 2 * colA;
    return {
        {.kind = Kind::combo,
         .name = "lolist",
         .place = {colA, 4, loW, row.combo},
         .font = loFont,
         .fills = ui::into(lolist)},
        {.kind = Kind::check,
         .name = "locfile",
         .place = {colA, locfileY, colAW, row.check},
         .text = "Manual chosen file loaded",
         .fills = ui::into(locfile)},
        {.kind = Kind::button,
         .name = "customload",
         .place = {colA, customY, colAW, row.button},
         .text = "Choose lo file manually",
         .fills = ui::into(customload)},
        {.kind = Kind::label,
         .name = "lopickLab",
         .place = {colA, pickLabY, colAW, row.label},
         .text = "Double click to load",
         .fills = ui::into(lopickLab)},
        {.kind = Kind::list,
         .name = "lopick",
         .place = {colA, pickY, colAW, pickH},
         .fills = ui::into(lopick)},
        {.kind = Kind::button,
         .name = "savelo",
         .place = {colA, saveY, colAW, row.button},
         .text = "Save LO object",
         .fills = ui::into(savelo)},
        {.kind = Kind::button,
         .name = "savelotxt",
         .place = {colA, txtY, colAW, row.button},
         .text = " save LO to txt",
         .fills = ui::into(savelotxt)},
        {.kind = Kind::button,
         .name = "loadcustgfx",
         .place = {colA, gfxY, colAW, row.button},
         .text = "Load custom gfx",
         .fills = ui::into(loadcustgfx)},
        {.kind = Kind::button,
         .name = "canceledit",
         .place = {colA, cancelY, colAW, row.button},
         .text = "Cancel edit",
         .fills = ui::into(canceledit)},
        {.kind = Kind::label,
         .name = "editOnOff",
         .place = {colA, editY, colAW, row.label},
         .text = "edit Off",
         .fills = ui::into(editOnOff)},
        {.kind = Kind::staticText,
         .name = "StaticText1",
         .place = {colA, staticY, colAW, row.label},
         .text = "Manual LM rota 4 obj",
         .fills = ui::into(StaticText1)},
        {.kind = Kind::check,
         .name = "manrotlm",
         .place = {colA, manrotY, colAW, row.check},
         .text = "Manual rotate LM",
         .checked = true,
         .fills = ui::into(manrotlm)},
        {.kind = Kind::check,
         .name = "rotlm",
         .place = {colA, rotlmY, colAW, row.check},
         .text = "Rotate x,y loc of obj  with LM rota",
         .checked = true,
         .fills = ui::into(rotlm)},
        {.kind = Kind::check,
         .name = "follow",
         .place = {colA, followY, colAW, row.check},
         .text = "Follow active object",
         .fills = ui::into(follow)},
        {.kind = Kind::check,
         .name = "showpics",
         .place = {colA, picsY, colAW, row.check},
         .text = "Show Icons",
         .fills = ui::into(showpics)},
        {.kind = Kind::button,
         .name = "gocenter",
         .place = {colA, centreY, halfA, row.button},
         .text = "Center",
         .fills = ui::into(gocenter)},
        {.kind = Kind::edit,
         .name = "cvasz",
         .place = {colA + halfA + 6, centreY, halfA, row.edit},
         .text = "5000",
         .fills = ui::into(cvasz)},
        {.kind = Kind::button,
         .name = "BitBtn1",
         .place = {colA, bitY, halfA, row.button},
         .text = "BitBtn1",
         .fills = ui::into(BitBtn1)},
        {.kind = Kind::label,
         .name = "percbmp",
         .place = {colA + halfA + 6, bitY + (pairH - row.label) / 2, halfA, row.label},
         .text = "perc",
         .fills = ui::into(percbmp)},
        {.kind = Kind::label,
         .name = "ftxy",
         .place = {colA, ftxyY, colAW, row.label},
         .text = "ftxy",
         .fills = ui::into(ftxy)},
        // Hidden options of the stored form.
        {.kind = Kind::check,
         .name = "rotobj",
         .place = {colA, hiddenY, colAW, row.check},
         .text = "Rotate obj ITSELF with LO rotation",
         .checked = true,
         .visible = false,
         .fills = ui::into(rotobj)},
        {.kind = Kind::check,
         .name = "hack90180",
         .place = {colA, hiddenY, halfA, row.check},
         .text = "hack90-180-270",
         .checked = true,
         .visible = false,
         .fills = ui::into(hack90180)},
        {.kind = Kind::check,
         .name = "debug1only",
         .place = {colA + halfA + 6, hiddenY, halfA, row.check},
         .text = "1 obj only",
         .visible = false,
         .fills = ui::into(debug1only)},
        {.kind = Kind::check,
         .name = "turn90",
         .place = {colA, hiddenY + row.check + 2, colAW, row.check},
         .text = "turn obj 90 extra",
         .visible = false,
         .fills = ui::into(turn90)},
        {.kind = Kind::memo,
         .name = "xyinfo",
         .place = {colA, hiddenY, colAW, 44},
         .visible = false,
         .fills = ui::into(xyinfo)},

        {.kind = Kind::list,
         .name = "objlist",
         .place = {colB, objY, listW, objH},
         .items = {"objlist = connected to lolist,", "  lotab = data"},
         .multiSelect = true,
         .font = objFont,
         .fills = ui::into(objlist)},
        {.kind = Kind::list,
         .name = "loworklist",
         .place = {colB, workY, listW, workH},
         .items = {"lowork is  associated ", "lomove is used for", " paste and move jobs", ""},
         .itemIndex = 0,
         .multiSelect = true,
         .hint = "collect objects of the loaded file here, save them as a dat file of their "
                 "own, load that with \"Choose lo file manually\" and adapt it",
         .fills = ui::into(loworklist)},
        {.kind = Kind::label,
         .name = "lobjectsLab",
         .place = {colB, catLabY, listW, row.label},
         .text = "Change existing object or Add objects to center",
         .fills = ui::into(lobjectsLab)},
        {.kind = Kind::list,
         .name = "lobjects",
         .place = {colB, catY, listW, bottom - catY},
         .anchors = {true, true, false, true},
         .fills = ui::into(lobjects)},

        {.kind = Kind::vtrack,
         .name = "magzoom",
         .place = {c, viewY, barW, barH},
         .hint = "ctrl + wheel also zooms",
         .range = {1, 400, 65, false},
         .fills = ui::into(magzoom)},
        {.kind = Kind::vtrack,
         .name = "objcor",
         .place = {c + 36, viewY, barW, barH},
         .hint = "enlarge / shrink the boxes. true size = -51",
         .range = {-150, 150, -51, true},
         .fills = ui::into(objcor)},
        {.kind = Kind::vtrack,
         .name = "imgsz",
         .place = {c + 72, viewY, barW, barH},
         .hint = "Icon size",
         .range = {8, 64, 20, true},
         .fills = ui::into(imgsz)},
        {.kind = Kind::vtrack,
         .name = "rotaobj",
         .place = {c + 108, viewY, barW, barH},
         .enabled = false,
         .range = {0, 360, 0, false},
         .fills = ui::into(rotaobj)},
        {.kind = Kind::staticText,
         .name = "magnifact",
         .place = {c, magY, ui::widthFor(ui::TextBox::label, {longestMagnify}, cW), row.label},
         .text = "magnifact",
         .fills = ui::into(magnifact)},
        {.kind = Kind::label,
         .name = "magxyLab",
         .place = {c, drawY, cW, row.label},
         .text = "draw/nodraw",
         .fills = ui::into(magxyLab)},
        {.kind = Kind::list,
         .name = "rotdbg",
         .place = {c, rotY, rotW, std::max(236, rot.Y)},
         .items = {"0", "45", "90", "135", "180", "225", "270", "315", "360"},
         .itemIndex = 6,
         .hint = "270 puts north at the top of the page",
         .fills = ui::into(rotdbg)},
        {.kind = Kind::label,
         .name = "northlab",
         .place = {northX, rotY, 60, northH},
         .text = "^\n|\nN",
         .fills = ui::into(northlab)},
        {.kind = Kind::image,
         .name = "bgratest",
         .place = {northX, imageY, 64, 64},
         .fills = ui::into(bgratest)},
        {.kind = Kind::image,
         .name = "loimgbup",
         .place = {northX, imageY, 64, 64},
         .visible = false,
         .fills = ui::into(loimgbup)},

        {.kind = Kind::label,
         .name = "LMname",
         .place = {colA, nameTop, fullW, row.label},
         .anchors = {true, true, true, false},
         .text = "LMname",
         .fills = ui::into(LMname)},
        {.kind = Kind::paintedScrollBox,
         .name = "loscroll",
         .place = {viewL, viewY, formW - viewL - 4, bottom - viewY},
         .anchors = stretching,
         .fills = ui::into(loscroll)},
        {.kind = Kind::recordImage,
         .name = "loimg",
         .place = {0, 0, 5000, 5000},
         .parent = "loscroll",
         .fills = ui::into(loimg)},

        {.kind = Kind::label,
         .name = "mdowninfo",
         .place = {colA, r1, fullW, row.label},
         .anchors = under,
         .text = "mdowninfo",
         .fills = ui::into(mdowninfo)},
        {.kind = Kind::label,
         .name = "xyview",
         .place = {colA, r2, xyW, row.label},
         .anchors = under,
         .text = "xyview",
         .fills = ui::into(xyview)},
        {.kind = Kind::label,
         .name = "amagxylab",
         .place = {countX, r2, countW, row.label},
         .anchors = under,
         .text = "amagxylab",
         .fills = ui::into(amagxylab)},
        {.kind = Kind::label,
         .name = "scbarLab",
         .place = {scrollX, r2, scrollW, row.label},
         .anchors = under,
         .text = "SCbar pos",
         .fills = ui::into(scbarLab)},
        {.kind = Kind::label,
         .name = "Label1",
         .place = {paramsX, r2, paramsW, row.label},
         .anchors = under,
         .text = "View parameters",
         .fills = ui::into(Label1)},
    };
}

std::vector<ui::MenuRow> Tloview::menuRows() {
    using ui::intoItem;
    return {
        {"objlistmen",
         "objlist",
         {{"saveobjs", "Save objects to lofile", {}, intoItem(saveobjs)},
          {"cpobjs", "Copy objects => worklist", {}, intoItem(cpobjs)},
          {"paste2landmark", "Paste 2 landmark", {}, intoItem(paste2landmark)},
          {"mvselected", "move selected", {}, intoItem(mvselected)}},
         intoItem(objlistmen)},
        {"workmen",
         "loworklist",
         {{"cpsel", "cp selected", "adds more", intoItem(cpsel)},
          {"delsel", "Del selected", {}, intoItem(delsel)},
          {"savedat", "Save to dat file.", {}, intoItem(savedat)},
          {"add2lndmrk", "Add 2 landmark", {}, intoItem(add2lndmrk)}},
         intoItem(workmen)},
        {"editmen",
         "loimg",
         {{"chgobj", "Start moving 1 object (shift key + mouse)", {}, intoItem(chgobj)},
          {"stopedit", "Stop moving 1 object", {}, intoItem(stopedit)},
          {"mvcancel", "Cancel move selected", {}, intoItem(mvcancel)},
          {"hideobj", "Hide obj in game", {}, intoItem(hideobj)},
          {"allowrotobj", "Allow rotation", {}, intoItem(allowrotobj)},
          {"keepcenter", "Keep cur obj centered", {}, intoItem(keepcenter)},
          {"cp2worklist", "Copy object to worklist", {}, intoItem(cp2worklist)},
          {"mvmany", "Copy + Move  selected on worklist. hold alt+mouse", {}, intoItem(mvmany)},
          {"mvmanyconfirm", "Confirm move (worklist)", {}, intoItem(mvmanyconfirm)},
          {"mvmanycancel", "Cancel move (worklist)", {}, intoItem(mvmanycancel)}},
         intoItem(editmen)},
        {"mngobj",
         "lobjects",
         {{"Addobj", "Add object", {}, intoItem(Addobj)},
          {"chgobjtype", "Change object type", {}, intoItem(chgobjtype)}},
         intoItem(mngobj)},
    };
}

void Tloview::createComponents() {
    setCaption("loview");
    setBounds(20, 20, formW, formH);
    ui::buildComponents(*this, componentRows());
    // What the rows have no column for.
    cvasz->setTextHint("canvas size");
    magzoom->setPageSize(1);
    loscroll->HorzScrollBar().setIncrement(124);
    loscroll->VertScrollBar().setIncrement(92);
    ui::buildMenus(*this, menuRows());

    openalo = add<ui::TOpenDialog>("openalo");
    savelodat = add<ui::TSaveDialog>("savelodat");
    savelodat->setTitle("Save LO02xxxx.dat file as");
    savelodat->setDefaultExt(".dat");
    savelototext = add<ui::TSaveDialog>("savelototext");

    wireEvents();
}

} // namespace vx
