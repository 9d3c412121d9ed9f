// "Save LM info to text file" and its check boxes.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmexport.h"
#include "mapeditor/lmfile.h"
#include "support/dialogs.h"
#include "support/errors.h"
#include "support/fileio.h"
#include "support/helpers.h"

namespace vx {

void TForm1::savelminfoClick() {
    // The dialog's folder and name and the object-file prefix need all three.
    if (LMtemplate->ItemIndex() < 0 || mapchoice->ItemIndex() < 0 || mlfORmbf->ItemIndex() < 0) {
        ShowMessage("Select a map, a mode and a template folder first...");
        return;
    }
    prepareSaveit(appDir() + "/" + LMtemplate->Items()[LMtemplate->ItemIndex()],
                  mapchoice->Items()[mapchoice->ItemIndex()] + ".txt");
    if (!saveit->Execute() || saveit->FileName().empty()) return;
    const ExportColumns cols{inc_recnr->Checked(),  inc_lo->Checked(),     inc_hidden->Checked(),
                             inc_coords->Checked(), allORger->Checked(),   inc_LM_name->Checked(),
                             csv->Checked(),        inc_actonly->Checked()};
    const std::string text = exportText(lmfile, modeIndex(), cols);
    // Written whole and renamed over the target: a failure leaves the old file.
    // Only a file that could not be made is reported here; a file that exists
    // and could not be rewritten reaches the error dialog with its reason.
    try {
        writeFileAtomic(saveit->FileName(), text);
    } catch (const FileCreateError&) {
        ShowMessage("something went wrong, could not create file");
    }
}

void TForm1::inc_actonlyClick() {
    inc_hidden->setChecked(!inc_actonly->Checked());
}

void TForm1::inc_hiddenClick() {}

} // namespace vx
