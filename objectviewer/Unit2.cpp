// The viewer unit's start-up and end, the window's creation and the main
// window it is connected to.
#include "objectviewer/Unit2.h"

#include "objectviewer/iconmasks.h"
#include "objectviewer/icons.h"
#include "support/errors.h"
#include "ui/formbuild.h"

namespace vx {

Tloview* loview = nullptr;

LoviewShared* loviewShared() {
    return loview;
}

Tloview::Tloview() {
    loview = this;
    setName("loview");
    createComponents();
    ui::fitToScreen(*this, 1860, 1000);
}

MainWindowLink& Tloview::mainWindow() const {
    if (!main_) throw NilObjectError("Access violation: the viewer has no main window");
    return *main_;
}

void initUnit2() {
    objPics.create();
    loadIconsOf(startupGfxFolder());
}

void doneUnit2() {
    lotab = {};
    lotabUndo = {};
    lowork = {};
    lomove = {};
}

} // namespace vx
