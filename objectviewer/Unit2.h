// The object-file viewer window. It is created hidden at start-up; the main
// window reads its manual choice and fills its object-file list.
#pragma once

#include "ui/ui.h"

#include <string>

namespace vx {

class Tloview : public ui::TForm {
public:
    Tloview();

    ui::TCheckBox* locfile; // "Manual chosen file loaded"
    ui::TListBox* lopick;   // object files of the template folder

    // Full path of the file last chosen in the viewer's open dialog.
    std::string manLofile;

private:
    void createComponents();
};

extern Tloview* loview;

// Unit start-up, before any window exists.
void initUnit2();

} // namespace vx
