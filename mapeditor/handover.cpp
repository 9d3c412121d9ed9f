// "reload map" and "View Lo file": the main window's side of the hand-over.
#include "mapeditor/Unit1.h"

#include "objectviewer/viewershared.h"
#include "support/dialogs.h"

namespace vx {

void TForm1::remapClick() {
    const int row = lmpicklist->ItemIndex();
    loadlandmark(false);
    // A row the reloaded list no longer has is no row.
    const bool still = row >= 0 && row < lmpicklist->Items().Count();
    if (still) lmpicklist->setTopIndex(row);
    ui::Application().ProcessMessages();
    lmpicklist->setItemIndex(still ? row : -1);
}

void TForm1::viewlo() {
    if (lmpicklist->ItemIndex() < 0) {
        ShowMessage("Must load a map first..");
        return;
    }
    LoviewShared& v = *loviewShared();
    v.Show();
    v.BringToFront();
    fromMain = true;
    v.locfile->setChecked(false);
    v.loadLoFile();
    if (Lofile->ItemIndex() < 0) {
        ShowMessage("no location selected : " + v.curLofileName());
        return;
    }
    v.initLoView();
}

} // namespace vx
