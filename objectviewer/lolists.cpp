// The two object lists and the text export.
#include "objectviewer/Unit2.h"

#include "objectviewer/lolines.h"
#include "support/helpers.h"

namespace vx {

void Tloview::updatelodata() {
    lolist->Items().assign(lolistLines(lotab));
    objlist->Items().assign(objlistLines(lotab));
    lolist->setItemIndex(-1);
    objlist->setItemIndex(-1);
    spanX = loSpanX;
    spanY = loSpanY;
    Label1->setCaption(label1Text(loimg->Width(), loimg->Height()));
}

void Tloview::savelotxtClick() {
    savelototext->setInitialDir(appDir() + mainWindow().templateDir());
    savelototext->setFileName(curLofileName() + ".txt");
    if (!savelototext->Execute()) return;
    saveLoExport(savelototext->FileName(), lotab);
}

} // namespace vx
