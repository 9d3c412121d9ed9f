// Start-up: the name tables, the icon pictures, the two windows and the
// connection between them. Only this folder knows both windows' classes.
#pragma once

namespace vx {

// Before any window exists: the name tables, the viewer's unit (the icon
// pictures), then the main window's unit.
void startUnits();
// Creates the main window and the hidden viewer, and connects the viewer to
// the main window. The application is initialised first.
void createWindows();
// After the event loop: both units' own state.
void endUnits();

} // namespace vx
