// The work list beside the loaded file, and the group move that pastes a part
// of it into the loaded file at the pointer.
#include "objectviewer/Unit2.h"

#include "objectviewer/loedittext.h"
#include "support/dialogs.h"

namespace vx {

RowSelection selectedRowFlags(const ui::TListBox& box) {
    RowSelection rows(static_cast<size_t>(box.Items().Count()));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = box.Selected(static_cast<int>(i));
    return rows;
}

void fillWorkList() {
    loview->loworklist->Items().assign(workListLines(lowork));
    loview->loworklist->setItemIndex(-1);
}

namespace {

// The list always shows the work list, also after a copy stopped when full.
void copyAndRefill(const TLOtab& src, const RowSelection& rows) {
    const AppendResult r = copyToWorkList(lowork, src, rows);
    fillWorkList();
    loview->redraw(false, lotab);
    if (r.refused) ShowMessage(tableFullMessage);
}

} // namespace

void Tloview::cpobjsClick() {
    copyAndRefill(lotab, selectedRowFlags(*objlist));
}

void Tloview::cpselClick() {
    copyAndRefill(lowork, selectedRowFlags(*loworklist));
}

// The remaining lines keep their texts; rows and records still match by position.
void Tloview::delselClick() {
    const RowSelection rows = selectedRowFlags(*loworklist);
    if (!deleteSelected(lowork, rows)) return;
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
        if (rows[static_cast<size_t>(i)]) loworklist->Items().Delete(i);
}

void Tloview::add2lndmrkClick() {
    const int i = loworklist->ItemIndex();
    if (i >= 0) paste2lodat(loSlot(lowork, i));
}

void Tloview::mvmanyClick() {
    const AppendResult r =
        startGroupMove(group, lomove, lotab, lowork, selectedRowFlags(*loworklist));
    if (r.refused) ShowMessage(tableFullMessage);
}

void Tloview::mvmanyconfirmClick() {
    refreshAfterAppend(confirmGroupMove(group, lomove, lotab));
    redraw(false, lomove);
}

void Tloview::mvmanycancelClick() {
    cancelGroupMove(group, lomove);
}

void Tloview::mvselectedClick() {
    ShowMessage(moveSelectedMessage);
}

void Tloview::turnGroupByWheel(int wheelDelta) {
    if (!group.moveManyMode) return;
    turnGroup(group, lomove, wheelDelta);
    redraw(false, lomove);
}

} // namespace vx
