// The viewer window: its components, loading and saving object files on both
// roads, the lists, the icons, and the main window's reload and hand-over.
#include "loview_fixture.h"

#include "objectviewer/iconmasks.h"
#include "objectviewer/lolines.h"
#include "support/fileio.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

using namespace vx;
using vxtest::LoviewTest;
namespace fs = std::filesystem;

namespace {

std::string captionOf(const ui::TForm& form, const std::string& name) {
    const ui::TComponent* c = form.findAny(name);
    if (auto* b = dynamic_cast<const ui::TButton*>(c)) return b->Caption();
    if (auto* x = dynamic_cast<const ui::TCheckBox*>(c)) return x->Caption();
    if (auto* l = dynamic_cast<const ui::TLabel*>(c)) return l->Caption();
    if (auto* m = dynamic_cast<const ui::TMenuItem*>(c)) return m->Caption();
    if (auto* e = dynamic_cast<const ui::TEdit*>(c)) return e->Text();
    return "<no " + name + ">";
}

} // namespace

TEST_F(LoviewTest, FormHoldsEveryComponentWithItsCaption) {
    create();
    const struct {
        const char* name;
        const char* caption;
    } cases[] = {
        {"locfile", "Manual chosen file loaded"},
        {"customload", "Choose lo file manually"},
        {"lopickLab", "Double click to load"},
        {"savelo", "Save LO object"},
        {"savelotxt", " save LO to txt"},
        {"loadcustgfx", "Load custom gfx"},
        {"Label1", "View parameters"},
        {"magnifact", "magnifact"},
        {"magxyLab", "draw/nodraw"},
        {"amagxylab", "amagxylab"},
        {"scbarLab", "SCbar pos"},
        {"StaticText1", "Manual LM rota 4 obj"},
        {"manrotlm", "Manual rotate LM"},
        {"rotlm", "Rotate x,y loc of obj  with LM rota"},
        {"rotobj", "Rotate obj ITSELF with LO rotation"},
        {"follow", "Follow active object"},
        {"gocenter", "Center"},
        {"showpics", "Show Icons"},
        {"cvasz", "5000"},
        {"hack90180", "hack90-180-270"},
        {"debug1only", "1 obj only"},
        {"turn90", "turn obj 90 extra"},
        {"BitBtn1", "BitBtn1"},
        {"percbmp", "perc"},
        {"canceledit", "Cancel edit"},
        {"editOnOff", "edit Off"},
        {"lobjectsLab", "Change existing object or Add objects to center"},
        {"saveobjs", "Save objects to lofile"},
        {"cpobjs", "Copy objects => worklist"},
        {"paste2landmark", "Paste 2 landmark"},
        {"mvselected", "move selected"},
        {"cpsel", "cp selected"},
        {"delsel", "Del selected"},
        {"savedat", "Save to dat file."},
        {"add2lndmrk", "Add 2 landmark"},
        {"chgobj", "Start moving 1 object (shift key + mouse)"},
        {"stopedit", "Stop moving 1 object"},
        {"mvcancel", "Cancel move selected"},
        {"hideobj", "Hide obj in game"},
        {"allowrotobj", "Allow rotation"},
        {"keepcenter", "Keep cur obj centered"},
        {"cp2worklist", "Copy object to worklist"},
        {"mvmany", "Copy + Move  selected on worklist. hold alt+mouse"},
        {"mvmanyconfirm", "Confirm move (worklist)"},
        {"mvmanycancel", "Cancel move (worklist)"},
        {"Addobj", "Add object"},
        {"chgobjtype", "Change object type"},
    };
    for (const auto& c : cases) EXPECT_EQ(captionOf(v(), c.name), c.caption) << c.name;
    EXPECT_EQ(v().Caption(), "loview");
    EXPECT_FALSE(v().Visible());
}

TEST_F(LoviewTest, ControlsStartWithTheirRangesAndStates) {
    create();
    const struct {
        ui::TTrackBar* bar;
        int min, max, position;
        bool reversed;
        const char* hint;
    } bars[] = {
        {v().magzoom, 1, 400, 65, false, "ctrl + wheel also zooms"},
        {v().objcor, -150, 150, -51, true, "enlarge / shrink the boxes. true size = -51"},
        {v().imgsz, 8, 64, 20, true, "Icon size"},
        {v().rotaobj, 0, 360, 0, false, ""},
    };
    for (const auto& b : bars) {
        EXPECT_EQ(b.bar->Min(), b.min) << b.bar->Name();
        EXPECT_EQ(b.bar->Max(), b.max) << b.bar->Name();
        EXPECT_EQ(b.bar->Position(), b.position) << b.bar->Name();
        EXPECT_EQ(b.bar->Reversed(), b.reversed) << b.bar->Name();
        EXPECT_EQ(b.bar->Orientation(), ui::trVertical) << b.bar->Name();
        EXPECT_EQ(b.bar->Hint(), b.hint) << b.bar->Name();
    }
    EXPECT_EQ(v().magzoom->PageSize(), 1);

    const struct {
        ui::TCheckBox* box;
        bool checked, visible;
    } checks[] = {
        {v().locfile, false, true},   {v().manrotlm, true, true},     {v().rotlm, true, true},
        {v().rotobj, true, false},    {v().follow, false, true},      {v().showpics, false, true},
        {v().hack90180, true, false}, {v().debug1only, false, false}, {v().turn90, false, false}};
    for (const auto& c : checks) {
        EXPECT_EQ(c.box->Checked(), c.checked) << c.box->Name();
        EXPECT_EQ(c.box->Visible(), c.visible) << c.box->Name();
    }

    EXPECT_EQ(v().rotdbg->Items().texts(), (std::vector<std::string>{"0", "45", "90", "135", "180",
                                                                     "225", "270", "315", "360"}));
    EXPECT_EQ(v().rotdbg->Items()[v().rotdbg->ItemIndex()], "270");
    EXPECT_TRUE(v().northlab->Visible());
    EXPECT_EQ(v().objlist->Items().texts(),
              (std::vector<std::string>{"objlist = connected to lolist,", "  lotab = data"}));
    EXPECT_TRUE(v().objlist->MultiSelect());
    EXPECT_EQ(v().loworklist->Items().Count(), 4);
    EXPECT_EQ(v().loworklist->ItemIndex(), 0);
    EXPECT_TRUE(v().loworklist->MultiSelect());
    EXPECT_EQ(v().cvasz->TextHint(), "canvas size");
    EXPECT_EQ(v().lolist->FontName(), "Courier New Bold");
    EXPECT_EQ(v().objlist->FontName(), "Courier 10 Pitch");
    EXPECT_EQ(v().cpsel->Hint(), "adds more");
    EXPECT_FALSE(v().xyinfo->Visible());
    EXPECT_FALSE(v().loimgbup->Visible());
    EXPECT_FALSE(v().rotaobj->Enabled());
    EXPECT_EQ(v().loimg->Parent(), v().loscroll);
    EXPECT_EQ(v().loscroll->HorzScrollBar().Increment(), 124);
    EXPECT_EQ(v().loscroll->VertScrollBar().Increment(), 92);
    EXPECT_EQ(v().editOnOff->FontColor(), ui::clBlack);
    EXPECT_EQ(v().loimg->PopupMenu(), v().editmen);
    EXPECT_EQ(v().objlist->PopupMenu(), v().objlistmen);
    EXPECT_EQ(v().loworklist->PopupMenu(), v().workmen);
    EXPECT_EQ(v().lobjects->PopupMenu(), v().mngobj);
    EXPECT_EQ(v().savelodat->Title(), "Save LO02xxxx.dat file as");
    EXPECT_EQ(v().savelodat->DefaultExt(), ".dat");
    EXPECT_TRUE(v().openalo->Title().empty());
    EXPECT_TRUE(v().savelototext->Title().empty());
}

// Every visible control fits a 1366 x 768 screen and none covers another;
// a larger window goes to the view.
TEST_F(LoviewTest, WindowFitsASmallScreenAndGivesMoreRoomToTheView) {
    create();
    EXPECT_LE(v().Width(), 1366 - 20);
    EXPECT_LE(v().Height(), 768 - 60);
    std::vector<const ui::TControl*> shown;
    for (const ui::TControl* c : v().children())
        if (c->Visible()) shown.push_back(c);
    for (const ui::TControl* c : shown) {
        EXPECT_GE(c->Left(), 0) << c->Name();
        EXPECT_LE(c->Left() + c->Width(), v().Width()) << c->Name();
        EXPECT_LE(c->Top() + c->Height(), v().Height()) << c->Name();
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const ui::TControl &a = *shown[i], &b = *shown[j];
            const bool apart = a.Left() + a.Width() <= b.Left() ||
                               b.Left() + b.Width() <= a.Left() ||
                               a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
            EXPECT_TRUE(apart) << a.Name() << " covers " << b.Name();
        }
    const int w = v().loscroll->Width(), h = v().loscroll->Height();
    const int listsW = v().objlist->Width();
    v().userResize(v().Width() + 300, v().Height() + 200);
    EXPECT_EQ(v().loscroll->Width(), w + 300);
    EXPECT_EQ(v().loscroll->Height(), h + 200);
    EXPECT_EQ(v().objlist->Width(), listsW);
}

TEST_F(LoviewTest, ViewLoFileLoadsTheSelectedLandmarksFile) {
    TForm1& f = loaded();
    v().locfile->setChecked(true); // the main window's choice wins over a manual one
    v().manLofile = "/elsewhere/lo029999.dat";
    f.showloview->click();
    ASSERT_TRUE(dlg->messages.empty()) << dlg->messages.front();
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_TRUE(v().Visible());
    EXPECT_FALSE(v().locfile->Checked());
    EXPECT_FALSE(Form1->fromMain);
    EXPECT_EQ(lotab.head.count, 2);
    ASSERT_EQ(v().lolist->Items().Count(), 2);
    EXPECT_EQ(v().lolist->ItemIndex(), 0);
    EXPECT_EQ(v().lolist->Items()[0].rfind("#   0 V 0 x:   13 y:   -7 rot: 90.0 LoID  9  A ", 0),
              0u)
        << v().lolist->Items()[0];
    EXPECT_EQ(v().lolist->Items()[1], lolistLine(1, lotab.objs[1]));
    EXPECT_EQ(v().objlist->Items()[0].rfind("  0 $09$0a ", 0), 0u) << v().objlist->Items()[0];
    EXPECT_EQ(v().objlist->ItemIndex(), -1);
    // The lists show the image's size before the view is sized from the spans:
    // the size that showing the window gave it.
    EXPECT_EQ(v().Label1->Caption(), "10000 10000");
    EXPECT_EQ(v().spanX, 8000);
    EXPECT_EQ(v().spanY, 10000);
}

TEST_F(LoviewTest, ViewLoFileSizesCentresAndDrawsTheView) {
    TForm1& f = loaded();
    f.showloview->click();
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(v().loimg->Width(), 8800);
    EXPECT_EQ(v().loimg->Height(), 11000);
    EXPECT_EQ(v().loscroll->HorzScrollBar().Position(), 4400 - v().loscroll->Width() / 2);
    EXPECT_EQ(v().amagxylab->Caption(), "draw   2 total   2 66.67 %");
    EXPECT_EQ(v().LMname->Caption().rfind("current LOfile: ", 0), 0u) << v().LMname->Caption();
    EXPECT_NE(v().LMname->Caption().find(" guess "), std::string::npos);
    EXPECT_EQ(v().scbarLab->Caption(),
              "SCbar pos x: " + std::to_string(v().loscroll->HorzScrollBar().Position()) +
                  " y: " + std::to_string(v().loscroll->VertScrollBar().Position()));
    const ui::TCanvas& c = v().loimg->Canvas();
    EXPECT_EQ(c.Pixels(10, 10), ui::clGray);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(v().scr.placed[i]);
        EXPECT_EQ(c.Pixels(v().scr.scrX[i], v().scr.scrY[i]), ui::clYellow) << i;
    }
    EXPECT_TRUE(v().loimg->Picture().empty()) << "no raster of the view's size";
}

TEST_F(LoviewTest, ViewLoFileRefusals) {
    // Before any map: refused, the viewer stays hidden.
    standardData({vxtest::makeLandmark("Alpha", 48.6f, 2.8f, 2, 0, 1)});
    TForm1& f = create();
    f.showloview->click();
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{"Must load a map first.."}));
    EXPECT_FALSE(v().Visible());
    EXPECT_FALSE(Form1->fromMain);

    // The landmark's file is not in the folder: both windows say so, the flag stays.
    f.loadpic->click();
    ASSERT_EQ(f.Lofile->ItemIndex(), -1);
    dlg->messages.clear();
    f.showloview->click();
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{"Select landmark first ....  ",
                                                       "no location selected : lo02xxxx.dat"}));
    EXPECT_TRUE(v().Visible());
    EXPECT_TRUE(Form1->fromMain);
    EXPECT_EQ(lotab.head.count, 0);
}

TEST_F(LoviewTest, DoubleClickInTheFileListLoadsThatFile) {
    TForm1& f = loaded();
    ASSERT_EQ(v().lopick->Items().texts(),
              (std::vector<std::string>{"lo020201.dat", "lo020302.dat"}));
    v().Show();
    v().locfile->setChecked(true);
    v().lopick->userDblClick(1);
    ASSERT_TRUE(dlg->messages.empty()) << dlg->messages.front();
    EXPECT_EQ(f.Lofile->ItemIndex(), 1);
    EXPECT_FALSE(v().locfile->Checked());
    EXPECT_FALSE(Form1->fromMain);
    EXPECT_TRUE(v().Visible());
    EXPECT_EQ(lotab.head.count, 3);
    EXPECT_EQ(v().objlist->Items().Count(), 3);
    // Class 19 type 0 and a hidden record list like any other.
    EXPECT_EQ(v().lolist->Items()[1].rfind("#   1 V 3", 0), 0u);

    // The file went away: told, nothing loaded, the list choice stays.
    fs::remove(prog / "LMdefault" / "lo020201.dat");
    v().lopick->userDblClick(0);
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{"lo file not found " + folder() +
                                                       "lo020201.dat exiting..."}));
    EXPECT_EQ(f.Lofile->ItemIndex(), 0);
    EXPECT_EQ(lotab.head.count, 3);
}

TEST_F(LoviewTest, DoubleClickWithNoLineSelectedDoesNothing) {
    loaded();
    v().Show();
    v().lopick->setItemIndex(-1);
    v().lopick->OnDblClick();
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_FALSE(Form1->fromMain);
    EXPECT_EQ(lotab.head.count, 0);
}

TEST_F(LoviewTest, ChooseManuallyTakesTheDialogRoad) {
    loaded();
    const std::string other = (root.path() / "mine.dat").string();
    vxtest::writeFile(other, vxtest::objectFile({vxtest::makeObject(6, 1, 0, 0)}));
    v().Show();
    dlg->fileAnswers = {other};
    v().customload->click();
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    EXPECT_FALSE(dlg->fileRequests[0].save);
    EXPECT_EQ(dlg->fileRequests[0].initialDir, folder());
    EXPECT_EQ(dlg->fileRequests[0].fileName, "");
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_TRUE(v().locfile->Checked());
    EXPECT_EQ(v().manLofile, other);
    EXPECT_EQ(v().curLofileName(), other);
    EXPECT_EQ(lotab.head.count, 1);
    EXPECT_TRUE(v().Visible());

    // A chosen name that is not there: told, the box cleared, the path kept.
    const std::string gone = (root.path() / "gone.dat").string();
    dlg->fileAnswers = {gone};
    v().customload->click();
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{
                                 "file " + gone + " does not exist / not readable... exiting.. "}));
    EXPECT_FALSE(v().locfile->Checked());
    EXPECT_EQ(v().manLofile, gone);
    EXPECT_EQ(lotab.head.count, 1);

    // Cancelled: told, the manual choice forgotten, the table kept.
    dlg->messages.clear();
    v().customload->click();
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{"no file selected, exiting.. "}));
    EXPECT_FALSE(v().locfile->Checked());
    EXPECT_EQ(v().manLofile, "");
    EXPECT_EQ(v().curLofileName(), "lo020201.dat");
    EXPECT_EQ(lotab.head.count, 1);
}

// A file that is there but cannot be read is the file in view from then on:
// the captions and the save name name it, so the table and the lists are
// emptied, and neither a save nor "Cancel edit" brings back the previous
// file's objects under its name.
TEST_F(LoviewTest, FailedReadEmptiesTheTableUnderTheFailedFilesName) {
    TForm1& f = loaded();
    f.showloview->click();
    // A plain file whose read fails on every Linux system, on both roads.
    ASSERT_TRUE(fileExists("/proc/self/mem"));
    fs::create_symlink("/proc/self/mem", prog / "LMdefault" / "lo020403.dat");
    f.loadpic->click(); // the file lists take the new name
    const int row = v().lopick->Items().IndexOf("lo020403.dat");
    ASSERT_GE(row, 0);
    const struct {
        const char* road;
        std::function<void()> load;
        std::string name; // curLofileName, the save's proposal
    } cases[] = {
        {"dialog",
         [&] {
             dlg->fileAnswers = {"/proc/self/mem"};
             v().customload->click();
         },
         "/proc/self/mem"},
        {"file list", [&] { v().lopick->userDblClick(row); }, "lo020403.dat"},
    };
    for (const auto& c : cases) {
        dlg->errors.clear();
        v().lopick->userDblClick(0);
        ASSERT_EQ(lotab.head.count, 2) << c.road;
        v().lolist->setItemIndex(1);
        v().chgobj->click(); // a snapshot of the previous file
        c.load();
        ASSERT_EQ(dlg->errors.size(), 1u) << c.road;
        EXPECT_EQ(lotab.head.count, 0) << c.road;
        EXPECT_EQ(v().lolist->Items().Count(), 0) << c.road;
        EXPECT_EQ(v().objlist->Items().Count(), 0) << c.road;
        EXPECT_FALSE(Form1->fromMain) << c.road;
        EXPECT_EQ(v().curLofileName(), c.name) << c.road;
        EXPECT_NE(v().LMname->Caption().find(c.name), std::string::npos) << v().LMname->Caption();
        EXPECT_EQ(v().amagxylab->Caption(), "draw   0 total   0 0.00 %") << c.road;
        v().canceledit->click();
        EXPECT_EQ(lotab.head.count, 0) << c.road;
        const std::string out = (root.path() / "saved.dat").string();
        dlg->fileAnswers = {out};
        v().savelo->click();
        EXPECT_EQ(dlg->fileRequests.back().fileName, c.name) << c.road;
        EXPECT_EQ(fs::file_size(out), 100u) << c.road;
    }
}

TEST_F(LoviewTest, OversizedCountLoadsTheTableAndSaysSo) {
    loaded();
    const std::string big = (root.path() / "big.dat").string();
    std::vector<LOobject> objs(1030, vxtest::makeObject(7, 3, 1, 1));
    vxtest::writeFile(big, vxtest::objectFile(objs, 1030));
    v().Show();
    dlg->fileAnswers = {big};
    v().customload->click();
    EXPECT_EQ(lotab.head.count, 1025);
    EXPECT_EQ(v().lolist->Items().Count(), 1025);
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{loCountCappedMessage(big, 1030)}));
}

TEST_F(LoviewTest, SaveAsksWithItsSettingsAndReportsTheBytes) {
    TForm1& f = loaded();
    f.showloview->click();
    v().allowedit(true);
    ASSERT_TRUE(v().editAllowed);

    // Cancelled: editing is off all the same and nothing is written.
    v().savelo->click();
    EXPECT_FALSE(v().editAllowed);
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    const FileDialogRequest& r = dlg->fileRequests[0];
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.title, "Save LO02xxxx.dat file as");
    EXPECT_EQ(r.defaultExt, ".dat");
    EXPECT_TRUE(r.filters.empty());
    EXPECT_FALSE(r.overwritePrompt);
    EXPECT_EQ(r.initialDir, folder());
    EXPECT_EQ(r.fileName, "lo020201.dat");
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{" Lofile lo020201.dat not saved...."}));

    // Saved unchanged: the same bytes as the file read.
    const std::string out = (root.path() / "copy.dat").string();
    dlg->messages.clear();
    dlg->fileAnswers = {out};
    v().saveobjs->click();
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{" Lofile " + out + " saved, 140 bytes"}));
    EXPECT_EQ(vxtest::readFile(out), vxtest::readFile(prog / "LMdefault" / "lo020201.dat"));

    // The work list is offered the name in view; its edit mode stays.
    v().allowedit(true);
    dlg->fileAnswers = {out};
    v().savedat->click();
    EXPECT_TRUE(v().editAllowed);
    EXPECT_EQ(dlg->fileRequests.back().fileName, "lo020201.dat");
    EXPECT_EQ(vxtest::readFile(out).size(), 100u);
}

TEST_F(LoviewTest, TextExportWritesOneLinePerRecord) {
    TForm1& f = loaded();
    f.showloview->click();
    const std::string out = (root.path() / "objs.txt").string();
    v().savelotxt->click(); // cancelled: nothing written
    EXPECT_FALSE(fs::exists(out));
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    EXPECT_EQ(dlg->fileRequests[0].fileName, "lo020201.dat.txt");
    EXPECT_EQ(dlg->fileRequests[0].initialDir, folder());
    dlg->fileAnswers = {out};
    v().savelotxt->click();
    const std::string text = vxtest::readFile(out);
    EXPECT_EQ(text, loExportText(lotab));
    EXPECT_EQ(text.rfind("rec# ,   0,  active, coord in ft:, X ,     13, Y,      -7, rot 90.0, "
                         "elev 0.00, obj/ID : ,$09, $0a, Obj name, ",
                         0),
              0u)
        << text;
    EXPECT_TRUE(dlg->messages.empty());
}

TEST_F(LoviewTest, ReloadMapKeepsTheSelectedRow) {
    TForm1& f = loaded();
    f.lmpicklist->userClick(1);
    setName(lmfile.rec(2), "Changed");
    f.remap->click();
    EXPECT_EQ(std::string(nameText(lmfile.rec(2))), "Bravo");
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 1);
    EXPECT_EQ(f.lmpicklist->TopIndex(), 1);
    // Selected by the program: the panel still shows what the load showed.
    EXPECT_EQ(f.lndmrkname->Text(), "Alpha");

    f.lmpicklist->setItemIndex(-1);
    f.remap->click();
    EXPECT_EQ(f.lmpicklist->ItemIndex(), -1);

    // The old row is gone from the reloaded file: no row.
    f.lmpicklist->setItemIndex(2);
    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf",
                      vxtest::landmarkFile({vxtest::makeLandmark("Solo", 48.6f, 2.8f)}));
    f.remap->click();
    EXPECT_EQ(f.lmpicklist->Items().Count(), 1);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), -1);
}

TEST_F(LoviewTest, IconsLoadAtStartAndOnRequestOnlyWhereMatched) {
    fs::create_directories(prog / "gfxfiles");
    vxtest::writeJpeg(prog / "gfxfiles" / "0600_.jpg", 8, 6, 0x0000ff);
    vxtest::writeJpeg(prog / "gfxfiles" / "0905_a.jpg", 4, 4, 0x00ff00);
    vxtest::writeFile(prog / "gfxfiles" / "0601_bad.jpg", "not a picture");
    fs::create_directories(prog / "gfxfiles" / "0602_dir.jpg");
    vxtest::writeJpeg(prog / "gfxfiles" / "Halvoryspec.jpg", 5, 5, 0xffffff);
    loaded();
    v().Show();
    EXPECT_EQ(objPics.at(6, 0).Width(), 8);
    EXPECT_TRUE(objPics.at(6, 1).empty()); // unreadable: stays empty, the rest load
    EXPECT_EQ(objPics.at(6, 2).Width(), 5);
    EXPECT_EQ(objPics.at(9, 5).Width(), 4);
    EXPECT_TRUE(objPics.at(9, 6).empty());
    EXPECT_THROW(objPics.at(5, 0), RangeError);

    // No gfxfiles in the template folder: nothing changes.
    v().loadcustgfx->click();
    EXPECT_EQ(objPics.at(9, 5).Width(), 4);

    fs::create_directories(prog / "LMdefault" / "gfxfiles");
    vxtest::writeJpeg(prog / "LMdefault" / "gfxfiles" / "0905_b.jpg", 7, 7, 0x00ffff);
    v().loadcustgfx->click();
    EXPECT_TRUE(dlg->errors.empty());
    EXPECT_EQ(objPics.at(9, 5).Width(), 7);
    EXPECT_EQ(objPics.at(6, 0).Width(), 8);
    EXPECT_EQ(objPics.at(6, 2).Width(), 5);
}

TEST_F(LoviewTest, QuitFreesTheIconPictures) {
    TForm1& f = loaded();
    ASSERT_TRUE(objPics.created());
    f.quitapp->click();
    EXPECT_FALSE(objPics.created());
    EXPECT_THROW(objPics.at(6, 0), NilObjectError);
}

// Class 6 to 9 types beyond 42 have no name and no icon entry: they are drawn
// (sized like a name without "ft:"), counted and picked like any other, with
// no icon and no sprite, and nothing raises.
TEST_F(LoviewTest, TypesWithoutANameAreDrawnCountedAndPickedWithoutAnIcon) {
    TForm1& f = loaded();
    vxtest::writeFile(
        prog / "LMdefault" / "lo020201.dat",
        vxtest::objectFile({vxtest::makeObject(9, 43, 300, 0), vxtest::makeObject(6, 42, -300, 0),
                            vxtest::makeObject(21, 0, 0, 300),
                            vxtest::makeObject(7, 255, 0, -300)}));
    ASSERT_TRUE(objPics.created());
    objPics.at(7, 0).Bitmap().setSize(3, 3); // the sprite of classes outside 6 to 9
    f.showloview->click();
    v().showpics->userToggle();
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(v().amagxylab->Caption(), "draw   4 total   4 80.00 %");
    const struct {
        int row;
        bool sprite;
    } cases[] = {{2, true}, {0, false}, {2, true}, {3, false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(v().scr.placed[size_t(c.row)]) << c.row;
        v().lolist->setItemIndex(-1);
        v().loimg->userMouseDown(ui::mbLeft, {}, v().scr.scrX[size_t(c.row)],
                                 v().scr.scrY[size_t(c.row)]);
        EXPECT_EQ(v().lolist->ItemIndex(), c.row);
        EXPECT_EQ(v().bgratest->Picture().empty(), !c.sprite) << c.row;
        EXPECT_EQ(
            v().loimg->Canvas().Pixels(v().scr.scrX[size_t(c.row)], v().scr.scrY[size_t(c.row)]),
            ui::clYellow)
            << c.row;
    }
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

// A load ends a pending group move on every road: a group taken from one file
// is never drawn over another, nor appended to it by a confirm.
TEST_F(LoviewTest, ALoadEndsAPendingGroupMove) {
    TForm1& f = loaded();
    f.showloview->click();
    const struct {
        const char* road;
        std::function<void()> load;
        int count; // objects of the file loaded
    } cases[] = {
        {"file list", [&] { v().lopick->userDblClick(1); }, 3},
        {"View Lo file", [&] { f.showloview->click(); }, 3},
    };
    for (const auto& c : cases) {
        v().objlist->setSelected(0, true);
        v().objlist->setSelected(1, true);
        v().cpobjs->click();
        v().loworklist->setItemIndex(0);
        v().loworklist->setSelected(1, true);
        v().mvmany->click();
        ASSERT_TRUE(v().group.moveManyMode) << c.road;
        v().loimg->userMouseMove({.alt = true}, 30, 70);
        ASSERT_EQ(v().drawnCount, lotab.head.count + 2) << c.road;

        c.load();
        ASSERT_EQ(lotab.head.count, c.count) << c.road;
        EXPECT_FALSE(v().group.moveManyMode) << c.road;
        v().loimg->userMouseMove({.alt = true}, 40, 70);
        EXPECT_EQ(v().drawnCount, c.count) << c.road;
        v().mvmanyconfirm->click();
        EXPECT_EQ(lotab.head.count, c.count) << c.road;
    }
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}
