// What the main window may use of the viewer window: its object-file list,
// its manual choice, its load and view start, and the icon pictures. The main
// window includes this header, never the viewer's class header.
#pragma once

#include "ui/form.h"

#include <memory>
#include <string>
#include <vector>

namespace vx {

namespace ui {
class TCheckBox;
class TListBox;
class TPicture;
} // namespace ui

class LoviewShared : public ui::TForm {
public:
    ui::TListBox* lopick = nullptr;   // object files of the template folder
    ui::TCheckBox* locfile = nullptr; // "Manual chosen file loaded"
    // Full path of the file last chosen in the viewer's open dialog.
    std::string manLofile;

    // Loads an object file: the main window's choice while fromMain is set,
    // else one chosen in the open dialog. Failures are told to the user.
    virtual void loadLoFile() = 0;
    // Sizes, centres and draws the view after a load, and shows the window.
    virtual void initLoView() = 0;
    // Called after every landmark load; changes nothing the view uses.
    virtual void setmag() = 0;
    // The object file to show: the manual choice while locfile is ticked, else
    // the entry chosen in the main window's Lofile, else "lo02xxxx.dat".
    virtual std::string curLofileName() const = 0;
};

// The viewer window; nullptr until start-up creates it.
LoviewShared* loviewShared();

// The icon pictures of object classes 6 to 9, types 0 to 42: 172 entries that
// exist from start-up until the main window's "Quit" frees them.
class TObjPics {
public:
    TObjPics();
    ~TObjPics();
    // Makes the 172 empty entries (again).
    void create();
    // Frees the entries; at() then raises NilObjectError.
    void free();
    bool created() const { return !pics_.empty(); }
    // RangeError outside classes 6..9 and types 0..42.
    ui::TPicture& at(int cls, int type);

private:
    std::vector<std::unique_ptr<ui::TPicture>> pics_;
};
extern TObjPics objPics;

} // namespace vx
