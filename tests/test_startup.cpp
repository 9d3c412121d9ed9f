#include "mainwindow_fixture.h"

#include "objectviewer/Unit2.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

using namespace vx;
using vxtest::MainWindowTest;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> entries(const ui::TComboBox& c) {
    return c.Items().texts();
}
} // namespace

TEST_F(MainWindowTest, StartupFillsTheSelectorsAndLists) {
    fs::create_directories(prog / "LMdefault");
    vxtest::writeFile(prog / "LMdefault" / "lndmrks0.mlf", vxtest::landmarkFile({}));
    vxtest::writeFile(cwd / "lofile-list.txt", "lo020000.dat\nLO02FFFF.dat\n");
    for (const char* n : {"lo02AbCd.dat", "lo020a1f.dat", "lo01aaaa.dat", "lo02abc.dat"})
        vxtest::writeFile(prog / "LMdefault" / n, "");
    TForm1& f = create();

    EXPECT_EQ(f.Caption(), "Vexton");
    EXPECT_EQ(f.mapchoice->ItemIndex(), 4);
    EXPECT_EQ(f.mapchoice->Items()[4], "lndmrks4");
    EXPECT_EQ(f.mlfORmbf->ItemIndex(), 0);
    EXPECT_EQ(f.mlfORmbf->Items()[0], ".mlf");
    EXPECT_TRUE(isMlfMode());
    EXPECT_EQ(f.LMtemplate->ItemIndex(), 0);
    EXPECT_EQ(Form1->templateDir(), "LMdefault/");
    EXPECT_EQ(f.Lotype->Items().Count(), 9);
    EXPECT_EQ(f.LMrotation->Items().Count(), 370);
    EXPECT_EQ(f.LMrotation->ItemIndex(), 0);
    EXPECT_EQ(entries(*f.side), (std::vector<std::string>{"Central", "Entente"}));
    EXPECT_EQ(f.Image1->Width(), 1345);
    EXPECT_EQ(f.Image1->Height(), 888);
    EXPECT_EQ(f.zoom, 1024);

    // The list file's lines unchanged, then the folder's matches lower-cased.
    auto lo = entries(*f.Lofile);
    ASSERT_EQ(lo.size(), 4u);
    EXPECT_EQ(lo[0], "lo020000.dat");
    EXPECT_EQ(lo[1], "LO02FFFF.dat");
    std::sort(lo.begin() + 2, lo.end());
    EXPECT_EQ(lo[2], "lo020a1f.dat");
    EXPECT_EQ(lo[3], "lo02abcd.dat");

    // Edit controls wait for edit mode; the viewer stays hidden.
    EXPECT_FALSE(f.side->Enabled());
    EXPECT_FALSE(f.undoLM->Enabled());
    EXPECT_TRUE(f.lmpicklist->Enabled());
    EXPECT_FALSE(loview->Visible());
    EXPECT_EQ(f.cpyListBox->Items()[0], "copied items go here....");
}

TEST_F(MainWindowTest, TemplateFoldersAreDiscoveredByTheirFiles) {
    struct Folder {
        const char* where; // "prog" or "cwd"
        const char* name;
        const char* file;
    };
    const Folder folders[] = {
        {"prog", "LMdefault", "lndmrks0.mlf"}, {"cwd", "LMDEFAULT", "lndmrks1.mlf"},
        {"cwd", ".hidden", "lndmrks1.mlf"},    {"cwd", "OnlyZero", "lndmrks0.mlf"},
        {"cwd", "Verdun", "lndmrks1.mlf"},     {"cwd", "arras", "lndmrks1.mlf"},
    };
    for (const auto& d : folders) {
        fs::path base = std::string(d.where) == "prog" ? prog : cwd;
        fs::create_directories(base / d.name);
        vxtest::writeFile(base / d.name / d.file, vxtest::landmarkFile({}));
    }
    vxtest::writeFile(cwd / "plainfile", "");
    TForm1& f = create();
    EXPECT_EQ(entries(*f.LMtemplate), (std::vector<std::string>{"arras", "LMdefault", "Verdun"}));
}

TEST_F(MainWindowTest, NoTemplateFolderMeansTheProgramFolder) {
    TForm1& f = create();
    EXPECT_EQ(f.LMtemplate->Items().Count(), 0);
    EXPECT_EQ(f.LMtemplate->ItemIndex(), -1);
    EXPECT_EQ(Form1->templateDir(), "./");
}

TEST_F(MainWindowTest, EnteringTheTemplateSelectorClearsTheChoice) {
    fs::create_directories(cwd / "Verdun");
    vxtest::writeFile(cwd / "Verdun" / "lndmrks1.mlf", "");
    TForm1& f = create();
    f.LMtemplate->userSelect(0);
    EXPECT_EQ(Form1->templateDir(), "Verdun/");
    f.LMtemplate->click();
    EXPECT_EQ(f.LMtemplate->ItemIndex(), -1);
    EXPECT_EQ(Form1->templateDir(), "./");
    f.LMtemplate->userSelect(0);
    f.LMtemplate->userEnter();
    EXPECT_EQ(Form1->templateDir(), "./");
}

TEST_F(MainWindowTest, CurrentObjectFileName) {
    TForm1& f = create();
    f.Lofile->Items().assign({"lo020001.dat", "lo020a1f.dat"});
    EXPECT_EQ(loview->curLofileName(), "lo02xxxx.dat");
    f.mlfORmbf->userSelect(1);
    EXPECT_EQ(loview->curLofileName(), "lo02xxxx.dat");
    f.Lofile->setItemIndex(1);
    EXPECT_EQ(loview->curLofileName(), "lo020a1f.dat");
    loview->locfile->setChecked(true);
    EXPECT_EQ(loview->curLofileName(), "");
    loview->manLofile = "/data/lo029999.dat";
    EXPECT_EQ(loview->curLofileName(), "/data/lo029999.dat");
}

TEST_F(MainWindowTest, ObjectTypeListFollowsTheMode) {
    TForm1& f = create();
    f.mlfORmbf->userSelect(1);
    EXPECT_EQ(f.Lotype->Items().Count(), 9); // a new mode takes effect at the next fill
    fillLotype();
    ASSERT_EQ(f.Lotype->Items().Count(), 256);
    EXPECT_EQ(f.Lotype->Items()[10], " A00");
    EXPECT_EQ(f.Lotype->Items()[255], "FF00");
}

TEST_F(MainWindowTest, MapChoiceShowsItsIndex) {
    TForm1& f = create();
    f.mapchoice->userSelect(2);
    EXPECT_EQ(f.mapchoiceitemindex->Caption(), "2");
    f.mapchoice->userSetText("typed");
    EXPECT_EQ(f.mapchoiceitemindex->Caption(), "-1");
}

TEST_F(MainWindowTest, QuitClosesTheMainWindow) {
    TForm1& f = create();
    f.quitapp->click();
    EXPECT_TRUE(ui::Application().Terminated());
    EXPECT_TRUE(dlg->errors.empty());
}
