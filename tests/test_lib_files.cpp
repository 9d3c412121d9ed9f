#include "support/lib_files.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>

namespace fs = std::filesystem;
using namespace vx;

TEST(LibFiles, EraseFindDelete) {
    vxtest::TempDir dir;
    dir.write("a.txt", "a");
    fs::create_directory(dir / "sub");
    const std::string a = dir.str() + "/a.txt";
    EXPECT_TRUE(fileFoundFF(dir.str() + "/*.txt"));
    EXPECT_TRUE(fileFoundFF(dir.str() + "/sub"));
    EXPECT_FALSE(fileFoundFF(dir.str() + "/*.dat"));
    deleteIfFound(dir.str() + "/*.txt"); // a pattern finds entries but deletes none
    EXPECT_TRUE(fs::exists(a));
    deleteIfFound(dir.str() + "/sub");
    EXPECT_TRUE(fs::exists(dir / "sub"));
    EXPECT_TRUE(eraseOk(a));
    EXPECT_FALSE(eraseOk(a));
    EXPECT_FALSE(eraseOk(dir.str() + "/sub"));
    dir.write("b.txt", "b");
    deleteIfFound(dir.str() + "/b.txt");
    EXPECT_FALSE(fs::exists(dir / "b.txt"));
}

TEST(LibFiles, CopyIfExistsWithAndWithoutTime) {
    vxtest::TempDir dir;
    dir.write("src", "new bytes");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(dir / "src", old);
    dir.write("kept", "replace me");
    copyIfExists(dir.str() + "/src", dir.str() + "/kept", true);
    EXPECT_EQ(dir.read("kept"), "new bytes");
    EXPECT_EQ(fs::last_write_time(dir / "kept"), fs::last_write_time(dir / "src"));
    copyIfExists(dir.str() + "/src", dir.str() + "/fresh", false);
    EXPECT_EQ(dir.read("fresh"), "new bytes");
    EXPECT_GT(fs::last_write_time(dir / "fresh"), old + std::chrono::hours(24));
    copyIfExists(dir.str() + "/missing", dir.str() + "/none", false);
    EXPECT_FALSE(fs::exists(dir / "none"));
    copyIfExists(dir.str() + "/src", dir.str() + "/no/such/folder", false);
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string().find('~'), std::string::npos) << "no temporary left";
}

// The copy goes through the safe writer: long names fit, modes and links stay.
TEST(LibFiles, CopyKeepsWhatAPlainRewriteKeeps) {
    vxtest::TempDir dir;
    dir.write("src", "copied");
    const std::string longName(250, 'c');
    EXPECT_TRUE(copyFileTo(dir.str() + "/src", dir.str() + "/" + longName, false));
    EXPECT_EQ(dir.read(longName), "copied");
    dir.write("private", "old");
    fs::permissions(dir / "private", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("private", dir / "link");
    EXPECT_TRUE(copyFileTo(dir.str() + "/src", dir.str() + "/link", false));
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(dir.read("private"), "copied");
    EXPECT_EQ(fs::status(dir / "private").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(copyFileTo(dir.str() + "/src", dir.str() + "/" + std::string(256, 'c'), false));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{longName, "link", "private", "src"}));
}

TEST(LibFiles, MoveNeverLosesTheSource) {
    vxtest::TempDir dir;
    dir.write("src", "payload");
    moveFileSS(dir.str() + "/src", dir.str() + "/missing/dst", false);
    EXPECT_EQ(dir.read("src"), "payload") << "failed copy keeps the source";
    moveFileSS(dir.str() + "/src", dir.str() + "/src", false);
    EXPECT_EQ(dir.read("src"), "payload") << "a move onto itself keeps the file";
    moveFileSS(dir.str() + "/./src", dir.str() + "/src", false);
    EXPECT_EQ(dir.read("src"), "payload");
    moveFileSS(dir.str() + "/src", dir.str() + "/dst", true);
    EXPECT_FALSE(fs::exists(dir / "src"));
    EXPECT_EQ(dir.read("dst"), "payload");
}
