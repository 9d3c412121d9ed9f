// Object files: loading on both roads, saving, and the handlers that start them.
#include "objectviewer/Unit2.h"

#include "support/dialogs.h"
#include "support/fileio.h"
#include "support/helpers.h"

namespace vx {

std::string Tloview::curLofileName() const {
    if (locfile->Checked()) return manLofile;
    return mainWindow().chosenLofile().value_or(noLofileName);
}

void Tloview::loadLoFile() {
    MainWindowLink& m = mainWindow();
    if (m.fromMain && !m.chosenLofile()) {
        ShowMessage("Select landmark first ....  ");
        return;
    }
    std::string path;
    if (m.fromMain) {
        path = appDir() + m.templateDir() + curLofileName();
    } else {
        openalo->setInitialDir(appDir() + m.templateDir());
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
    m.fromMain = false;
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
    savelodat->setInitialDir(appDir() + mainWindow().templateDir());
    savelodat->setFileName(curLofileName());
    if (!savelodat->Execute()) {
        ShowMessage(loNotSavedMessage(savelodat->FileName()));
        return;
    }
    const std::string path = savelodat->FileName();
    ShowMessage(loSavedMessage(path, saveObjectFile(path, table)));
}

void Tloview::customloadClick() {
    mainWindow().fromMain = false;
    locfile->setChecked(true);
    loadLoFile();
    initLoView();
}

// Needs a chosen line; a double click on an empty list does nothing.
void Tloview::lopickDblClick() {
    const int row = lopick->ItemIndex();
    if (row < 0) return;
    const std::string name = lopick->Items()[row];
    MainWindowLink& m = mainWindow();
    m.chooseLofile(name);
    const std::string path = appDir() + m.templateDir() + name;
    if (!fileExists(path)) {
        ShowMessage("lo file not found " + path + " exiting...");
        return;
    }
    locfile->setChecked(false);
    m.fromMain = true;
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
