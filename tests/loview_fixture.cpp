#include "loview_fixture.h"

#include <cstring>

namespace vxtest {

void LoviewTest::TearDown() {
    MainWindowTest::TearDown();
    vx::doneUnit2();
    vx::objPics.free();
}

vx::TForm1& LoviewTest::loaded() {
    standardData({makeLandmark("Alpha", 48.6f, 2.8f, 2, 0, 1),
                  makeLandmark("Bravo", 48.7f, 2.9f, 3, 1, 2),
                  makeLandmark("Charlie", 48.5f, 2.5f, 4, 0, 3)});
    writeFile(prog / "LMdefault" / "lo020201.dat",
              objectFile({makeObject(9, 10, 12.5f, -7, 90), makeObject(6, 0, -12.5f, 3)}));
    writeFile(prog / "LMdefault" / "lo020302.dat",
              objectFile(
                  {makeObject(7, 1, 1, 2), makeObject(8, 2, 3, 4, 0, 3), makeObject(19, 0, 5, 6)}));
    vx::TForm1& f = create();
    f.loadpic->click();
    return f;
}

} // namespace vxtest
