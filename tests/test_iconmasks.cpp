#include "objectviewer/iconmasks.h"

#include "support/errors.h"
#include "support/helpers.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace vx;

namespace {

// A gfx folder made of the given entries; names ending in "/" are folders.
class GfxFolder {
public:
    explicit GfxFolder(std::initializer_list<const char*> entries) {
        fs::create_directories(dir_ / "gfxfiles");
        for (std::string e : entries)
            if (e.ends_with("/"))
                fs::create_directories(dir_ / "gfxfiles" / e);
            else
                dir_.write("gfxfiles/" + e, "\xFF\xD8");
    }
    std::string folder() const { return dir_.str() + "/gfxfiles/"; }
    const vxtest::TempDir& dir() const { return dir_; }

private:
    vxtest::TempDir dir_;
};

size_t found(const IconFiles& files) {
    size_t n = 0;
    for (const std::string& f : files) n += !f.empty();
    return n;
}

} // namespace

TEST(IconMasks, IndexingAndMasks) {
    EXPECT_EQ(iconCount, 172);
    EXPECT_EQ(iconIndex(6, 0), 0);
    EXPECT_EQ(iconIndex(7, 0), 43);
    EXPECT_EQ(iconIndex(9, 42), 171);
    EXPECT_EQ(iconMask(6, 0), "0600_*.jpg");
    EXPECT_EQ(iconMask(9, 10), "090A_*.jpg");
    EXPECT_EQ(iconMask(9, 42), "092A_*.jpg");
    for (auto [c, t] : {std::pair{5, 0}, {10, 0}, {6, 43}, {6, -1}}) {
        EXPECT_FALSE(hasIcon(c, t));
        EXPECT_THROW(iconIndex(c, t), RangeError);
    }
    EXPECT_TRUE(hasIcon(8, 42));
}

TEST(IconMasks, NamesMatchExactlyCaseIncluded) {
    struct Case {
        const char* entry;
        int cls, type; // -1: no icon
    };
    const Case cases[] = {
        {"090A_shed.jpg", 9, 10}, {"090a_shed.jpg", -1, 0}, {"090A_shed.JPG", -1, 0},
        {"090A-shed.jpg", -1, 0}, {"0600_.jpg", 6, 0},      {"0600.jpg", -1, 0},
        {"0A00_x.jpg", -1, 0},    {"092B_x.jpg", -1, 0},    {"092A_x.jpg.bak", -1, 0},
        {"0501_x.jpg", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const GfxFolder g{c.entry};
        const IconFiles files = iconFilesIn(g.folder());
        if (c.cls < 0) {
            EXPECT_EQ(found(files), 0u);
        } else {
            EXPECT_EQ(found(files), 1u);
            EXPECT_EQ(files[static_cast<size_t>(iconIndex(c.cls, c.type))], g.folder() + c.entry);
        }
    }
}

TEST(IconMasks, AFolderNamedLikeAnIconGivesTheFallbackPicture) {
    const GfxFolder g{"0601_x.jpg/", "0602_y.jpg", "Halvoryspec.jpg"};
    fs::create_directory_symlink(g.dir() / "gfxfiles/0601_x.jpg", g.dir() / "gfxfiles/0603_l.jpg");
    fs::create_symlink(g.dir() / "gfxfiles/0602_y.jpg", g.dir() / "gfxfiles/0604_l.jpg");
    fs::create_symlink(g.dir() / "nowhere", g.dir() / "gfxfiles/0605_broken.jpg");
    const IconFiles files = iconFilesIn(g.folder());
    EXPECT_EQ(files[1], g.folder() + "Halvoryspec.jpg");
    EXPECT_EQ(files[2], g.folder() + "0602_y.jpg");
    EXPECT_EQ(files[3], g.folder() + "Halvoryspec.jpg"); // a link to a folder
    EXPECT_EQ(files[4], g.folder() + "0604_l.jpg");      // a link to a file
    EXPECT_EQ(files[5], "");                             // a link that leads nowhere
    EXPECT_EQ(found(files), 4u);
}

TEST(IconMasks, OneOfSeveralMatchesAndAMissingFolder) {
    const GfxFolder g{"0905_a.jpg", "0905_b.jpg"};
    const std::string f = iconFilesIn(g.folder())[static_cast<size_t>(iconIndex(9, 5))];
    EXPECT_TRUE(f == g.folder() + "0905_a.jpg" || f == g.folder() + "0905_b.jpg") << f;
    EXPECT_EQ(found(iconFilesIn(g.folder() + "none/")), 0u);
}

TEST(IconMasks, CustomFolderChangesOnlyItsMatches) {
    // Start-up icons beside the program, then the template folder's set.
    vxtest::TempDir app;
    fs::create_directories(app / "gfxfiles");
    fs::create_directories(app / "LMdefault/gfxfiles");
    app.write("gfxfiles/0905_tank.jpg", "x");
    app.write("gfxfiles/0700_gun.jpg", "x");
    app.write("LMdefault/gfxfiles/0905_a.jpg", "x");
    setAppDirForTesting(app.str() + "/");

    IconFiles shown = iconFilesIn(startupGfxFolder());
    EXPECT_EQ(startupGfxFolder(), app.str() + "/gfxfiles/");
    EXPECT_EQ(found(shown), 2u);
    const IconFiles before = shown;

    const IconFiles custom = iconFilesIn(customGfxFolder("LMdefault/"));
    EXPECT_EQ(found(custom), 1u);
    for (size_t i = 0; i < custom.size(); ++i)
        if (!custom[i].empty()) shown[i] = custom[i];
    for (size_t i = 0; i < shown.size(); ++i)
        if (i == static_cast<size_t>(iconIndex(9, 5)))
            EXPECT_EQ(shown[i], app.str() + "/LMdefault/gfxfiles/0905_a.jpg");
        else
            EXPECT_EQ(shown[i], before[i]) << i;

    // No template folder chosen: the folder beside the program again.
    EXPECT_EQ(customGfxFolder("./"), app.str() + "/./gfxfiles/");
    EXPECT_EQ(found(iconFilesIn(customGfxFolder("./"))), 2u);
    setAppDirForTesting("");
}
