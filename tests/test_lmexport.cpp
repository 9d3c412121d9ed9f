#include "mainwindow_fixture.h"

#include "mapeditor/lmexport.h"
#include "support/fileio.h"
#include "support/rtlconv.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

using namespace vx;
using vxtest::MainWindowTest;
using vxtest::makeLandmark;
namespace fs = std::filesystem;

namespace {

const float lat7 = 49.70893478393555f, lon7 = 4.433165550231934f;

std::string right13(const std::string& s) {
    return std::string(s.size() < 13 ? 13 - s.size() : 0, ' ') + s;
}

ExportColumns all(bool csv) {
    return {true, true, true, true, true, true, csv, false};
}

} // namespace

TEST(LandmarkExport, ColumnsAndSeparators) {
    const landmark alpha = makeLandmark("Alpha", lat7, lon7, 1, 1, 10);
    ExportColumns nameOnly;
    nameOnly.name = true;
    ExportColumns csvOnly;
    csvOnly.csv = true;
    struct Case {
        ExportColumns cols;
        int mode;
        std::string line;
    };
    const std::string coords = "EW " + right13("4.43316555") + " NS " + right13("49.70893478");
    const Case cases[] = {
        {{}, 0, "     "},
        {csvOnly, 0, ", , , , , "},
        {nameOnly, 0, "     Alpha"},
        {all(true), 0, "  7 , lo02010a.dat, visible , " + coords + ", A, Alpha"},
        {all(false), 0, "  7  lo02010a.dat visible  " + coords + " A Alpha"},
        {all(false), 1, "  7  lo01010a.dat visible  " + coords + " A Alpha"},
    };
    for (const auto& c : cases) EXPECT_EQ(exportLine(alpha, 7, c.mode, c.cols), c.line);
    EXPECT_THROW(exportLine(alpha, 7, 2, {}), RangeError) << "the mode is read for every record";
}

TEST(LandmarkExport, CellTexts) {
    ExportColumns recnr;
    recnr.recnr = true;
    const landmark a = makeLandmark("A", 1, 1);
    EXPECT_EQ(exportLine(a, 1, 0, recnr), "  1      ");
    EXPECT_EQ(exportLine(a, 10, 0, recnr), " 10      ");
    EXPECT_EQ(exportLine(a, 512, 0, recnr), "512      ");

    ExportColumns side;
    side.side = true;
    struct Side {
        uint8_t byte;
        const char* text;
    };
    for (const Side s : {Side{0, "G"}, Side{1, "A"}, Side{2, "A"}, Side{255, "A"}})
        EXPECT_EQ(exportLine(makeLandmark("A", 1, 1, 0, s.byte), 1, 0, side),
                  "    " + std::string(s.text) + " ");

    ExportColumns hidden;
    hidden.hidden = true;
    struct Act {
        float lat, lon;
        const char* text;
    };
    for (const Act t : {Act{1, 1, "visible "}, Act{1, -1, "visible "}, Act{0, 0, "inactive"},
                        Act{-1, 1, "inactive"}, Act{-1, -1, "inactive"}})
        EXPECT_EQ(exportLine(makeLandmark("A", t.lat, t.lon), 1, 0, hidden),
                  "  " + std::string(t.text) + "   ");

    ExportColumns coords;
    coords.coords = true;
    EXPECT_EQ(exportLine(makeLandmark("A", -lat7, -lon7), 1, 0, coords),
              "   EW " + right13("-4.43316555") + " NS " + right13("-49.70893478") + "  ");
    EXPECT_EQ(exportLine(landmark{}, 1, 0, coords),
              "   EW " + right13("0") + " NS " + right13("0") + "  ");
    // Outside 0.00001 to 10^10 the text takes an exponent.
    EXPECT_EQ(exportLine(makeLandmark("A", 0x1p-21f, 1e10f), 1, 0, coords),
              "   EW " + right13("1E10") + " NS " + right13("4.768371582E-7") + "  ");

    // A name that fills its field has no NUL: all 40 characters.
    landmark full{};
    std::memset(full.name, 'n', sizeof full.name);
    ExportColumns name;
    name.name = true;
    EXPECT_EQ(exportLine(full, 1, 0, name), "     " + std::string(40, 'n'));
}

TEST(LandmarkExport, ActiveOnlyLeavesOutRecordsAtOrBelowLatitudeZero) {
    Tlm t{};
    t.rec(1) = makeLandmark("on", 1, 2);
    t.rec(2) = makeLandmark("off", -1, -2);
    t.rec(3) = landmark{};
    t.rec(4) = makeLandmark("west", 1, -2);
    t.head.count = 4;
    ExportColumns cols;
    cols.name = true;
    cols.recnr = true;
    cols.activeOnly = true;
    EXPECT_EQ(exportText(t, 0, cols), "  1      on\n  4      west\n");
    cols.activeOnly = false;
    EXPECT_EQ(exportText(t, 0, cols), "  1      on\n  2      off\n  3      \n  4      west\n");
    t.head.count = 0;
    EXPECT_EQ(exportText(t, 0, cols), "");
}

namespace {

class ExportWindowTest : public MainWindowTest {
protected:
    TForm1& loaded() {
        standardData({makeLandmark("Alpha", lat7, lon7, 1, 1, 10), makeLandmark("Off", -1, -1)});
        TForm1& w = create();
        w.loadpic->click();
        return w;
    }
};

} // namespace

TEST_F(ExportWindowTest, WritesTheTickedColumnsToTheChosenFile) {
    TForm1& f = loaded();
    for (ui::TCheckBox* c : {f.inc_recnr, f.inc_lo, f.inc_hidden, f.inc_coords, f.inc_LM_name,
                             f.csv, f.allORger, f.inc_actonly})
        EXPECT_FALSE(c->Checked()) << c->Name();
    f.inc_recnr->userToggle();
    f.inc_LM_name->userToggle();
    f.csv->userToggle();
    const fs::path out = cwd / "list.txt";
    dlg->fileAnswers.push_back(out.string());
    f.savelminfo->click();
    ASSERT_EQ(dlg->fileRequests.size(), 1u);
    const FileDialogRequest& req = dlg->fileRequests[0];
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.initialDir, (prog / "").string() + "/LMdefault");
    EXPECT_EQ(req.fileName, "lndmrks4.txt");
    EXPECT_EQ(req.title, "Save to a Lndmrks#.dat / mlf file");
    EXPECT_EQ(req.defaultExt, ".dat");
    EXPECT_TRUE(req.overwritePrompt);
    EXPECT_EQ(vxtest::readFile(out), "  1 , , , , , Alpha\n  2 , , , , , Off\n");
    EXPECT_TRUE(dlg->messages.empty());

    // "inc_actonly" unticks "mark_hidden" and leaves out the inactive record.
    f.inc_actonly->userToggle();
    EXPECT_FALSE(f.inc_hidden->Checked());
    f.inc_actonly->userToggle();
    EXPECT_TRUE(f.inc_hidden->Checked());
    f.inc_actonly->userToggle();
    f.inc_hidden->userToggle();
    EXPECT_TRUE(f.inc_hidden->Checked());
    dlg->fileAnswers.push_back(out.string());
    f.savelminfo->click();
    EXPECT_EQ(vxtest::readFile(out), "  1 , , visible , , , Alpha\n");
}

TEST_F(ExportWindowTest, CancelOrAnEmptyNameWritesNothing) {
    TForm1& f = loaded();
    f.savelminfo->click();
    dlg->fileAnswers.push_back("");
    f.savelminfo->click();
    EXPECT_EQ(dlg->fileRequests.size(), 2u);
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_FALSE(fs::exists(cwd / "lndmrks4.txt"));
}

TEST_F(ExportWindowTest, NoTemplateMapOrModeSelectedIsRefused) {
    TForm1& f = loaded();
    for (ui::TComboBox* box : {f.LMtemplate, f.mapchoice, f.mlfORmbf}) {
        const int keep = box->ItemIndex();
        box->setItemIndex(-1);
        dlg->fileAnswers.push_back((cwd / "never.txt").string());
        f.savelminfo->click();
        EXPECT_EQ(dlg->messages.back(), "Select a map, a mode and a template folder first...");
        EXPECT_TRUE(dlg->fileRequests.empty()) << box->Name();
        dlg->fileAnswers.clear();
        box->setItemIndex(keep);
    }
    EXPECT_FALSE(fs::exists(cwd / "never.txt"));
}

TEST_F(ExportWindowTest, AFailedWriteLeavesNoFileAndSaysSo) {
    TForm1& f = loaded();
    fs::create_directories(cwd / "adir");
    vxtest::writeFile(cwd / "afile", "keep");
    for (const fs::path& target : {cwd / "adir", cwd / "afile" / "x.txt", cwd / "gone" / "x.txt"}) {
        dlg->messages.clear();
        dlg->fileAnswers.push_back(target.string());
        f.savelminfo->click();
        EXPECT_EQ(dlg->messages,
                  std::vector<std::string>{"something went wrong, could not create file"})
            << target;
        EXPECT_TRUE(dlg->errors.empty());
    }
    EXPECT_TRUE(fs::is_directory(cwd / "adir"));
    EXPECT_EQ(vxtest::readFile(cwd / "afile"), "keep");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(cwd)) ++entries;
    EXPECT_EQ(entries, 3) << "no temporary file is left behind"; // map, adir, afile
    EXPECT_EQ(lmfile.count(), 2);
}

// An existing file that cannot be rewritten (here its flush fails) is not
// reported as a file that could not be made: the error names the reason, and
// the old file stays.
TEST_F(ExportWindowTest, AFailedRewriteOfAnExistingFileIsNoFailedCreate) {
    TForm1& f = loaded();
    const fs::path out = cwd / "list.txt";
    vxtest::writeFile(out, "keep");
    setWriterSyncForTesting([](int, bool) {
        errno = EIO;
        return -1;
    });
    dlg->fileAnswers.push_back(out.string());
    f.savelminfo->click();
    setWriterSyncForTesting(nullptr);
    EXPECT_TRUE(dlg->messages.empty()) << dlg->messages.front();
    ASSERT_EQ(dlg->errors.size(), 1u);
    EXPECT_NE(dlg->errors[0].find(out.string()), std::string::npos) << dlg->errors[0];
    EXPECT_NE(dlg->errors[0].find(std::strerror(EIO)), std::string::npos) << dlg->errors[0];
    EXPECT_EQ(vxtest::readFile(out), "keep");
}

// A file that exists but could not be written whole (a device is no file to
// write; a size limit cuts the write): the error report names the error, no
// "could not create" message, and the old file stays.
TEST_F(ExportWindowTest, AWriteErrorIsReportedNamingItAndKeepsTheOldFile) {
    TForm1& f = loaded();
    f.inc_LM_name->userToggle();
    const fs::path full = cwd / "full.txt", kept = cwd / "kept.txt";
    const bool haveFull = access("/dev/full", W_OK) == 0;
    if (haveFull) fs::create_symlink("/dev/full", full); // every write: disk full
    vxtest::writeFile(kept, "keep");
    struct Case {
        fs::path target;
        unsigned long sizeLimit; // 0: none
        const char* error;
    };
    for (const Case& c : {Case{full, 0, "not a plain file"}, Case{kept, 4, "File too large"}}) {
        if (c.target == full && !haveFull) continue;
        dlg->messages.clear();
        dlg->errors.clear();
        dlg->fileAnswers.push_back(c.target.string());
        {
            std::optional<vxtest::FileSizeLimit> limit;
            if (c.sizeLimit) limit.emplace(c.sizeLimit);
            f.savelminfo->click();
        }
        EXPECT_TRUE(dlg->messages.empty()) << c.target;
        ASSERT_EQ(dlg->errors.size(), 1u) << c.target;
        EXPECT_NE(dlg->errors[0].find(c.error), std::string::npos) << dlg->errors[0];
        EXPECT_NE(dlg->errors[0].find(c.target.string()), std::string::npos) << dlg->errors[0];
    }
    EXPECT_EQ(vxtest::readFile(kept), "keep");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(cwd)) ++entries;
    EXPECT_EQ(entries, haveFull ? 3 : 2) << "no temporary file is left behind"; // map, kept, full
}

TEST_F(ExportWindowTest, ReplacesAnExistingFileWhole) {
    TForm1& f = loaded();
    const fs::path out = cwd / "list.txt";
    vxtest::writeFile(out, std::string(5000, 'x'));
    f.inc_LM_name->userToggle();
    dlg->fileAnswers.push_back(out.string());
    f.savelminfo->click();
    EXPECT_EQ(vxtest::readFile(out), "     Alpha\n     Off\n");
}
