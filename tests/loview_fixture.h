// The two windows built headless with a landmark file whose landmarks name
// object files in the template folder.
#pragma once

#include "mainwindow_fixture.h"
#include "objectviewer/Unit2.h"

#include <string>
#include <vector>

namespace vxtest {

class LoviewTest : public MainWindowTest {
protected:
    void TearDown() override;
    // Three landmarks naming lo020201.dat (2 objects), lo020302.dat (3 objects)
    // and lo020403.dat (not written); the map loaded.
    vx::TForm1& loaded();
    vx::Tloview& v() { return *vx::loview; }
    std::string folder() const { return (prog / "LMdefault").string() + "/"; }
};

} // namespace vxtest
