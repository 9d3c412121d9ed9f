#include "support/errors.h"
#include "support/lib_dirsearch.h"
#include "support/lib_patch.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

namespace fs = std::filesystem;
using namespace vx;

namespace {

// root/game is the simulator's folder, root/game/patch the patch folder.
class LibPatch : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "game/patch");
        setDocumentOpenerForTesting([this](const std::string& t) {
            opened.push_back(t);
            return false;
        });
    }
    void TearDown() override { setDocumentOpenerForTesting(nullptr); }
    std::string patch() const { return root.str() + "/game/patch"; }
    void put(std::initializer_list<std::pair<const char*, const char*>> files) const {
        for (const auto& [rel, bytes] : files) root.write(rel, bytes);
    }
    bool inGame(const std::string& name) const { return fs::exists(root / ("game/" + name)); }

    vxtest::TempDir root;
    vxtest::DialogScope dlg;
    std::vector<std::string> opened;
};

} // namespace

TEST_F(LibPatch, ListModeActivateAndDeactivate) {
    root.write("game/patch/patchfilelist.txt",
               "a.dat\r\nsub/b.dat\rmissing.dat\n.\n..\nwait.pal\n");
    put({{"game/patch/a.dat", "A"},
         {"game/patch/sub/b.dat", "B"},
         {"game/patch/wait.pal", "new palette"},
         {"game/patch/notlisted.dat", "N"},
         {"game/patch/patchon.bat", "echo"},
         {"game/wait.pal", "old palette"}});
    fs::create_directory(root / "game/sub");

    applyPatchFolder(patch(), true, true);
    EXPECT_EQ(root.read("game/a.dat"), "A");
    EXPECT_EQ(root.read("game/sub/b.dat"), "B");
    EXPECT_EQ(root.read("game/wait.pal"), "old palette");
    EXPECT_FALSE(inGame("notlisted.dat"));
    EXPECT_FALSE(inGame("missing.dat"));
    EXPECT_EQ(dlg->messages, std::vector<std::string>{protectionMessage("wait.pal")});
    EXPECT_TRUE(opened.empty()) << "batch files are not run";
    const std::string act = patch() + "/../patch.act";
    EXPECT_TRUE(std::regex_match(
        root.read("game/patch.act"),
        std::regex("patch activated from path:" +
                   std::regex_replace(act, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                   R"( at time:\d{4}-\d\d-\d\d--\d\d-\d\d-\d\d\n)")));

    dlg->messages.clear();
    applyPatchFolder(patch(), false, true);
    EXPECT_FALSE(inGame("a.dat"));
    EXPECT_FALSE(inGame("sub/b.dat"));
    EXPECT_TRUE(inGame("wait.pal"));
    EXPECT_FALSE(inGame("patch.act"));
    EXPECT_EQ(dlg->messages.size(), 1u);

    applyPatchFolder(patch(), false, false); // no record: deletes and shows nothing
    EXPECT_FALSE(inGame("wait.pal"));
    EXPECT_EQ(dlg->messages.size(), 1u);
    EXPECT_TRUE(fs::exists(root / "game/patch/a.dat")) << "the patch itself stays";
}

TEST_F(LibPatch, ProtectionTests) {
    struct Case {
        const char* name;
        const char* list;
        bool protectedName;
    };
    const Case cases[] = {
        {"wait.pal", protectListed, true},  {"Wait.pal", protectListed, true},
        {"shell.vol", protectListed, true}, {"lowres.vol", protectListed, true},
        {"lowres.vol", protectAll, false},  {"action.bmp", protectAll, false},
        {"HALVORY.VOL", protectAll, true},  {"", protectListed, false},
        {"mine.dat", protectListed, false},
    };
    for (const auto& c : cases) EXPECT_EQ(isProtected(c.name, c.list), c.protectedName) << c.name;
    EXPECT_EQ(protectionMessage("Wait.pal"),
              "Not processing file: Wait.pal uncheck \"Do not overwrite critical Halvory files if "
              "you want this file processed. It may render your game unusable...");
}

TEST_F(LibPatch, ListLinesReachingOutsideAreRefused) {
    root.write("game/patch/patchfilelist.txt",
               "/etc/hosts\n../outside.dat\nsub/../../x.dat\nok.dat\n");
    root.write("game/patch/ok.dat", "fine");
    root.write("outside.dat", "keep me");
    applyPatchFolder(patch(), true, false);
    EXPECT_EQ(dlg->messages.size(), 3u);
    for (const auto& m : dlg->messages) EXPECT_EQ(m.rfind("Not processing file: ", 0), 0u) << m;
    EXPECT_EQ(root.read("game/ok.dat"), "fine");
    applyPatchFolder(patch(), false, false);
    EXPECT_EQ(root.read("outside.dat"), "keep me");
    EXPECT_FALSE(inGame("ok.dat"));
}

// However a list line spells a path, the file it names decides.
TEST_F(LibPatch, ProtectionComparesThePathNotItsSpelling) {
    root.write("game/patch/patchfilelist.txt",
               "./Halvory.vol\n.//Halvory.vol\nHalvory.vol/\n.///Halvory.vol//\n./wait.pal\n"
               "sub//b.dat\n./sub/./c.dat\n");
    put({{"game/patch/Halvory.vol", "patched"},
         {"game/patch/wait.pal", "patched"},
         {"game/patch/sub/b.dat", "B"},
         {"game/patch/sub/c.dat", "C"},
         {"game/Halvory.vol", "the game"},
         {"game/wait.pal", "the game"}});
    fs::create_directory(root / "game/sub");
    const std::vector<std::string> refused = {
        protectionMessage("./Halvory.vol"), protectionMessage(".//Halvory.vol"),
        protectionMessage("Halvory.vol/"), protectionMessage(".///Halvory.vol//"),
        protectionMessage("./wait.pal")};
    for (bool activate : {true, false}) {
        dlg->messages.clear();
        applyPatchFolder(patch(), activate, true);
        EXPECT_EQ(root.read("game/Halvory.vol"), "the game") << activate;
        EXPECT_EQ(root.read("game/wait.pal"), "the game") << activate;
        EXPECT_EQ(dlg->messages, refused) << activate;
        EXPECT_EQ(inGame("sub/b.dat"), activate);
        EXPECT_EQ(inGame("sub/c.dat"), activate);
    }
    EXPECT_EQ(plainRelativePath(".//a//b/./c/"), "a/b/c");
    EXPECT_EQ(plainRelativePath("./"), "");
    EXPECT_EQ(plainRelativePath("a/../b"), "a/../b");
}

// A link in the patch folder that leads outside it is refused like an
// absolute path; a link within the folder is followed.
TEST_F(LibPatch, LinksLeadingOutsideThePatchFolderAreRefused) {
    put({{"secret.dat", "not for the game"},
         {"outside/x.dat", "not for the game"},
         {"game/patch/real.dat", "R"}});
    fs::create_symlink(root / "secret.dat", root / "game/patch/evil.dat");
    fs::create_symlink("../../outside", root / "game/patch/linkdir");
    fs::create_symlink("real.dat", root / "game/patch/inner.dat");
    fs::create_directory(root / "game/linkdir");
    root.write("game/patch/patchfilelist.txt", "evil.dat\nlinkdir/x.dat\ninner.dat\n");
    applyPatchFolder(patch(), true, false);
    EXPECT_FALSE(inGame("evil.dat"));
    EXPECT_FALSE(inGame("linkdir/x.dat"));
    EXPECT_EQ(root.read("game/inner.dat"), "R");
    ASSERT_EQ(dlg->messages.size(), 2u);
    for (const auto& m : dlg->messages)
        EXPECT_NE(m.find("outside the patch folder"), std::string::npos) << m;
    EXPECT_EQ(dlg->messages[0].rfind("Not processing file: evil.dat", 0), 0u);

    // Folder mode: the same for the folder's own entries.
    fs::remove(root / "game/patch/patchfilelist.txt");
    fs::remove(root / "game/inner.dat");
    dlg->messages.clear();
    applyPatchFolder(patch(), true, false);
    EXPECT_FALSE(inGame("evil.dat"));
    EXPECT_EQ(root.read("game/inner.dat"), "R");
    EXPECT_EQ(root.read("game/real.dat"), "R");
    ASSERT_EQ(dlg->messages.size(), 1u);
    EXPECT_EQ(dlg->messages[0].rfind("Not processing file: evil.dat", 0), 0u);
    EXPECT_EQ(root.read("secret.dat"), "not for the game");
}

// Links on the simulator's side are no way out either: a file link, a
// folder link on the path and a link to a file not there yet each get
// neither a copy nor a deletion outside, and each is named to the user. A
// link within the simulator's folder is followed.
TEST_F(LibPatch, LinksInTheSimulatorFolderLeadingOutsideAreRefused) {
    for (bool listed : {true, false}) {
        fs::remove_all(root / "game");
        fs::remove_all(root / "outside");
        put({{"outside/target.dat", "keep"},
             {"outside/y.dat", "keep y"},
             {"outside/act.txt", "keep act"},
             {"game/real.dat", "old"},
             {"game/patch/x.dat", "patched"},
             {"game/patch/new.dat", "patched"},
             {"game/patch/inner.dat", "I"},
             {"game/patch/linkdir/y.dat", "patched"}});
        fs::create_symlink(root / "outside/target.dat", root / "game/x.dat");
        fs::create_symlink("../outside", root / "game/linkdir");
        fs::create_symlink(root / "outside/new.dat", root / "game/new.dat");
        fs::create_symlink("real.dat", root / "game/inner.dat");
        fs::create_symlink("../outside/act.txt", root / "game/patch.act");
        if (listed)
            root.write("game/patch/patchfilelist.txt",
                       "x.dat\nlinkdir/y.dat\nnew.dat\ninner.dat\n");
        for (bool activate : {true, false}) {
            dlg->messages.clear();
            applyPatchFolder(patch(), activate, false);
            const std::string how = (listed ? "list, " : "folder, ") + std::to_string(activate);
            EXPECT_EQ(root.read("outside/target.dat"), "keep") << how;
            EXPECT_EQ(root.read("outside/y.dat"), "keep y") << how;
            EXPECT_EQ(root.read("outside/act.txt"), "keep act") << how;
            EXPECT_FALSE(fs::exists(root / "outside/new.dat")) << how;
            std::vector<std::string> refused = {"x.dat", "new.dat", "patch.act"};
            if (listed) refused.insert(refused.begin() + 1, "linkdir/y.dat");
            std::vector<std::string> named;
            for (const auto& m : dlg->messages) {
                EXPECT_NE(m.find("leads outside"), std::string::npos) << m;
                named.push_back(
                    m.substr(21, m.find(' ', 21) - 21)); // after "Not processing file: "
            }
            std::sort(named.begin(), named.end());
            std::sort(refused.begin(), refused.end());
            EXPECT_EQ(named, refused) << how;
        }
        EXPECT_TRUE(fs::is_symlink(root / "game/x.dat"));
    }
    EXPECT_FALSE(inGame("inner.dat")) << "a link within the folder is deleted like a file";
}

TEST_F(LibPatch, FolderMode) {
    put({{"game/patch/x.dat", "X"},
         {"game/patch/lowres.vol", "L"},
         {"game/patch/Wait.pal", "W"},
         {"game/patch/noext", "no dot"},
         {"game/patch/patchon.bat", "bat"}});
    fs::create_directory(root / "game/patch/folder.d");
    root.write("game/Wait.pal", "old");
    applyPatchFolder(patch(), true, true);
    EXPECT_EQ(root.read("game/x.dat"), "X");
    EXPECT_EQ(root.read("game/lowres.vol"), "L"); // not in the folder-mode list
    EXPECT_EQ(root.read("game/patchon.bat"), "bat");
    EXPECT_EQ(root.read("game/Wait.pal"), "old");
    EXPECT_FALSE(inGame("noext"));
    EXPECT_FALSE(inGame("folder.d"));
    EXPECT_EQ(dlg->messages, std::vector<std::string>{protectionMessage("Wait.pal")});
    EXPECT_TRUE(inGame("patch.act"));
    EXPECT_TRUE(opened.empty());

    applyPatchFolder(patch(), false, false);
    for (const char* n : {"x.dat", "lowres.vol", "patchon.bat", "Wait.pal", "patch.act"})
        EXPECT_FALSE(inGame(n)) << n;
}

TEST_F(LibPatch, ActivatingTwiceRewritesTheRecord) {
    root.write("game/patch/x.dat", "1");
    applyPatchFolder(patch(), true, false);
    root.write("game/patch/x.dat", "2");
    root.write("game/patch.act", "stale");
    applyPatchFolder(patch(), true, false);
    EXPECT_EQ(root.read("game/x.dat"), "2");
    EXPECT_EQ(root.read("game/patch.act").rfind("patch activated from path:", 0), 0u);
}

TEST_F(LibPatch, TrailingSlashGivesDotActRecord) {
    root.write("game/patch/x.dat", "1");
    applyPatchFolder(patch() + "/", true, false);
    EXPECT_TRUE(inGame(".act"));
    EXPECT_EQ(root.read("game/x.dat"), "1");
}

TEST_F(LibPatch, CommandRoutinesPassOnlyTheProgram) {
    runCommandMsg(nullptr, "prog", "/c params", "folder");
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"error encountered, exitcode: FIXME "});
    runCommand(nullptr, "", "x", "y");
    EXPECT_FALSE(runCommandOk(nullptr, "p2", "x"));
    EXPECT_FALSE(runCommandOk2(nullptr, "p3", "x"));
    EXPECT_EQ(opened, (std::vector<std::string>{"prog", "", "p2", "p3"}));
    setDocumentOpenerForTesting([](const std::string&) { return true; });
    dlg->messages.clear();
    runCommandMsg(nullptr, "ok", "", "");
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_TRUE(runCommandOk2(nullptr, "ok", ""));
}

TEST_F(LibPatch, DesktopOpenerRefusesMissingPaths) {
    setDocumentOpenerForTesting(nullptr);
    EXPECT_FALSE(openDocument(root.str() + "/no such file"));
    EXPECT_FALSE(openDocument(""));
    runCommandMsg(nullptr, root.str() + "/no such file", "", "");
    EXPECT_EQ(dlg->messages, std::vector<std::string>{commandFailedMsg});
}

TEST_F(LibPatch, CopyFileBlocks) {
    std::string bytes(5000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
    root.write("src", bytes);
    copyFileBlocks(root.str() + "/src", root.str() + "/dst", false);
    EXPECT_EQ(root.read("dst"), bytes);
    root.write("dst", "present");
    copyFileBlocks(root.str() + "/src", root.str() + "/dst", true);
    EXPECT_EQ(root.read("dst"), "present");
    copyFileBlocks(root.str() + "/src", root.str() + "/dst", false);
    EXPECT_EQ(root.read("dst"), bytes);
    EXPECT_THROW(copyFileBlocks(root.str() + "/missing", root.str() + "/dst", false), FileError);
    EXPECT_THROW(copyFileBlocks(root.str() + "/src", root.str() + "/no/dst", false), FileError);
    EXPECT_EQ(root.read("dst"), bytes);
}

// Temporary names stay within the name-length limit, so long names copy.
TEST_F(LibPatch, LongNamesCopy) {
    const std::string name(250, 'p');
    root.write("src", "long");
    copyFileBlocks(root.str() + "/src", root.str() + "/" + name, false);
    EXPECT_EQ(root.read(name), "long");
    root.write("game/patch/" + name, "patched");
    root.write("game/patch/patchfilelist.txt", name + "\n");
    applyPatchFolder(patch(), true, false);
    EXPECT_EQ(root.read("game/" + name), "patched");
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_THROW(
        copyFileBlocks(root.str() + "/src", root.str() + "/" + std::string(256, 'p'), false),
        FileError);
}

TEST_F(LibPatch, LogPatchActiveFailsLoudly) {
    logPatchActive(root.str() + "/rec.act");
    EXPECT_EQ(root.read("rec.act").rfind(
                  "patch activated from path:" + root.str() + "/rec.act at time:", 0),
              0u);
    EXPECT_THROW(logPatchActive(root.str() + "/no/rec.act"), FileError);
}
