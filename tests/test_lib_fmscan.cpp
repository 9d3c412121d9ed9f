#include "support/crc32.h"
#include "support/errors.h"
#include "support/lib_fmscan.h"
#include "test_lib_volfixture.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;
using namespace vx;

namespace {

std::string crcText(const std::string& s) {
    return std::to_string(crc32Of(s.data(), static_cast<int32_t>(s.size())));
}
std::string fileLine(const std::string& name, const std::string& bytes) {
    return name + "=" + std::to_string(bytes.size()) + "|" + crcText(bytes) + "|1";
}

// Runs each scan in a fresh current folder with the default table, no pauses.
class LibScan : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolders = scanFolders;
        scanFolders = {"", "data/multi/", "data/simpatch/", "data/", "./", "", "", "", "", "", ""};
        savedPause = scanPauseMs;
        scanPauseMs = 0;
        scanPreset.Clear();
    }
    void TearDown() override {
        scanFolders = savedFolders;
        scanPauseMs = savedPause;
        scanPreset.Clear();
    }
    std::vector<std::string> scan(const std::string& folders = "", const std::string& masks = "") {
        TStringList results;
        scanFlightModelFiles("t.txt", folders, masks, results);
        return results.texts();
    }
    std::string log() const { return dir.read("log-t.txt"); }

    vxtest::TempDir dir;
    vxtest::CwdScope cwd{dir.path()};
    std::array<std::string, 11> savedFolders;
    int savedPause = 0;
};

} // namespace

TEST_F(LibScan, NothingFound) {
    dir.write("fmparam1.dat", "in ./ but the default masks are not local");
    EXPECT_EQ(scan(), std::vector<std::string>{scanNothingFound});
    EXPECT_TRUE(fs::exists(dir / "log-t.txt"));
    EXPECT_EQ(log(), "");
}

TEST_F(LibScan, UnsafeRequestsReturnAtOnce) {
    struct Case {
        const char *folders, *masks;
    };
    const Case cases[] = {
        {"", "..\\x|"},      {"", "c:\\x|"},           {"a\\..\\|", ""},           {"", "../x|"},
        {"../|", ""},        {"/tmp/|", ""},           {"", "!/etc/passwd|"},      {".|", "./x|"},
        {"..&/x.vol&|", ""}, {"data/&../a.vol&|", ""}, {"data/|", "sub/../../x|"},
    };
    for (const auto& c : cases) {
        TStringList results;
        results.Add("b");
        results.Add("a");
        scanFlightModelFiles("t.txt", c.folders, c.masks, results);
        EXPECT_EQ(results.texts(), (std::vector<std::string>{"a", "b"})) << c.folders << c.masks;
        EXPECT_FALSE(fs::exists(dir / "log-t.txt")) << c.folders << c.masks;
        EXPECT_EQ(scanFolders[1], "data/multi/") << "table untouched";
    }
}

// The log goes to the current folder only, like every path of the request.
TEST_F(LibScan, LogNameCannotLeaveTheCurrentFolder) {
    vxtest::TempDir elsewhere;
    fs::create_directory(dir / "log-sub");
    fs::create_symlink(elsewhere / "stolen.txt", dir / "log-dangling.txt");
    elsewhere.write("present.txt", "keep");
    fs::create_symlink(elsewhere / "present.txt", dir / "log-present.txt");
    const std::string up = "../" + fs::path(elsewhere.path()).filename().string() + "/x.txt";
    for (const std::string& name : {std::string("/../../tmp/x.txt"), std::string("sub/x.txt"), up,
                                    std::string("dangling.txt"), std::string("present.txt")}) {
        TStringList results;
        scanFlightModelFiles(name, "", "", results);
        EXPECT_EQ(results.Count(), 0) << name;
    }
    EXPECT_TRUE(fs::is_empty(dir / "log-sub"));
    EXPECT_EQ(elsewhere.read("present.txt"), "keep");
    EXPECT_FALSE(fs::exists(elsewhere / "stolen.txt"));
    EXPECT_FALSE(fs::exists(elsewhere / "x.txt"));
    dir.write("inside.txt", "old");
    fs::create_symlink("inside.txt", dir / "log-inner.txt");
    TStringList results;
    scanFlightModelFiles("inner.txt", "", "", results);
    EXPECT_EQ(results.texts(), std::vector<std::string>{scanNothingFound});
    EXPECT_EQ(dir.read("inside.txt"), "") << "a link within the folder is followed";
}

// Nothing outside the folders searched is read: a file link, a folder link
// (a searched folder, or one on a mask's path) and an archive link that lead
// out are not followed; a link within the folder is.
TEST_F(LibScan, LinksLeadingOutOfTheSearchedFoldersAreNotFollowed) {
    vxtest::TempDir elsewhere;
    elsewhere.write("fmparam1.dat", "secret");
    elsewhere.write("multi/wingj001.dat", "secret");
    elsewhere.write("sub/cntrlj001.dat", "secret");
    elsewhere.write("far.vol", vxtest::buildVol({{"acspecs1.dat", "secret", 1}}));
    fs::create_directories(dir / "data");
    fs::create_symlink(elsewhere / "fmparam1.dat", dir / "data/fmparam1.dat");
    fs::create_symlink(elsewhere / "multi", dir / "data/multi");
    fs::create_symlink(elsewhere / "sub", dir / "data/sub");
    fs::create_symlink(elsewhere / "far.vol", dir / "data/far.vol");
    dir.write("data/store/foil.bin", "inner");
    fs::create_symlink("store/foil.bin", dir / "data/foilj001.dat");
    EXPECT_EQ(scan("data/multi/|data/&far.vol&|",
                   "fmparam*?.dat|wingj???.dat|foilj???.dat|sub/cntrlj???.dat|acspecs?.dat|"),
              std::vector<std::string>{fileLine("foilj001.dat", "inner")});
    EXPECT_EQ(log(), "data/foilj001.dat\n");
}

// An archive member claiming more bytes than the archive holds is listed with
// that length; the scan goes on.
TEST_F(LibScan, MemberLongerThanItsArchiveDoesNotEndTheScan) {
    std::string vol = vxtest::buildVol({{"wingj001.dat", "w1", 1}, {"wingj002.dat", "w2", 1}});
    const size_t dirPos = 32 + 4 + 26; // two names of 12 characters, each with its NUL
    uint32_t dataofs = 0;
    std::memcpy(&dataofs, vol.data() + dirPos + 4, 4);
    for (int i = 0; i < 3; ++i) vol[dataofs + 4 + i] = char(0xFF);
    dir.write("data/one.vol", vol);
    const auto lines = scan("data/&one.vol&|", "wingj???.dat|");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("wingj001.dat=16777215|", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], fileLine("wingj002.dat", "w2"));
}

TEST_F(LibScan, FolderListReplacesTheTable) {
    dir.write("a/wingj001.dat", "A");
    dir.write("data/wingj002.dat", "D");
    EXPECT_EQ(scan("a/|b/|"), std::vector<std::string>{fileLine("wingj001.dat", "A")});
    EXPECT_EQ(scanFolders[1], "a/");
    EXPECT_EQ(scanFolders[2], "b/");
    for (int k = 3; k <= 10; ++k) EXPECT_EQ(scanFolders[k], "") << k;
    EXPECT_EQ(scan(), std::vector<std::string>{fileLine("wingj001.dat", "A")});
}

TEST_F(LibScan, DefaultMasksAndFirstFindWins) {
    dir.write("data/multi/fmparam1.dat", "first");
    dir.write("data/fmparam1.dat", "later");
    dir.write("data/fmparam.dat", "needs a character after fmparam");
    dir.write("data/acspecs1.dat", "ac data");
    EXPECT_EQ(scan(), (std::vector<std::string>{fileLine("acspecs1.dat", "ac data"),
                                                fileLine("fmparam1.dat", "first")}));
    EXPECT_EQ(log(), "data/multi/fmparam1.dat\ndata/acspecs1.dat\n");
}

TEST_F(LibScan, NamesAreReportedLowerCase) {
    dir.write("data/Wingj001.DAT", "w");
    EXPECT_EQ(scan("", "Wingj???.DAT|"), std::vector<std::string>{fileLine("wingj001.dat", "w")});
    EXPECT_EQ(log(), "data/wingj001.dat\n");
}

TEST_F(LibScan, LocalMaskOnlyInTheCurrentFolder) {
    dir.write("sub/fmparam1.dat", "local");
    dir.write("data/sub/fmparam1.dat", "not searched");
    EXPECT_EQ(scan("data/|./|", "!sub/fmparam1.dat|"),
              std::vector<std::string>{fileLine("fmparam1.dat", "local")});
    EXPECT_EQ(log(), "./sub/fmparam1.dat\n");
}

TEST_F(LibScan, ArchivesAfterTheFolderAndEntryStripped) {
    dir.write("data/wingj001.dat", "disk");
    dir.write("data/one.vol", vxtest::buildVol({{"wingj001.dat", "member", 1},
                                                {"wingj002.dat", "m2", 1},
                                                {"FOILJ001.DAT", "upper", 1},
                                                {"foilj002.dat", "f2", 1}}));
    scanFolders = {"", "data/&one.vol&", "", "", "", "", "", "", "", "", ""};
    const auto results = scan();
    EXPECT_EQ(results, (std::vector<std::string>{"foilj002.dat=2|" + crcText("f2") + "|1",
                                                 fileLine("wingj001.dat", "disk"),
                                                 "wingj002.dat=2|" + crcText("m2") + "|1"}));
    EXPECT_EQ(log(), "data/wingj001.dat\none.vol:wingj002.dat\none.vol:foilj002.dat\n");
    EXPECT_EQ(scanFolders[1], "data/");
}

TEST_F(LibScan, ArchiveMemberSkippedWhenASeenNameBeginsWithIt) {
    dir.write("data/two.vol", vxtest::buildVol({{"wingj001.da", "x", 1}}));
    dir.write("data/wingj001.dat", "disk");
    scanFolders = {"", "data/&&two.vol&missing.vol&", "", "", "", "", "", "", "", "", ""};
    EXPECT_EQ(scan("", "wingj*|"), std::vector<std::string>{fileLine("wingj001.dat", "disk")});
}

TEST_F(LibScan, ResultsKeptAndPresetCounts) {
    dir.write("data/wingj001.dat", "w");
    dir.write("data/wingj002.dat", "x");
    scanPreset.Add("wingj002.dat=whatever");
    TStringList results;
    results.Add("zzz");
    results.Add("aaa");
    scanFlightModelFiles("t.txt", "", "", results);
    EXPECT_EQ(results.texts(),
              (std::vector<std::string>{"aaa", fileLine("wingj001.dat", "w"), "zzz"}));
    TStringList again;
    again.Add("kept");
    dir.write("data/wingj001.dat", "");
    scanPreset.Add("wingj001.dat=");
    scanFlightModelFiles("t.txt", "", "", again);
    EXPECT_EQ(again.texts(), std::vector<std::string>{"kept"}); // no "nothing found" line
}

TEST_F(LibScan, StatusOfEmptyFile) {
    dir.write("data/cntrlj001.dat", "");
    EXPECT_EQ(scan(), std::vector<std::string>{"cntrlj001.dat=0|0|0"});
}

TEST_F(LibScan, EmptyMaskIsARangeErrorButTrailingBarIsFine) {
    dir.write("data/wingj001.dat", "w");
    EXPECT_EQ(scan("data/|", "wingj*||"), std::vector<std::string>{fileLine("wingj001.dat", "w")});
    TStringList results;
    EXPECT_THROW(scanFlightModelFiles("t.txt", "data/|", "wingj*||x|", results), RangeError);
    EXPECT_EQ(results.texts(), std::vector<std::string>{fileLine("wingj001.dat", "w")});
    EXPECT_EQ(log(), "data/wingj001.dat\n"); // the log is still written
}

TEST_F(LibScan, LogThatCannotBeCreatedFailsFirst) {
    fs::create_directory(dir / "log-t.txt");
    TStringList results;
    EXPECT_THROW(scanFlightModelFiles("t.txt", "", "", results), FileError);
    EXPECT_EQ(results.Count(), 0);
}
