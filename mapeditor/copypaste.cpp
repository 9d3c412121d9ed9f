// The copy buffer and the copy list: copy records from the landmark list and
// the map, paste them as new records or over existing ones, blank records.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmcopy.h"
#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "support/dialogs.h"
#include "support/helpers.h"

#include <vector>

namespace vx {

namespace {

// The records of the marked copy-list lines after the placeholder, in order.
std::vector<landmark> markedCopies(const ui::TListBox& list) {
    std::vector<landmark> recs;
    for (int j = 1; j < list.Items().Count(); ++j)
        if (list.Selected(j))
            if (auto* obj = dynamic_cast<const TanLM*>(list.Items().Objects(j).get()))
                recs.push_back(obj->rec);
    return recs;
}

} // namespace

void TForm1::cpobjectsClick() {
    const std::vector<int> rows = selectedRows(*lmpicklist);
    if (rows.empty()) {
        ShowMessage("Select Landmark(s) first...");
        return;
    }
    clearBuffer(cpylm);
    for (int j : rows) {
        const landmark& r = lmfile.rec(j + 1);
        appendToBuffer(cpylm, r);
        auto obj = newAnLM();
        obj->rec = r;
        cpyListBox->Items().Add(pickLineLong(r, j + 1), obj);
    }
    draw(-1);
}

void TForm1::cpObj() {
    const int row = lmpicklist->ItemIndex();
    if (row < 0) {
        ShowMessage("No object selected....");
        return;
    }
    // A full buffer takes no more: the copy is refused before anything changes.
    if (cpylm.count() >= lmCapacity) {
        ShowMessage(copyBufferFull);
        return;
    }
    clipLM = lmfile.rec(row + 1);
    auto obj = newAnLM();
    obj->rec = clipLM;
    anobj = obj;
    cpyListBox->Items().Add(mapCopyLine(clipLM, row + 1), obj);
    appendToBuffer(cpylm, clipLM);
}

void TForm1::pstObj() {
    const int row = lmpicklist->ItemIndex();
    if (row >= 0) {
        landmark& target = lmfile.rec(row + 1);
        if (confirmOk(pasteObjectQuestion(target, clipLM))) target = clipLM;
    }
    refreshpicklist();
}

void TForm1::psobjectsnewClick() {
    if (const std::string why = pasteNewRefusal(lmfile, cpylm); !why.empty()) {
        ShowMessage(why);
        return;
    }
    pasteAsNew(lmfile, cpylm);
    refreshpicklist();
}

void TForm1::psobjectsatcurClick() {
    if (cpylm.count() == 0) {
        ShowMessage(noObjectsCopied);
        return;
    }
    const int row = lmpicklist->ItemIndex();
    if (row < 0) return;
    const int s = row + 1;
    if (const std::string why = pasteAtRefusal(lmfile, cpylm, s); !why.empty()) {
        ShowMessage(why);
        return;
    }
    if (pasteAtOverwrites(lmfile, s) &&
        !confirmOk(pasteAtQuestion(cpylm, lmpicklist->Items()[row])))
        return;
    pasteAt(lmfile, cpylm, s);
    refreshpicklist();
}

void TForm1::pasteNewClick() {
    if (refillBuffer(cpylm, markedCopies(*cpyListBox)) > 0) ShowMessage(copyBufferFull);
    psobjectsnewClick();
}

void TForm1::pasteexistsClick() {
    if (refillBuffer(cpylm, markedCopies(*cpyListBox)) > 0) ShowMessage(copyBufferFull);
    psobjectsatcurClick();
}

void TForm1::delobjsClick() {
    const std::vector<int> rows = selectedRows(*cpyListBox);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) cpyListBox->Items().Delete(*it);
}

void TForm1::releaseCopyObjects() {
    auto& items = cpyListBox->Items();
    for (int j = 1; j < items.Count(); ++j) items.setObject(j, nullptr);
}

void TForm1::ClearlistClick() {
    releaseCopyObjects();
    cpyListBox->Items().Clear();
    cpyListBox->Items().Add("Copied items go here");
}

// A click on the map does its work in the mouse-down handler.
void TForm1::doxy() {}

void TForm1::blankobjsClick() {
    std::vector<int> recs = selectedRows(*lmpicklist);
    for (int& j : recs) ++j;
    blankRecords(lmfile, recs);
    refreshpicklist();
}

} // namespace vx
