// Start-up: the name tables, the viewer's unit, this unit, then the two
// windows and the event loop.
#include "mapeditor/Unit1.h"
#include "objectviewer/Unit2.h"
#include "support/names.h"

int main(int argc, char** argv) {
    vx::fillObjectNames();
    vx::initUnit2();
    vx::initUnit1();
    auto& app = vx::ui::Application();
    app.Initialize(argc, argv);
    vx::Form1 = app.CreateForm<vx::TForm1>();
    vx::loview = app.CreateForm<vx::Tloview>();
    int rc = app.Run();
    vx::finalizeUnit1();
    vx::doneUnit2();
    return rc;
}
