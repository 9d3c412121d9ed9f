// "Save LM info to text file" and its check boxes.
#include "mapeditor/Unit1.h"

#include "mapeditor/lmexport.h"
#include "mapeditor/lmfile.h"
#include "support/dialogs.h"
#include "support/errors.h"
#include "support/fileio.h"
#include "support/helpers.h"

#include <optional>

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
    // Only a file that cannot be created gets the message; a write error
    // (disk full) goes on to the error report, naming the error. Written
    // whole and renamed over the target: a failure leaves the old file.
    std::optional<SafeFileWriter> out;
    try {
        out.emplace(saveit->FileName());
    } catch (const FileError&) {
        ShowMessage("something went wrong, could not create file");
        return;
    }
    out->write(text.data(), text.size());
    out->commit();
}

void TForm1::inc_actonlyClick() {
    inc_hidden->setChecked(!inc_actonly->Checked());
}

void TForm1::inc_hiddenClick() {}

} // namespace vx
