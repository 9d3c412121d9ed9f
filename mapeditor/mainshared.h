// What the viewer window may use of the main window: the hand-over flag, the
// object file and folder chosen here, the selected landmark and the
// object-file list. The viewer includes this header, never the window's own.
#pragma once

#include <string>

namespace vx {

namespace ui {
class TComboBox;
}

// True tells the viewer's next load to take the object file chosen here
// (appDir + templateDir + curLofileName) instead of asking with a dialog.
extern bool fromMain;

// The selected template folder followed by "/", or "./" when none is selected.
std::string templateDir();
// The object file to show: the viewer's manual choice while its locfile box is
// ticked, else the entry selected in Lofile, else "lo02xxxx.dat".
std::string curLofileName();

// The selected row of the landmark list lmpicklist, -1 when none is.
int lmpicklistIndex();
// The rota of the selected landmark; RangeError when no row is selected.
float selectedLandmarkRota();
// The main window's object-file list.
ui::TComboBox& Lofile();

} // namespace vx
