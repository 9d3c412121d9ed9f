// Start-up of the main window's unit, the window's creation, what the viewer
// reads of it, its selectors and "Quit".
#include "mapeditor/Unit1.h"

#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"
#include "mapeditor/templates.h"
#include "objectviewer/viewershared.h"
#include "resources/resources.h"
#include "support/errors.h"
#include "support/fileio.h"
#include "support/helpers.h"
#include "ui/formbuild.h"

#include <algorithm>
#include <memory>

namespace vx {

TForm1* Form1 = nullptr;
ui::TPicture* mapbackup = nullptr;

namespace {
std::unique_ptr<ui::TPicture>& mapbackupOwner() {
    static std::unique_ptr<ui::TPicture> p;
    return p;
}
} // namespace

void initUnit1() {
    initMapTable();
    mapbackupOwner() = std::make_unique<ui::TPicture>();
    mapbackup = mapbackupOwner().get();
}

void finalizeUnit1() {
    mapbackupOwner().reset();
    mapbackup = nullptr;
}

TForm1::TForm1() {
    Form1 = this; // the creation handler already reads the window through Form1
    setName("Form1");
    createComponents();
    fitToScreen();
    registerResources();
    Image1->Picture().LoadFromResource(resStartpic);
    glist->loadStrip(resGlist);
    allist->loadStrip(resAllist);
    dimGlist->loadStrip(resDimGlist);
    dimAllist->loadStrip(resDimAllist);
}

// The form is laid out for a 1366 x 768 screen; on a larger one the map takes
// the extra room, the panel keeps its place at the right.
void TForm1::fitToScreen() {
    ui::fitToScreen(*this, 1860, 1000);
}

bool isMlfMode() {
    return Form1->mlfORmbf->ItemIndex() == 0;
}

int modeIndex() {
    const int m = Form1->mlfORmbf->ItemIndex();
    checkRange(m, 0, 1, "mode");
    return m;
}

int TForm1::mapIndex() const {
    const int k = mapchoice->ItemIndex();
    checkRange(k, 0, mapCount - 1, "map");
    return k;
}

MapSizes TForm1::sizes() const {
    return {Image1->Width(), Image1->Height(), Image1->Picture().Width(),
            Image1->Picture().Height()};
}

std::string TForm1::templateDir() const {
    const auto& t = *LMtemplate;
    return t.ItemIndex() < 0 ? "./" : t.Items()[t.ItemIndex()] + "/";
}

std::optional<std::string> TForm1::chosenLofile() const {
    const auto& f = *Lofile;
    if (f.ItemIndex() < 0) return std::nullopt;
    return f.Items()[f.ItemIndex()];
}

void TForm1::chooseLofile(const std::string& name) {
    if (const int i = indexOfText(Lofile->Items(), name); i >= 0) Lofile->setItemIndex(i);
}

int TForm1::lmpicklistIndex() const {
    return lmpicklist->ItemIndex();
}

float TForm1::selectedLandmarkRota() const {
    const int row = lmpicklistIndex();
    checkRange(row, 0, lmfile.count() - 1, "landmark list");
    return lmfile.rec(row + 1).rota;
}

void fillLotype() {
    Form1->Lotype->Items().Clear();
    Form1->Lotype->Items().assign(lotypeEntries(isMlfMode()));
}

void TForm1::formcreate() {
    mlfORmbf->setItemIndex(0);
    mapchoice->Items().assign({"lndmrks0", "lndmrks1", "lndmrks2", "lndmrks3", "lndmrks4"});
    filltemplate();
    LMtemplate->setItemIndex(0);
    mapchoice->setItemIndex(4);
    Image1->setWidth(1345);
    Image1->setHeight(888);
    zoom = 1024;
    side->Items().assign({"Central", "Entente"});
    fillLotype();
    if (fileExists("lofile-list.txt")) Lofile->Items().LoadFromFile("lofile-list.txt");
    for (const auto& name : lowerCaseMatches(appDir() + templateDir(), "lo02????.dat"))
        Lofile->Items().Add(name);
    LMrotation->Items().assign(rotationEntries());
    LMrotation->setItemIndex(0);
}

// Every rebuild leaves the choice to the user again.
void TForm1::filltemplate() {
    LMtemplate->Items().assign(templateFolders(appDir()));
    LMtemplate->setItemIndex(-1);
}

void TForm1::chgLMtemplate() {
    filltemplate();
}

// The mode is read by each consumer when it runs.
void TForm1::mlfORmbfChange() {}

void TForm1::mapchoiceChange() {
    mapchoiceitemindex->setCaption(std::to_string(mapchoice->ItemIndex()));
}

void TForm1::quitappClick() {
    objPics.free();
    releaseCopyObjects();
    cpyListBox->Items().Clear();
    ClearlistClick();
    mapbackup->Clear();
    Close();
}

} // namespace vx
