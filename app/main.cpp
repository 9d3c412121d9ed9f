// The program: start-up, the event loop, the end.
#include "app/startup.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
    vx::startUnits();
    auto& app = vx::ui::Application();
    if (!app.Initialize(argc, argv)) {
        vx::endUnits();
        return 1;
    }
    vx::createWindows();
    const int rc = app.Run();
    vx::endUnits();
    return rc;
}
