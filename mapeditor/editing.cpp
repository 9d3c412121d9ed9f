// Edit mode and the edit panel's setters, "Add Landmark", activation and the
// physical delete. The record changes themselves are in lmedit.cpp.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmedit.h"
#include "mapeditor/lmfile.h"
#include "support/dialogs.h"
#include "support/fileio.h"
#include "support/rtlconv.h"

namespace vx {

namespace {

constexpr const char* commitCaption = "Commit changes";
constexpr const char* selectFirst = "Select Landmark first...";

// A co-ordinate entry's Enter: the longitude (east) or latitude of the
// selected record takes the box's number, or keeps its value when the text
// is not one.
void enterCoordinate(const TForm1& f, const ui::TMaskEdit& box, bool east, char key) {
    const int row = f.lmpicklist->ItemIndex();
    if (key != '\r' || row < 0) return;
    landmark& rec = lmfile.rec(row + 1);
    const float before = east ? rec.lon : rec.lat;
    const auto v = coordinateFromText(box.Text());
    if (!v) ShowMessage("not a number....");
    const float value = v ? *v : before;
    if (east)
        rec.lon = value;
    else
        rec.lat = value;
}

// De- or re-activation of every selected row.
void changeActivation(TForm1& f, void (*change)(Tlm&, const std::vector<int>&)) {
    if (f.lmpicklist->ItemIndex() < 0) {
        ShowMessage(selectFirst);
        return;
    }
    change(lmfile, selectedRows(*f.lmpicklist));
    f.updActBtn();
    f.draw(-1);
}

} // namespace

std::vector<int> selectedRows(const ui::TListBox& list) {
    std::vector<int> rows;
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Selected(i)) rows.push_back(i);
    return rows;
}

void TForm1::setEditMode(bool on) {
    editing = on;
    lmpicklist->setEnabled(!on);
    edLM->setCaption(on ? commitCaption : "Edit Landmark");
    if (!on) editrec = -1;
    for (ui::TControl* c : std::initializer_list<ui::TControl*>{
             undoLM, side, Lotype, Lofile, lndmrkname, LMrotation, LMElev, eastcord, northcord})
        c->setEnabled(on);
}

void TForm1::editLM() {
    if (edLM->Caption() == commitCaption) {
        setEditMode(false);
        fillPickNames();
        return;
    }
    const int row = lmpicklist->ItemIndex();
    if (row < 0) {
        ShowMessage(selectFirst);
        return;
    }
    undobuf = lmfile.rec(row + 1);
    editrec = row;
    setEditMode(true);
}

void TForm1::undoVexton() {
    if (editrec < 0) return;
    lmfile.rec(editrec + 1) = undobuf;
    dispLM();
}

void TForm1::chgSide() {
    if (editing) setSide(lmfile.rec(editrec + 1), side->ItemIndex());
    draw(-1);
}

void TForm1::chgLotype() {
    if (editing) setTypeCode(lmfile.rec(editrec + 1), Lotype->ItemIndex());
    draw(-1);
}

void TForm1::chgLofile() {
    draw(-1);
    const int i = Lofile->ItemIndex();
    if (editing && i >= 0) setFromLofileName(lmfile.rec(editrec + 1), Lofile->Items()[i]);
}

double TForm1::strToElev(const std::string& text) {
    if (const auto v = elevationFromText(text)) return *v;
    ShowMessage("Not a number, try again...");
    return -1.0;
}

void TForm1::chgLMelev() {
    // strToElev gives only values a Single holds.
    if (editing)
        setElevation(lmfile.rec(editrec + 1), static_cast<float>(strToElev(LMElev->Text())));
}

void TForm1::chgrota() {
    const int row = lmpicklist->ItemIndex(), i = LMrotation->ItemIndex();
    if (editing && row >= 0 && i >= 0)
        setRotationEntry(lmfile.rec(row + 1), LMrotation->Items()[i]);
}

void TForm1::chgLndmrkName() {
    if (editing) setNameField(lmfile.rec(editrec + 1), lndmrkname->Text());
}

void TForm1::eastcordKeyPress(char& key) {
    enterCoordinate(*this, *eastcord, true, key);
}

void TForm1::northcordKeyPress(char& key) {
    enterCoordinate(*this, *northcord, false, key);
}

void TForm1::addLndMark() {
    const int rows = lmpicklist->Items().Count();
    const int k = mapchoice->ItemIndex();
    if (const auto why = addRefusal(rows, k >= 0 && k < mapCount)) {
        ShowMessage(*why);
        return;
    }
    lmpicklist->Items().Add(newEntryLine(lmfile.count()));
    lmpicklist->setItemIndex(rows);
    addLandmark(lmfile, rows, maptab[k]);
    draw(rows + 1);
    lmpicklist->setItemIndex(rows);
    ShowMessage("Click Edit and then on the map to re-locate..");
}

void TForm1::updActBtn() {
    const int row = lmpicklist->ItemIndex();
    if (row < 0) return;
    if (const auto caption = activationCaption(lmfile.rec(row + 1))) remLM->setCaption(*caption);
}

void TForm1::delLM() {
    changeActivation(*this, deactivateRows);
}

void TForm1::undelLM() {
    changeActivation(*this, reactivateRows);
}

void TForm1::remLMClick() {
    const int row = lmpicklist->ItemIndex();
    if (row < 0) {
        ShowMessage(selectFirst);
        return;
    }
    if (lmfile.rec(row + 1).lat < 0)
        undelLM();
    else
        delLM();
    updActBtn();
}

void TForm1::erasobjsClick() {
    std::vector<bool> selected(static_cast<size_t>(lmpicklist->Items().Count()));
    for (size_t j = 0; j < selected.size(); ++j)
        selected[j] = lmpicklist->Selected(static_cast<int>(j));
    lmfile = withoutRows(lmfile, selected);
    refreshpicklist();
    // The dump goes the way of every save: whole, or not at all.
    writeFileAtomic(dumpFileName, dumpBytes(lmfile));
}

} // namespace vx
