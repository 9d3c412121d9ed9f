#include "objectviewer/Unit2.h"

namespace vx {

Tloview* loview = nullptr;

Tloview::Tloview() {
    loview = this;
    setName("loview");
    createComponents();
}

void Tloview::createComponents() {
    setCaption("Lo file viewer");
    setBounds(40, 40, 900, 640);
    locfile = add<ui::TCheckBox>("locfile", nullptr, 8, 8, 220, 20);
    locfile->setCaption("Manual chosen file loaded");
    lopick = add<ui::TListBox>("lopick", nullptr, 8, 32, 220, 560);
    lopick->setAnchors(true, true, false, true);
}

void initUnit2() {}

} // namespace vx
