// The view's start after a load and the edit mode switch. The drawing itself
// is not built yet: the view stays as it is.
#include "objectviewer/Unit2.h"

namespace vx {

void Tloview::setmag() {}

void Tloview::initLoView() {
    setmag();
    redraw(true, lotab);
    Show();
}

void Tloview::redraw(bool, const TLOtab&) {}

void Tloview::allowedit(bool on) {
    rotdbg->setEnabled(manrotlm->Checked());
    editAllowed = on;
    rotaobj->setEnabled(on);
    editOnOff->setCaption(on ? "Editing / moving objects ON" : "Editing / moving objects OFF");
    if (on) {
        lotabUndo = lotab;
        redraw(false, lotab);
    }
}

} // namespace vx
