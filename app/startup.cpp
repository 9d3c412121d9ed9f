#include "app/startup.h"

#include "mapeditor/Unit1.h"
#include "objectviewer/Unit2.h"
#include "support/names.h"

namespace vx {

void startUnits() {
    fillObjectNames();
    initUnit2();
    initUnit1();
}

void createWindows() {
    auto& app = ui::Application();
    Form1 = app.CreateForm<TForm1>();
    loview = app.CreateForm<Tloview>();
    loview->connect(*Form1);
}

void endUnits() {
    finalizeUnit1();
    doneUnit2();
}

} // namespace vx
