// The main window's form description as tables: a row for every component
// with its place, caption and initial state, and the pop-up menus; the events
// are wired in Unit1_events.cpp. Laid out for a 1366 x 768 screen: the map fills the left
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

std::vector<ui::ComponentRow> TForm1::componentRows() {
    using ui::Kind;
    const ui::RowHeights row = ui::measuredRows();
    const int pairH = std::max(row.label, row.edit);
    auto labelled = [&](int rowH) { return (rowH - row.label) / 2; }; // a label beside a box
    auto boxH = [&](ui::TComboBoxStyle s) {
        return s == ui::csDropDown ? row.entryCombo : row.combo;
    };
    auto fit = [](std::initializer_list<std::string> texts) {
        return ui::widthFor(ui::TextBox::label, texts);
    };

    // The memo at the bottom of the panel, eight lines high.
    const ui::TPoint record = ui::neededSize(ui::TextBox::memo, widestRecord(), "Courier New");
    const int memoH = std::max(154, record.Y);
    const int memoTop = formH - 6 - memoH;

    // The map, and the pointer readouts under it in two rows, each readout as
    // wide as its longest text.
    const int s2 = formH - 6 - row.label, s1 = s2 - 4 - row.label;
    const int xyW = fit({"XY(x,y)", longestXY}), tedW = fit({"Ted  XY (LvL3):", longestTed});
    const int latW = fit({"Long/Latt", longestLatLon}), distW = fit({"distinm1", longestDist});
    const int abW = fit({"ftAtoB"}), rxyW = fit({"Rx Y", longestRxY});
    const int sbxW = fit({"range hor:", longestSBx});
    const int tedX = 6 + xyW + 2 * gap, latX = tedX + tedW + 2 * gap;
    const int abX = 6 + distW + 2 * gap, rxyX = abX + abW + 2 * gap, sbxX = rxyX + rxyW + 2 * gap;

    // Left column: map, mode, template folder, the landmark list; under it the
    // text export, kept to the bottom.
    ui::Stack left(4);
    const int mapRow = left.next(row.entryCombo), indexRow = left.next(row.label);
    const int templateRow = left.next(row.entryCombo), loadRow = left.next(row.button);
    const int listTop = left.y();
    const int readouts = 3 * row.label, sizes = memoTop - 2 - readouts;
    const int e = sizes - 4 - 4 * row.check - 2 - row.button; // top of the text export
    const int c1 = ui::widthFor(ui::TextBox::check,
                                {"inc_recnr", "mark_hidden", "inc_LM_name", "Allied_or_German"},
                                148),
              c2 = colA + c1, checkTop = e + row.button + 2;
    auto checkRow = [&](int r) { return checkTop + r * row.check; };
    // The size readouts run over both columns, under the copy list; the zoom
    // bar's position, or what its wheel did, beside the zoom.
    const int readoutW =
        ui::widthFor(ui::TextBox::label, {longestWxH, longestZoom, longestSBy}, both);
    const int zoomW2 = fit({"Zoom:", longestZoom}), factL = colA + zoomW2 + 2 * gap;
    const int factW = std::max(readoutW - (factL - colA), fit({longestZoomFact}));

    // Right column: the edit panel, then the file and view buttons.
    ui::Stack right(4);
    const int editRow = right.next(row.button);
    // The edit button reads "Commit changes" while a landmark is edited.
    const int edW = ui::widthFor(ui::TextBox::button, {"Edit Landmark", "Commit changes"}, half);
    const int typeRow = right.next(row.combo), lodatRow = right.next(row.label);
    const int lodatW = ui::widthFor(ui::TextBox::label, {"Lo02xxxx.dat"}, 104);
    // The side is one of two short names; the object file box takes the rest.
    const int sideRow = right.next(row.combo);
    const int sideW = ui::widthFor(ui::TextBox::combo, {"Central", "Entente"}, 90);
    const int nameRow = right.next(row.edit);
    const int captionW =
        ui::widthFor(ui::TextBox::label, {"Elevation (in ft)", "Rotation (in deg)"}, 120);
    const int rotaH = std::max(row.label, row.entryCombo);
    const int elevRow = right.next(pairH), rotaRow = right.next(rotaH);
    const int coordL = ui::widthFor(ui::TextBox::label, {"E<=>W", "N<=>S"}, 60);
    const int eastRow = right.next(pairH), northRow = right.next(pairH);
    right.next(2);
    const int addH = std::max(row.button, row.check), addRow = right.next(addH);
    const int remRow = right.next(row.button), saveRow = right.next(row.button);
    const int viewRow = right.next(row.button), copyTop = right.y();

    const ui::Anchors panel{false, true, true, false}, growing{false, true, true, true};
    const ui::Anchors low{false, false, true, true}, underMap{true, false, false, true};
    return {
        {.kind = Kind::scrollBox,
         .name = "ScrollBox1",
         .place = {4, 4, zoomL - 8, s1 - 8},
         .anchors = {true, true, true, true},
         .fills = ui::into(ScrollBox1)},
        {.kind = Kind::image,
         .name = "Image1",
         .place = {0, 0, 1345, 888},
         .parent = "ScrollBox1",
         .fills = ui::into(Image1)},
        {.kind = Kind::label,
         .name = "XY_xy",
         .place = {6, s1, xyW, row.label},
         .anchors = underMap,
         .text = "XY(x,y)",
         .fills = ui::into(XY_xy)},
        {.kind = Kind::label,
         .name = "tedxylab",
         .place = {tedX, s1, tedW, row.label},
         .anchors = underMap,
         .text = "Ted  XY (LvL3):",
         .fills = ui::into(tedxylab)},
        {.kind = Kind::label,
         .name = "lolat",
         .place = {latX, s1, latW, row.label},
         .anchors = underMap,
         .text = "Long/Latt",
         .fills = ui::into(lolat)},
        {.kind = Kind::label,
         .name = "distinm1",
         .place = {6, s2, distW, row.label},
         .anchors = underMap,
         .text = "distinm1",
         .fills = ui::into(distinm1)},
        {.kind = Kind::label,
         .name = "ftAtoB",
         .place = {abX, s2, abW, row.label},
         .anchors = underMap,
         .text = "ftAtoB",
         .fills = ui::into(ftAtoB)},
        {.kind = Kind::label,
         .name = "RxYLabel",
         .place = {rxyX, s2, rxyW, row.label},
         .anchors = underMap,
         .text = "Rx Y",
         .fills = ui::into(RxYLabel)},
        {.kind = Kind::label,
         .name = "sbarXlabel",
         .place = {sbxX, s2, sbxW, row.label},
         .anchors = underMap,
         .text = "range hor:",
         .fills = ui::into(sbarXlabel)},

        // Zoom bar between the map and the panel.
        {.kind = Kind::label,
         .name = "zoomio",
         .place = {zoomL, 4, zoomW, row.label},
         .anchors = panel,
         .text = "Zoom +/-",
         .fills = ui::into(zoomio)},
        {.kind = Kind::vtrack,
         .name = "zoombar",
         .place = {zoomL + (zoomW - 40) / 2, 8 + row.label, 40, 330},
         .anchors = growing,
         .hint = "Zoom in and out",
         .range = {1345, 8000, 4000, true},
         .fills = ui::into(zoombar)},

        {.kind = Kind::combo,
         .name = "mapchoice",
         .place = {colA, mapRow, half + 20, boxH(ui::csDropDown)},
         .anchors = panel,
         .style = ui::csDropDown,
         .fills = ui::into(mapchoice)},
        {.kind = Kind::combo,
         .name = "mlfORmbf",
         .place = {colA + half + 26, mapRow, half - 20, boxH(ui::csDropDown)},
         .anchors = panel,
         .items = {".mlf", ".mbf"},
         .style = ui::csDropDown,
         .hint = "choose mLf (landmarks) or mBf ( brigades)",
         .fills = ui::into(mlfORmbf)},
        {.kind = Kind::label,
         .name = "mapchoiceitemindex",
         .place = {colA, indexRow, colW, row.label},
         .anchors = panel,
         .text = "mapchoice itemindex",
         .fills = ui::into(mapchoiceitemindex)},
        {.kind = Kind::combo,
         .name = "LMtemplate",
         .place = {colA, templateRow, colW, boxH(ui::csDropDown)},
         .anchors = panel,
         .style = ui::csDropDown,
         .fills = ui::into(LMtemplate)},
        {.kind = Kind::button,
         .name = "loadpic",
         .place = {colA, loadRow, colW, row.button},
         .anchors = panel,
         .text = "Load this map",
         .fills = ui::into(loadpic)},
        {.kind = Kind::list,
         .name = "lmpicklist",
         .place = {colA, listTop, colW, e - 4 - listTop},
         .anchors = growing,
         .multiSelect = true,
         .hint = "rightclick to work on *current* selected objects (=marked blue..)",
         .fills = ui::into(lmpicklist)},

        // Text export, kept to the bottom.
        {.kind = Kind::button,
         .name = "savelminfo",
         .place = {colA, e, colW, row.button},
         .anchors = low,
         .text = "Save LM info to text file",
         .fills = ui::into(savelminfo)},
        {.kind = Kind::check,
         .name = "inc_recnr",
         .place = {colA, checkRow(0), c1, row.check},
         .anchors = low,
         .text = "inc_recnr",
         .fills = ui::into(inc_recnr)},
        {.kind = Kind::check,
         .name = "inc_lo",
         .place = {c2, checkRow(0), colW - c1, row.check},
         .anchors = low,
         .text = "inc_lo",
         .fills = ui::into(inc_lo)},
        {.kind = Kind::check,
         .name = "inc_hidden",
         .place = {colA, checkRow(1), c1, row.check},
         .anchors = low,
         .text = "mark_hidden",
         .fills = ui::into(inc_hidden)},
        {.kind = Kind::check,
         .name = "inc_coords",
         .place = {c2, checkRow(1), colW - c1, row.check},
         .anchors = low,
         .text = "inc_coords",
         .fills = ui::into(inc_coords)},
        {.kind = Kind::check,
         .name = "inc_LM_name",
         .place = {colA, checkRow(2), c1, row.check},
         .anchors = low,
         .text = "inc_LM_name",
         .fills = ui::into(inc_LM_name)},
        {.kind = Kind::check,
         .name = "csv",
         .place = {c2, checkRow(2), colW - c1, row.check},
         .anchors = low,
         .text = "csv file",
         .fills = ui::into(csv)},
        {.kind = Kind::check,
         .name = "allORger",
         .place = {colA, checkRow(3), c1, row.check},
         .anchors = low,
         .text = "Allied_or_German",
         .fills = ui::into(allORger)},
        {.kind = Kind::check,
         .name = "inc_actonly",
         .place = {c2, checkRow(3), colW - c1, row.check},
         .anchors = low,
         .text = "inc_actonly",
         .fills = ui::into(inc_actonly)},

        {.kind = Kind::label,
         .name = "WxHLabel",
         .place = {colA, sizes, readoutW, row.label},
         .anchors = low,
         .text = "WxH:",
         .fills = ui::into(WxHLabel)},
        {.kind = Kind::label,
         .name = "zoomlabel",
         .place = {colA, sizes + row.label, zoomW2, row.label},
         .anchors = low,
         .text = "Zoom:",
         .fills = ui::into(zoomlabel)},
        {.kind = Kind::label,
         .name = "SbarYlabel",
         .place = {colA, sizes + 2 * row.label, readoutW, row.label},
         .anchors = low,
         .text = "range Ver",
         .fills = ui::into(SbarYlabel)},
        {.kind = Kind::label,
         .name = "zoomfact",
         .place = {factL, sizes + row.label, factW, row.label},
         .anchors = low,
         .text = "zoomfact",
         .fills = ui::into(zoomfact)},
        {.kind = Kind::memo,
         .name = "LMdata",
         .place = {colA, memoTop, std::max(both, record.X), memoH},
         .anchors = low,
         .text = "LMdata",
         .font = "Courier New",
         .fills = ui::into(LMdata)},
        {.kind = Kind::memo,
         .name = "debugd",
         .place = {colA, memoTop, both, 60},
         .anchors = low,
         .text = "debugd",
         .visible = false,
         .fills = ui::into(debugd)},

        // The edit panel; its boxes wait for "Edit Landmark".
        {.kind = Kind::button,
         .name = "edLM",
         .place = {colB, editRow, edW, row.button},
         .anchors = panel,
         .text = "Edit Landmark",
         .fills = ui::into(edLM)},
        {.kind = Kind::button,
         .name = "undoLM",
         .place = {colB + edW + 6, editRow, colW - edW - 6, row.button},
         .anchors = panel,
         .text = "Undo Changes",
         .enabled = false,
         .fills = ui::into(undoLM)},
        {.kind = Kind::combo,
         .name = "Lotype",
         .place = {colB, typeRow, colW, row.combo},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(Lotype)},
        {.kind = Kind::label,
         .name = "lodatLabel",
         .place = {colB, lodatRow, lodatW, row.label},
         .anchors = panel,
         .text = "Lo02xxxx.dat",
         .fills = ui::into(lodatLabel)},
        {.kind = Kind::label,
         .name = "lofname",
         .place = {colB + lodatW + gap, lodatRow, colW - lodatW - gap, row.label},
         .anchors = panel,
         .text = "lofname",
         .fills = ui::into(lofname)},
        {.kind = Kind::combo,
         .name = "side",
         .place = {colB, sideRow, sideW, row.combo},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(side)},
        {.kind = Kind::combo,
         .name = "Lofile",
         .place = {colB + sideW + gap, sideRow, colW - sideW - gap, row.combo},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(Lofile)},
        {.kind = Kind::edit,
         .name = "lndmrkname",
         .place = {colB, nameRow, colW, row.edit},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(lndmrkname)},
        {.kind = Kind::label,
         .name = "elevaLabel",
         .place = {colB, elevRow + labelled(pairH), captionW, row.label},
         .anchors = panel,
         .text = "Elevation (in ft)",
         .fills = ui::into(elevaLabel)},
        {.kind = Kind::edit,
         .name = "LMElev",
         .place = {colB + captionW + 2, elevRow, colW - captionW - 2, row.edit},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(LMElev)},
        {.kind = Kind::label,
         .name = "rotadeglab",
         .place = {colB, rotaRow + labelled(rotaH), captionW, row.label},
         .anchors = panel,
         .text = "Rotation (in deg)",
         .fills = ui::into(rotadeglab)},
        {.kind = Kind::combo,
         .name = "LMrotation",
         .place = {colB + captionW + 2, rotaRow, colW - captionW - 2, boxH(ui::csDropDown)},
         .anchors = panel,
         .enabled = false,
         .style = ui::csDropDown,
         .fills = ui::into(LMrotation)},
        {.kind = Kind::label,
         .name = "eastlab",
         .place = {colB, eastRow + labelled(pairH), coordL, row.label},
         .anchors = panel,
         .text = "E<=>W",
         .fills = ui::into(eastlab)},
        {.kind = Kind::maskEdit,
         .name = "eastcord",
         .place = {colB + coordL + 2, eastRow, colW - coordL - 2, row.edit},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(eastcord)},
        {.kind = Kind::label,
         .name = "northlab",
         .place = {colB, northRow + labelled(pairH), coordL, row.label},
         .anchors = panel,
         .text = "N<=>S",
         .fills = ui::into(northlab)},
        {.kind = Kind::maskEdit,
         .name = "northcord",
         .place = {colB + coordL + 2, northRow, colW - coordL - 2, row.edit},
         .anchors = panel,
         .enabled = false,
         .fills = ui::into(northcord)},
        {.kind = Kind::button,
         .name = "addLM",
         .place = {colB, addRow, half, row.button},
         .anchors = panel,
         .text = "Add Landmark",
         .fills = ui::into(addLM)},
        {.kind = Kind::check,
         .name = "hilite",
         .place = {colB + half + 6, addRow + (addH - row.check) / 2, half, row.check},
         .anchors = panel,
         .text = "Highlight all",
         .fills = ui::into(hilite)},
        {.kind = Kind::button,
         .name = "remLM",
         .place = {colB, remRow, colW, row.button},
         .anchors = panel,
         .text = "activate / deactivate LM's",
         .fills = ui::into(remLM)},
        {.kind = Kind::button,
         .name = "savelms",
         .place = {colB, saveRow, colW, row.button},
         .anchors = panel,
         .text = "Save to lndmrksX.dat / .mlf",
         .fills = ui::into(savelms)},
        {.kind = Kind::button,
         .name = "showloview",
         .place = {colB, viewRow, half, row.button},
         .anchors = panel,
         .text = "View Lo file",
         .fills = ui::into(showloview)},
        {.kind = Kind::button,
         .name = "remap",
         .place = {colB + half + 6, viewRow, half, row.button},
         .anchors = panel,
         .text = "reload map",
         .fills = ui::into(remap)},
        {.kind = Kind::list,
         .name = "cpyListBox",
         .place = {colB, copyTop, colW, sizes - 4 - copyTop},
         .anchors = growing,
         .items = {"copied items go here...."},
         .itemIndex = 0,
         .multiSelect = true,
         .hint = "rightclick to work with *current* selected objects (=showing blue)\n"
                 "copy objects from the map with rightclick\n"
                 "objects copied with the landmark list are also copied to this list.\n"
                 "this list stays, until you clear it.",
         .fills = ui::into(cpyListBox)},

        // Two buttons of the stored form that remember a record, hidden.
        {.kind = Kind::button,
         .name = "loc_A",
         .place = {colB, 540, 60, row.button},
         .anchors = panel,
         .text = "loc_A",
         .visible = false,
         .fills = ui::into(loc_A)},
        {.kind = Kind::button,
         .name = "loc_B",
         .place = {colB + 64, 540, 60, row.button},
         .anchors = panel,
         .text = "loc B",
         .visible = false,
         .fills = ui::into(loc_B)},
        {.kind = Kind::button,
         .name = "quitapp",
         .place = {zoomL, formH - 6 - row.button, zoomW, row.button},
         .anchors = low,
         .text = "Quit",
         .fills = ui::into(quitapp)},
    };
}

std::vector<ui::MenuRow> TForm1::menuRows() {
    using ui::intoItem;
    return {
        {"zinzout",
         "ScrollBox1",
         {{"SelectlastSearch1", "Select last Search", {}, intoItem(SelectlastSearch1)},
          {"Showselected1", "Focus selected", {}, intoItem(Showselected1)},
          {"RedrawMap1", "Redraw Map", {}, intoItem(RedrawMap1)},
          {"CopyObject1", "Copy Object", {}, intoItem(CopyObject1)},
          {"PasteObject1", "Paste Object", {}, intoItem(PasteObject1)},
          {"PasteObjectasNew1", "Paste Object as New"}},
         intoItem(zinzout)},
        {"lmpickup",
         "lmpicklist",
         {{"cpobjs", "Copy Object(s)", {}, intoItem(cpobjs)},
          {"pstobjsnew", "Paste Object(s) as new", {}, intoItem(pstobjsnew)},
          {"pstobjathere", "Paste Object(s) at selected", {}, intoItem(pstobjathere)},
          {"deactobjs", "De-activate Object(s)", {}, intoItem(deactobjs)},
          {"reactobjs", "Re-activate Object(s)", {}, intoItem(reactobjs)},
          {"blankobjs", "Blank object(s)",
           "This empties the record, but it is not deleted\n"
           "to maintain compatability with standard Tolvane landmarks.",
           intoItem(blankobjs)},
          {"erasobjs", "Delete Object(s) physically !!", {}, intoItem(erasobjs)}},
         intoItem(lmpickup)},
        {"cpylistmenu",
         "cpyListBox",
         {{"Clearlist", "Clear list", {}, intoItem(Clearlist)},
          {"pasteNew", "Paste New", {}, intoItem(pasteNew)},
          {"pasteexists", "Paste to selected", {}, intoItem(pasteexists)},
          {"delobj", "delobj", {}, intoItem(delobj)}},
         intoItem(cpylistmenu)},
    };
}

void TForm1::createComponents() {
    setCaption("Vexton");
    setBounds(0, 0, formW, formH);
    ui::buildComponents(*this, componentRows());
    // What the rows have no column for.
    Image1->setStretch(true);
    Image1->setProportional(true);
    Image1->setCenter(true);
    Image1->setCursor(ui::crCross);
    zoombar->setFrequency(500);
    zoombar->setLineSize(100);
    LMtemplate->setSorted(true);
    lndmrkname->setMaxLength(39);
    for (ui::TMaskEdit* c : {eastcord, northcord}) {
        c->setEditMask("!99.9999999999999999!");
        c->setMaxLength(19);
    }
    ui::buildMenus(*this, menuRows());

    glist = add<ui::TImageList>("glist");
    allist = add<ui::TImageList>("allist");
    dimGlist = add<ui::TImageList>("dimGlist");
    dimAllist = add<ui::TImageList>("dimAllist");
    objico = add<ui::TImageList>("objico");
    objico->setWidth(64);
    objico->setHeight(64);
    getpic = add<ui::TOpenDialog>("getpic");
    saveit = add<ui::TSaveDialog>("saveit");

    wireEvents();
}

} // namespace vx
