// Object files: loading on both roads, saving, and the handlers that start them.
#include "objectviewer/Unit2.h"

#include "mapeditor/mainshared.h"
#include "support/dialogs.h"
#include "support/fileio.h"
#include "support/helpers.h"

namespace vx {

namespace {

// The first entry of Lofile with that text, -1 when none has it.
int indexOfEntry(const ui::TComboBox& box, const std::string& name) {
    for (int i = 0; i < box.Items().Count(); ++i)
        if (box.Items()[i] == name) return i;
    return -1;
}

} // namespace

void Tloview::loadLoFile() {
    if (fromMain && Lofile().ItemIndex() < 0) {
        ShowMessage("Select landmark first ....  ");
        return;
    }
    std::string path;
    if (fromMain) {
        path = appDir() + templateDir() + curLofileName();
    } else {
        openalo->setInitialDir(appDir() + templateDir());
        openalo->setFileName("");
        if (!openalo->Execute()) {
            locfile->setChecked(false);
            ShowMessage("no file selected, exiting.. ");
            manLofile.clear();
            return;
        }
        path = openalo->FileName();
        manLofile = path;
    }
    if (!fileExists(path)) {
        ShowMessage("file " + path + " does not exist / not readable... exiting.. ");
        locfile->setChecked(false);
        return;
    }
    fromMain = false;
    // From here the captions and the save name name the new file, so the old
    // file's objects go, also when the read then fails: a save never writes
    // them under the new name. A group taken from the old file goes with them.
    cancelGroupMove(group, lomove);
    lotab = TLOtab{};
    lotab.head.recsize = sizeof(LOobject);
    snapshot.take(lotab);
    lolist->Items().Clear();
    objlist->Items().Clear();
    redraw(false, lotab); // the new name over what it holds so far
    const LoReadNotes notes = readObjectFile(path, lotab);
    snapshot.take(lotab); // "Cancel edit" then restores this file, never another
    updatelodata();
    if (lolist->Items().Count() > 0) lolist->setItemIndex(0);
    if (notes.countCapped) ShowMessage(loCountCappedMessage(path, notes.headerCount));
}

void Tloview::savelofile(TLOtab& table) {
    savelodat->setInitialDir(appDir() + templateDir());
    savelodat->setFileName(curLofileName());
    if (!savelodat->Execute()) {
        ShowMessage(loNotSavedMessage(savelodat->FileName()));
        return;
    }
    const std::string path = savelodat->FileName();
    ShowMessage(loSavedMessage(path, saveObjectFile(path, table)));
}

void Tloview::customloadClick() {
    fromMain = false;
    locfile->setChecked(true);
    loadLoFile();
    initLoView();
}

// Needs a chosen line; a double click on an empty list does nothing.
void Tloview::lopickDblClick() {
    const int row = lopick->ItemIndex();
    if (row < 0) return;
    const std::string name = lopick->Items()[row];
    if (const int i = indexOfEntry(Lofile(), name); i >= 0) Lofile().setItemIndex(i);
    const std::string path = appDir() + templateDir() + name;
    if (!fileExists(path)) {
        ShowMessage("lo file not found " + path + " exiting...");
        return;
    }
    locfile->setChecked(false);
    fromMain = true;
    loadLoFile();
    initLoView();
}

void Tloview::SaveloClick() {
    allowedit(false);
    savelofile(lotab);
}

void Tloview::savedatClick() {
    savelofile(lowork);
}

} // namespace vx
