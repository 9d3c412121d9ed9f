// Picking and editing the objects of the loaded file: edit mode and its
// snapshot, the pointer move, rotation, hiding, adding, pasting, re-typing.
#include "objectviewer/Unit2.h"

#include "objectviewer/loedittext.h"
#include "objectviewer/logeometry.h"
#include "support/dialogs.h"
#include "support/errors.h"

#include <string>

namespace vx {

namespace {

// The record at a row of the object lists; RangeError beyond the loaded objects.
LOobject& objectAtRow(int row) {
    if (row >= lotab.head.count) throw RangeError("no object at row " + std::to_string(row));
    return loSlot(lotab, row);
}

} // namespace

void Tloview::allowedit(bool on) {
    rotdbg->setEnabled(manrotlm->Checked());
    editAllowed = on;
    rotaobj->setEnabled(on);
    editOnOff->setCaption(on ? editOnText : editOffText);
    editOnOff->setFontColor(on ? ui::clRed : ui::clBlack);
    if (on) {
        snapshot.take(lotab);
        redraw(false, lotab);
    }
}

void Tloview::starteditClick() {
    allowedit(true);
}

void Tloview::stopeditClick() {
    allowedit(false);
}

void Tloview::mvcancelClick() {
    snapshot.restoreInto(lotab);
    redraw(false, lotab);
}

void Tloview::canceleditClick() {
    snapshot.restoreInto(lotab);
    allowedit(false);
    redraw(false, lotab);
    ShowMessage(cancelEditMessage);
}

void Tloview::loimgMouseDown(int X, int Y) {
    std::string info = mdownText(X, Y);
    const int i = findObjectAt(scr.scrX, scr.scrY, scr.placed, lotab.head.count, X, Y);
    if (i >= 0) {
        const int32_t cox = scr.scrX.at(size_t(i)), coy = scr.scrY.at(size_t(i));
        lolist->setItemIndex(i);
        objlist->setItemIndex(i);
        info += mdownHitText(X, Y, cox, coy, lolist->Items()[i]);
        hideobj->setCaption(hideCaption(loSlot(lotab, i)));
    }
    mdowninfo->setCaption(info);
    redraw(false, lotab);
}

void Tloview::lolistChange() {
    objlist->setItemIndex(lolist->ItemIndex());
    redraw(false, lotab);
}

void Tloview::objlistClick() {
    lolist->setItemIndex(objlist->ItemIndex());
    redraw(false, lotab);
}

// With the view options of the drawing, so the feet are where objects are drawn.
// Only the landmark's rotation needs a selected landmark.
std::optional<txpoint> Tloview::pointerFeet(int X, int Y) const {
    const MainWindowLink& m = mainWindow();
    const bool landmark = m.lmpicklistIndex() >= 0;
    if (rotLmFlag && !landmark) return std::nullopt;
    LoViewState s{magzoom->Position(), loimg->Width(), loimg->Height(), manRot, rotLmFlag, {}};
    if (landmark) s.lmRota = m.selectedLandmarkRota();
    return pixToFt(s, X, Y);
}

// The current row when it names a loaded object, else -1: after "Cancel edit"
// the lists may still show rows the table no longer has.
int Tloview::currentObject() const {
    const int cur = lolist->ItemIndex();
    return cur < lotab.head.count ? cur : -1;
}

// Without a feet position (the landmark rotation on, no landmark selected) the
// move does nothing.
void Tloview::dspxy(ui::TShiftState shift, int X, int Y) {
    const std::optional<txpoint> ft = pointerFeet(X, Y);
    if (!ft) return;
    const int cur = currentObject();
    if (shift.shift && cur >= 0 && editAllowed) {
        LOobject& obj = loSlot(lotab, cur);
        obj.x = static_cast<float>(ft->x);
        obj.y = static_cast<float>(ft->y);
        redraw(false, lotab);
    }
    if (shift.alt && group.moveManyMode) {
        moveGroupTo(group, lomove, ft->x, ft->y);
        redraw(false, lomove);
    }
    xyview->setCaption(xyviewText(X, Y, ft->x, ft->y));
}

void Tloview::rotaobjClick() {
    if (showingRotation_) return;
    const int cur = currentObject();
    if (!group.moveManyMode && cur >= 0)
        loSlot(lotab, cur).rota = static_cast<float>(rotaobj->Position());
    redraw(false, lotab);
}

void Tloview::showRotation(float rota) {
    showingRotation_ = true;
    rotaobj->setPosition(rotationBarPosition(rota));
    showingRotation_ = false;
}

void Tloview::allowrotobjClick() {
    rotaobj->setEnabled(!rotaobj->Enabled());
    allowrotobj->setCaption(allowRotationCaption(rotaobj->Enabled()));
}

void Tloview::hideobjClick() {
    toggleHide(objectAtRow(objlist->ItemIndex()));
    redraw(false, lotab);
}

bool Tloview::paste2lodat(LOobject rec) {
    const AppendResult r = pasteRecord(lotab, rec, group.moveManyMode);
    refreshAfterAppend(r);
    if (r.refused) return false;
    if (!group.moveManyMode) redraw(false, lotab);
    return true;
}

// The lists show the table with the last new row current; when nothing was
// appended they keep their rows and selection.
void Tloview::refreshAfterAppend(const AppendResult& r) {
    if (r.appended > 0) {
        updatelodata();
        objlist->setItemIndex(r.last);
        lolist->setItemIndex(r.last);
    }
    if (r.refused) ShowMessage(tableFullMessage);
}

void Tloview::AddobjClick() {
    const int row = lobjects->ItemIndex();
    if (row < 0) return;
    if (paste2lodat(newObject(parseCatalogueRow(lobjects->Items()[row])))) redraw(false, lotab);
}

void Tloview::paste2lnmrkclick() {
    paste2lodat(objectAtRow(objlist->ItemIndex()));
}

void Tloview::chgobjtypeClick() {
    const int catRow = lobjects->ItemIndex(), cur = lolist->ItemIndex();
    if (catRow < 0 || cur < 0) return;
    const ObjectKind kind = parseCatalogueRow(lobjects->Items()[catRow]);
    retypeSelected(lotab, selectedRowFlags(*objlist), kind.cls, kind.type);
    updatelodata();
    lobjects->setItemIndex(catRow);
    if (cur < lolist->Items().Count()) lolist->setItemIndex(cur);
    redraw(false, lotab);
}

void Tloview::editmenPopup() {
    redraw(false, tableOnShow());
}

} // namespace vx
