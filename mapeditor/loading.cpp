// "Load this map" and "Save to lndmrksX.dat / .mlf".
#include "mapeditor/Unit1.h"

#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "mapeditor/templates.h"
#include "objectviewer/viewershared.h"
#include "support/dialogs.h"
#include "support/fileio.h"
#include "support/helpers.h"

namespace vx {

namespace {

std::string selectedTemplateOr(const ui::TComboBox& t, const char* none) {
    return t.ItemIndex() < 0 ? none : t.Items()[t.ItemIndex()];
}

// The map picture: under the template folder's name, in the current folder,
// else wherever the user points. False when the load must end here.
bool loadMapPicture(TForm1& f, int k) {
    // No second copy while decoding: it would need a third map-sized raster
    // of fresh memory at every load; mapbackup copies the picture into the
    // raster it already has.
    f.Image1->Picture().setKeepLoadCopy(false);
    const std::string name = mapfiles[k];
    const std::string inTemplate = selectedTemplateOr(*f.LMtemplate, ".") + "/" + name;
    if (fileExists(inTemplate)) {
        f.Image1->Picture().LoadFromFile(inTemplate);
        return true;
    }
    if (fileExists(name)) {
        f.Image1->Picture().LoadFromFile(name);
        return true;
    }
    f.getpic->setDefaultExt(".jpg");
    f.getpic->setFilter(".jpg;.JPG|*.jpg;*.JPG");
    f.getpic->setInitialDir(".");
    if (!f.getpic->Execute()) return true; // keep the picture shown and go on
    if (!fileExists(f.getpic->FileName())) {
        ShowMessage("No Map found ...");
        return false;
    }
    f.Image1->Picture().LoadFromFile(f.getpic->FileName());
    return true;
}

} // namespace

void TForm1::loadlm() {
    loadlandmark(false);
    updActBtn();
}

void TForm1::loadlandmark(bool pictureOnly) {
    const int k = mapIndex();
    mapchoiceitemindex->setCaption(std::to_string(k) + " " + mapfiles[k]);
    if (!loadMapPicture(*this, k) || pictureOnly) return;

    const int mode = modeIndex();
    const std::string path =
        appDir() + templateDir() + filebase[mode] + std::to_string(k) + mlfORmbf->Items()[mode];
    if (!fileExists(path)) return;
    try {
        lmfile = readLandmarkFile(path);
    } catch (const LandmarkFileRefused& e) {
        ShowMessage(e.what());
        return;
    }
    // An edit's snapshot belongs to the file it was taken from.
    if (editing) setEditMode(false);

    initMapTable();
    refreshpicklist();
    RxYLabel->setCaption("x: " + std::to_string(Image1->Picture().Width()) +
                         " y: " + std::to_string(Image1->Picture().Height()));
    Image1->setBounds(Image1->Left(), Image1->Top(), 4000, 3000);
    zoom = 1024;
    mapbackup->Assign(Image1->Picture());
    cleanCopyTaken();

    TStringList names;
    makeSortedUnique(names);
    for (const auto& n : lowerCaseMatches(appDir() + templateDir(), "lo??????.dat")) names.Add(n);
    Lofile->Items().assign(names.texts());
    Lofile->setItemIndex(-1);
    if (LoviewShared* v = loviewShared()) {
        v->lopick->Items().assign(names.texts());
        v->setmag();
    }

    fillLotype();
    draw(-1);
    dispLM();
}

void TForm1::prepareSaveit(const std::string& initialDir, const std::string& fileName) {
    saveit->setInitialDir(initialDir);
    saveit->setFileName(fileName);
    saveit->setTitle("Save to a Lndmrks#.dat / mlf file");
    saveit->setDefaultExt(".dat");
    saveit->setFilter("Vexton brigade templates|*.mbf|Vexton lndmrks templates|*.mlf|"
                      "Halvory Landmarks files|*.dat");
    saveit->setFilterIndex(2);
    saveit->Options().overwritePrompt = true;
    saveit->Options().pathMustExist = true;
}

void TForm1::savelndmrks() {
    prepareSaveit(appDir() + "/" + selectedTemplateOr(*LMtemplate, "."), "");
    if (!saveit->Execute()) {
        ShowMessage(" Landmarks file not saved....");
        return;
    }
    const std::string path = saveit->FileName();
    saveit->setFileName("");
    saveLandmarkFile(path, lmfile);
}

} // namespace vx
