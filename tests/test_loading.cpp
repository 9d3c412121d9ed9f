#include "mainwindow_fixture.h"

#include "mapeditor/calibration.h"
#include "mapeditor/lmtext.h"
#include "objectviewer/Unit2.h"
#include "support/helpers.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

using namespace vx;
using vxtest::MainWindowTest;
namespace fs = std::filesystem;

namespace {
const std::vector<landmark> three = {
    vxtest::makeLandmark("Alpha", 48.6f, 2.8f, 0, 0, 1),
    vxtest::makeLandmark("Bravo", 48.7f, 2.9f, 7, 1, 2),
    vxtest::makeLandmark("Charlie", 48.5f, 2.5f, 8, 0, 3),
};
} // namespace

TEST_F(MainWindowTest, LoadFillsTheListsAndShowsTheFirstLandmark) {
    standardData(three);
    for (const char* n : {"lo020001.dat", "lo02000A.dat", "lo07ffff.dat", "lo0200.dat"})
        vxtest::writeFile(prog / "LMdefault" / n, "");
    TForm1& f = create();
    f.loadpic->click();
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();

    EXPECT_EQ(lmfile.count(), 3);
    ASSERT_EQ(f.lmpicklist->Items().Count(), 3);
    EXPECT_EQ(f.lmpicklist->Items()[1], "E  town 2 Bravo");
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0);
    EXPECT_EQ(f.mapchoiceitemindex->Caption(), "4 island.jpg");
    EXPECT_EQ(f.RxYLabel->Caption(), "x: 4000 y: 3000");
    EXPECT_EQ(f.Image1->Width(), 4000);
    EXPECT_EQ(f.Image1->Height(), 3000);
    EXPECT_EQ(mapbackup->Width(), 4000);

    const std::vector<std::string> lo = {"lo020001.dat", "lo02000a.dat", "lo07ffff.dat"};
    EXPECT_EQ(f.Lofile->Items().texts(), lo);
    EXPECT_EQ(loview->lopick->Items().texts(), lo);
    // Showing record 1 selects its object file when the list holds it.
    EXPECT_EQ(f.Lofile->ItemIndex(), 0);
    EXPECT_EQ(f.lofname->Caption(), "lo020001.dat");
    EXPECT_EQ(f.lndmrkname->Text(), "Alpha");
    EXPECT_EQ(f.LMdata->Lines().Count(), 8);
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :Alpha");
}

TEST_F(MainWindowTest, PictureIsLookedUpInTheTemplateFolderFirst) {
    standardData(three);
    fs::create_directories(cwd / "LMdefault");
    vxtest::writeJpeg(cwd / "LMdefault" / "island.jpg", 400, 300, 0x0000ff);
    TForm1& f = create();
    f.loadpic->click();
    EXPECT_EQ(f.RxYLabel->Caption(), "x: 400 y: 300");
}

TEST_F(MainWindowTest, WithoutAPictureTheUserIsAsked) {
    standardData(three);
    fs::remove(cwd / "island.jpg");
    TForm1& f = create();

    dlg->fileAnswers.push_back((cwd / "nothere.jpg").string());
    f.loadpic->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"No Map found ..."});
    EXPECT_EQ(lmfile.count(), 0) << "the load ends before the file is read";
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    EXPECT_EQ(dlg->fileRequests[0].defaultExt, ".jpg");

    // Cancel keeps the picture shown and loads the file all the same.
    f.loadpic->click();
    EXPECT_EQ(lmfile.count(), 3);
}

TEST_F(MainWindowTest, MissingTemplateFileChangesOnlyThePicture) {
    standardData(three);
    TForm1& f = create();
    f.loadpic->click();
    ASSERT_EQ(lmfile.count(), 3);
    vxtest::writeJpeg(cwd / "flanders.jpg", 200, 100, 0xff0000);
    f.mapchoice->userSelect(1);
    f.loadpic->click();
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_EQ(f.Image1->Picture().Width(), 200);
    EXPECT_EQ(lmfile.count(), 3);
    EXPECT_EQ(f.lmpicklist->Items().Count(), 3);
    EXPECT_EQ(f.RxYLabel->Caption(), "x: 4000 y: 3000");
}

TEST_F(MainWindowTest, BadFilesAreRefusedAndChangeNothing) {
    standardData(three);
    TForm1& f = create();
    f.loadpic->click();
    ASSERT_EQ(lmfile.count(), 3);
    const Tlm before = lmfile;

    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf", std::string(60, 'x'));
    f.loadpic->click();
    ASSERT_EQ(dlg->messages.size(), 1u);
    EXPECT_NE(dlg->messages[0].find("100-byte header"), std::string::npos);

    landmarkhead h{};
    h.recsize = 0;
    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf",
                      std::string(reinterpret_cast<const char*>(&h), sizeof h) + "abc");
    f.loadpic->click();
    ASSERT_EQ(dlg->messages.size(), 2u);
    EXPECT_NE(dlg->messages[1].find("record size 0"), std::string::npos);

    EXPECT_EQ(std::memcmp(&before, &lmfile, sizeof before), 0);
    EXPECT_EQ(f.lmpicklist->Items().Count(), 3);
    EXPECT_TRUE(dlg->errors.empty());
}

TEST_F(MainWindowTest, LoadWithoutMapOrModeEndsWithARangeError) {
    standardData(three);
    TForm1& f = create();
    f.mapchoice->userSetText("lndmrks9");
    f.loadpic->click();
    EXPECT_EQ(dlg->errors.size(), 1u);
    f.mapchoice->userSelect(4);
    f.mlfORmbf->userSetText(".xyz");
    f.loadpic->click();
    EXPECT_EQ(dlg->errors.size(), 2u);
    EXPECT_EQ(lmfile.count(), 0);
}

TEST_F(MainWindowTest, BrigadeModeReadsTheBrigadeFile) {
    standardData({});
    vxtest::writeFile(prog / "LMdefault" / "brigade4.mbf",
                      vxtest::landmarkFile({vxtest::makeLandmark("1st Bde", 48.6f, 2.8f, 12)}));
    TForm1& f = create();
    f.mlfORmbf->userSelect(1);
    f.loadpic->click();
    EXPECT_EQ(lmfile.count(), 1);
    EXPECT_EQ(f.Lotype->Items().Count(), 256);
    EXPECT_EQ(f.lofname->Caption(), "!not fnd: lo010c00.dat");
    EXPECT_EQ(f.LMdata->Lines()[2], "n/a (= lo0112");
}

TEST_F(MainWindowTest, SaveWritesTheFileUnderTheChosenName) {
    standardData(three);
    TForm1& f = create();
    f.loadpic->click();

    f.savelms->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{" Landmarks file not saved...."});
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    const auto& req = dlg->fileRequests[0];
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.title, "Save to a Lndmrks#.dat / mlf file");
    EXPECT_EQ(req.defaultExt, ".dat");
    ASSERT_EQ(req.filters.size(), 3u);
    EXPECT_EQ(req.filters[1].name, "Vexton lndmrks templates");
    EXPECT_EQ(req.filters[1].pattern, "*.mlf");
    EXPECT_EQ(req.filterIndex, 1);
    EXPECT_TRUE(req.overwritePrompt);
    EXPECT_EQ(req.initialDir, appDir() + "/LMdefault");

    const std::string out = (cwd / "saved.dat").string();
    dlg->fileAnswers.push_back(out);
    f.savelms->click();
    EXPECT_EQ(vxtest::readFile(out), vxtest::readFile(prog / "LMdefault" / "lndmrks4.mlf"));
    EXPECT_EQ(f.saveit->FileName(), "");
}

TEST_F(MainWindowTest, ReloadClearsTheObjectTypeChoice) {
    standardData({vxtest::makeLandmark("Town", 48.6f, 2.8f, 1)});
    TForm1& f = create();
    f.loadpic->click();
    ASSERT_EQ(f.Lotype->ItemIndex(), 1);
    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf",
                      vxtest::landmarkFile({vxtest::makeLandmark("Odd", 48.6f, 2.8f, 9)}));
    f.loadpic->click();
    EXPECT_EQ(f.Lotype->ItemIndex(), -1) << "type 9 has no entry; the refill cleared the old one";
}

namespace {

long residentKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

} // namespace

// Loads of maps keep only what the window shows: the picture and its clean
// copy. A decoding buffer or a copy kept for the next load would hold a
// third and a fourth 48 MB raster.
TEST_F(MainWindowTest, LoadsKeepOnlyThePictureAndItsCleanCopy) {
    standardData(three);
    vxtest::writeJpeg(cwd / mapfiles[1], 4000, 3000, 0x664433);
    vxtest::writeFile(prog / "LMdefault" / "lndmrks1.mlf", vxtest::landmarkFile(three));
    TForm1& f = create();
    f.loadpic->click();
    const long first = residentKb();
    for (int i = 0; i < 4; ++i) {
        f.mapchoice->userSelect(i % 2 ? 4 : 1);
        f.loadpic->click();
    }
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(f.mapchoice->ItemIndex(), 4);
    const long picture = 4000L * 3000 * 4 / 1024;
    EXPECT_LT(residentKb() - first, picture / 2) << "kB resident after the first load: " << first;
}
