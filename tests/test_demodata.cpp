#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"
#include "objectviewer/iconmasks.h"
#include "objectviewer/lofile.h"
#include "support/fileio.h"
#include "support/helpers.h"
#include "support/names.h"
#include "support/records.h"
#include "testsupport.h"
#include "tools/demodata.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace vx;

namespace {

const char* const pictures[] = {"marne.jpg", "flanders.jpg", "verdun.jpg", "alsace.jpg",
                                "island.jpg"};
constexpr MapSizes full{4000, 3000, 4000, 3000};

std::unique_ptr<vxtest::TempDir> demoDir;

std::string at(const std::string& rel) {
    return demoDir->str() + "/" + rel;
}

std::unique_ptr<Tlm> readTemplate(const std::string& rel) {
    return std::make_unique<Tlm>(readLandmarkFile(at(rel)));
}

std::string objectFileName(const char* prefix, const landmark& r) {
    return prefix + byteHex(r.lmid.at(1)) + byteHex(r.lmid.at(2)) + ".dat";
}

// Records of an object file, checked against its header.
std::vector<LOobject> readObjects(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    landmarkhead h{};
    EXPECT_GE(bytes.size(), sizeof h);
    std::memcpy(&h, bytes.data(), sizeof h);
    EXPECT_EQ(h.recsize, 20);
    EXPECT_EQ(bytes.size(), 100u + 20u * h.count) << path;
    std::vector<LOobject> objs(h.count);
    if (bytes.size() == 100u + 20u * h.count)
        std::memcpy(objs.data(), bytes.data() + 100, objs.size() * sizeof(LOobject));
    return objs;
}

} // namespace

class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        demoDir = std::make_unique<vxtest::TempDir>();
        ASSERT_TRUE(demo::generateDemoData(demoDir->str()));
    }
    static void TearDownTestSuite() { demoDir.reset(); }
};

TEST_F(DemoData, FolderLayout) {
    for (int k = 0; k < mapCount; ++k) {
        EXPECT_TRUE(fileExists(at("LMdefault/lndmrks" + std::to_string(k) + ".mlf")));
        EXPECT_TRUE(fileExists(at("LMdefault/brigade" + std::to_string(k) + ".mbf")));
        EXPECT_TRUE(fileExists(at(pictures[k])));
    }
    EXPECT_TRUE(fileExists(at("lofile-list.txt")));
    EXPECT_TRUE(fileExists(at("gfxfiles/Halvoryspec.jpg")));
    EXPECT_TRUE(fileExists(at("LMdefault/gfxfiles/Halvoryspec.jpg")));
    // The second template folder, and two folders that must not be offered.
    EXPECT_TRUE(fileExists(at("Spring1918/lndmrks1.mlf")));
    EXPECT_TRUE(fileExists(at(".backup/lndmrks1.mlf")));
    EXPECT_TRUE(fileExists(at("Drafts/lndmrks0.mlf")));
    EXPECT_FALSE(fileExists(at("Drafts/lndmrks1.mlf")));
}

TEST_F(DemoData, LandmarkFilesHoldNamedLandmarksInsideTheirMaps) {
    initMapTable();
    for (int k = 0; k < mapCount; ++k) {
        SCOPED_TRACE("map " + std::to_string(k));
        const std::string rel = "LMdefault/lndmrks" + std::to_string(k) + ".mlf";
        const auto t = readTemplate(rel);
        const int n = t->count();
        EXPECT_EQ(fileSize(at(rel)), 100 + 63 * n);
        EXPECT_EQ(t->head.recsize, 63);
        if (k == 3)
            EXPECT_EQ(n, 512);
        else
            EXPECT_TRUE(n >= 24 && n <= 100) << n;
        std::set<int> types, sides;
        int deactivated = 0;
        for (int i = 1; i <= n; ++i) {
            const landmark& r = t->rec(i);
            types.insert(r.lmid.at(1));
            sides.insert(r.lmid.at(3));
            // Names of at most 39 characters, NUL to the end of the field.
            const size_t len = nameText(r).size();
            ASSERT_GT(len, 0u);
            ASSERT_LE(len, 39u);
            for (size_t j = len; j < sizeof r.name; ++j) ASSERT_EQ(r.name[j], '\0') << i;
            if (isDeactivated(r)) ++deactivated;
            ASSERT_TRUE(isDeactivated(r) || (r.lat > 0 && r.lon > 0)) << nameText(r);
            // Every landmark, active or not, lies on its map.
            const long double lat = std::fabs(r.lat), lon = std::fabs(r.lon);
            const int x = lonLatToPicX(k, full, lon, lat), y = latToPicY(k, full, lat);
            EXPECT_TRUE(x >= 16 && x < 4000 - 16 && y >= 16 && y < 3000 - 16)
                << nameText(r) << " at " << x << "," << y;
        }
        for (int type = 0; type <= 9; ++type) EXPECT_TRUE(types.count(type)) << "type " << type;
        EXPECT_EQ(sides, (std::set<int>{0, 1}));
        EXPECT_GE(deactivated, 1);
    }
}

TEST_F(DemoData, MostLandmarksHaveTheirObjectFile) {
    int found = 0, missing = 0, otherClass = 0, hidden = 0, structures = 0, total = 0;
    for (int k = 0; k < mapCount; ++k) {
        const auto t = readTemplate("LMdefault/lndmrks" + std::to_string(k) + ".mlf");
        for (int i = 1; i <= t->count(); ++i) {
            const std::string path = at("LMdefault/" + objectFileName("lo02", t->rec(i)));
            if (!fileExists(path)) {
                ++missing;
                continue;
            }
            ++found;
            for (const LOobject& o : readObjects(path)) {
                ++total;
                const int cls = o.loid.at(1);
                ASSERT_LE(cls, 20);
                ASSERT_LE(o.loid.at(2), 42);
                ASSERT_TRUE(std::isfinite(o.x) && std::fabs(o.x) < 5000 && std::fabs(o.y) < 5000);
                ASSERT_TRUE(o.rota >= 0 && o.rota < 360);
                if (cls >= 6 && cls <= 9)
                    ++structures;
                else
                    ++otherClass;
                if (o.hide == 3) ++hidden;
            }
        }
    }
    EXPECT_GT(found, 4 * missing);
    EXPECT_GE(missing, 3);
    EXPECT_GT(structures, 9 * otherClass);
    EXPECT_GT(otherClass, 0);
    EXPECT_GT(hidden, 0);
}

TEST_F(DemoData, BrigadeFilesAndTheirObjectFiles) {
    int withFile = 0, without = 0;
    for (int k = 0; k < mapCount; ++k) {
        const std::string rel = "LMdefault/brigade" + std::to_string(k) + ".mbf";
        const auto t = readTemplate(rel);
        EXPECT_GE(t->count(), 10);
        EXPECT_EQ(fileSize(at(rel)), 100 + 63 * t->count());
        for (int i = 1; i <= t->count(); ++i) {
            const std::string path = at("LMdefault/" + objectFileName("lo01", t->rec(i)));
            if (fileExists(path)) {
                ++withFile;
                EXPECT_FALSE(readObjects(path).empty());
            } else {
                ++without;
            }
        }
    }
    EXPECT_GT(withFile, without);
    EXPECT_GT(without, 0);
}

TEST_F(DemoData, IconFilesFollowTheNameRule) {
    // Four upper-case hexadecimal digits, "_", any text, ".jpg".
    const auto isIconName = [](const std::string& n) {
        const auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
        return n.size() >= 9 && std::all_of(n.begin(), n.begin() + 4, hex) && n[4] == '_' &&
               n.ends_with(".jpg");
    };
    const std::set<std::string> decoys{"090a_farmhouse.jpg", "090A_farmhouse.JPG",
                                       "090A-farmhouse.jpg"};
    for (const std::string& d : decoys) EXPECT_FALSE(isIconName(d)) << d;
    int files = 0, folders = 0;
    for (const auto& e : fs::directory_iterator(at("gfxfiles"))) {
        const std::string name = e.path().filename().string();
        if (name == "Halvoryspec.jpg" || decoys.count(name)) continue;
        ASSERT_TRUE(isIconName(name)) << name;
        const int cls = std::stoi(name.substr(0, 2), nullptr, 16);
        const int type = std::stoi(name.substr(2, 2), nullptr, 16);
        EXPECT_TRUE(cls >= 6 && cls <= 9 && type <= 42) << name;
        if (e.is_directory()) {
            ++folders;
            continue;
        }
        ++files;
        EXPECT_EQ(readFileBytes(e.path().string(), 2), "\xFF\xD8") << name;
    }
    EXPECT_GE(files, 40);
    EXPECT_EQ(folders, 1);
    EXPECT_GE(findEntries(at("LMdefault/gfxfiles"), "09??_*.jpg", false).size(), 5u);
}

TEST_F(DemoData, IconFoldersGiveTheirEntries) {
    const std::string gfx = at("gfxfiles/");
    const IconFiles startup = iconFilesIn(gfx);
    // Every real icon file is found at its entry; the decoys are not.
    size_t entries = 0;
    for (const std::string& f : startup) {
        if (f.empty()) continue;
        ++entries;
        EXPECT_TRUE(fileExists(f)) << f;
        EXPECT_EQ(f.find("farmhouse.JPG"), std::string::npos);
        EXPECT_EQ(f.find("090a_"), std::string::npos);
        EXPECT_EQ(f.find("090A-"), std::string::npos);
    }
    EXPECT_GE(entries, 40u);
    EXPECT_EQ(startup[static_cast<size_t>(iconIndex(9, 10))], gfx + "090A_farmhouse.jpg");
    EXPECT_EQ(startup[static_cast<size_t>(iconIndex(9, 5))], gfx + "Halvoryspec.jpg");

    // The template folders' sets: snowy ones in LMdefault, a single one in
    // Spring1918.
    const IconFiles lmdefault = iconFilesIn(at("LMdefault/gfxfiles/"));
    size_t custom = 0;
    for (size_t i = 0; i < lmdefault.size(); ++i)
        if (!lmdefault[i].empty()) {
            ++custom;
            EXPECT_FALSE(startup[i].empty()) << lmdefault[i];
        }
    EXPECT_GE(custom, 5u);
    EXPECT_LT(custom, entries);
    const IconFiles spring = iconFilesIn(at("Spring1918/gfxfiles/"));
    for (size_t i = 0; i < spring.size(); ++i)
        EXPECT_EQ(spring[i].empty(), i != static_cast<size_t>(iconIndex(9, 5))) << i;
    EXPECT_EQ(readFileBytes(at("Spring1918/gfxfiles/0905_a.jpg"), 2), "\xFF\xD8");
}

TEST_F(DemoData, ObjectFilesReadAndWriteBack) {
    auto t = std::make_unique<TLOtab>();
    int files = 0;
    for (const std::string& name : findEntries(at("LMdefault"), "lo0?????.dat", false)) {
        const std::string bytes = readFileBytes(at("LMdefault/" + name));
        const LoReadNotes notes = parseObjectFile(bytes, *t);
        if (name.starts_with("lo020fe")) continue;
        ++files;
        EXPECT_FALSE(notes.countCapped || notes.shortFile) << name;
        EXPECT_EQ(objectFileBytes(*t), bytes) << name;
    }
    EXPECT_GT(files, 20);

    // The files that try the reader's edges.
    struct Case {
        const char* name;
        int count;
        bool capped, shortFile;
        int unnamed; // records without an object name
    };
    const Case cases[] = {{"lo020fe0.dat", 0, false, false, 0},
                          {"lo020fe1.dat", 8, false, true, 0},
                          {"lo020fe2.dat", 8, false, false, 0},
                          {"lo020fe3.dat", 1025, true, false, 0},
                          {"lo020fe4.dat", 8, false, false, 3}};
    fillObjectNames();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LoReadNotes notes = readObjectFile(at("LMdefault/") + c.name, *t);
        EXPECT_EQ(t->head.count, c.count);
        EXPECT_EQ(notes.countCapped, c.capped);
        EXPECT_EQ(notes.shortFile, c.shortFile);
        int unnamed = 0;
        for (int i = 0; i < t->head.count; ++i)
            unnamed += t->objs[i].loid.at(1) > objClassMax || t->objs[i].loid.at(2) > objTypeMax;
        EXPECT_EQ(unnamed, c.unnamed);
    }
    EXPECT_EQ(readObjectFile(at("LMdefault/lo020fe2.dat"), *t).headerCount, 8);
    EXPECT_EQ(t->head.recsize, 63);
}

TEST_F(DemoData, MapPicturesAre4000By3000Jpegs) {
    for (const char* name : pictures) {
        SCOPED_TRACE(name);
        int w = 0, h = 0;
        GdkPixbufFormat* f = gdk_pixbuf_get_file_info(at(name).c_str(), &w, &h);
        ASSERT_NE(f, nullptr);
        gchar* format = gdk_pixbuf_format_get_name(f);
        EXPECT_STREQ(format, "jpeg");
        g_free(format);
        EXPECT_EQ(w, 4000);
        EXPECT_EQ(h, 3000);
    }
}

TEST_F(DemoData, AerodromesAreDrawnAtTheirLandmarks) {
    initMapTable();
    GError* err = nullptr;
    GdkPixbuf* pic = gdk_pixbuf_new_from_file(at("marne.jpg").c_str(), &err);
    ASSERT_NE(pic, nullptr);
    const auto t = readTemplate("LMdefault/lndmrks0.mlf");
    const guchar* px = gdk_pixbuf_get_pixels(pic);
    const int stride = gdk_pixbuf_get_rowstride(pic), nc = gdk_pixbuf_get_n_channels(pic);
    int fields = 0, matches = 0;
    for (int i = 1; i <= t->count(); ++i) {
        const landmark& r = t->rec(i);
        if (r.lmid.at(1) != 0) continue;
        ++fields;
        const long double lat = std::fabs(r.lat), lon = std::fabs(r.lon);
        const int x = lonLatToPicX(0, full, lon, lat), y = latToPicY(0, full, lat);
        ASSERT_TRUE(x >= 65 && y + 35 <= 3000);
        // Mean colour of a patch of the mown field left of and below the point.
        double sum[3] = {0, 0, 0};
        int n = 0;
        for (int yy = y + 10; yy < y + 35; ++yy)
            for (int xx = x - 65; xx < x - 25; ++xx, ++n)
                for (int c = 0; c < 3; ++c) sum[c] += px[yy * stride + xx * nc + c];
        const double r0 = sum[0] / n, g0 = sum[1] / n, b0 = sum[2] / n;
        if (std::fabs(r0 - 153) < 20 && std::fabs(g0 - 199) < 20 && std::fabs(b0 - 115) < 20)
            ++matches;
    }
    g_object_unref(pic);
    EXPECT_GE(fields, 8);
    EXPECT_GE(matches, fields - 2);
}

TEST_F(DemoData, ObjectFileListNamesObjectFiles) {
    std::istringstream lines(readFileBytes(at("lofile-list.txt")));
    std::string line;
    int present = 0, absent = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.size(), 12u) << line;
        ASSERT_EQ(line.substr(0, 2), "lo");
        ASSERT_EQ(line.substr(8), ".dat");
        (fileExists(at("LMdefault/" + line)) ? present : absent)++;
    }
    EXPECT_GE(present, 5);
    EXPECT_EQ(absent, 1);
}

TEST_F(DemoData, SecondTemplateFolderHasItsOwnObjectFiles) {
    const auto t = readTemplate("Spring1918/lndmrks1.mlf");
    ASSERT_GT(t->count(), 20);
    int found = 0;
    for (int i = 1; i <= t->count(); ++i)
        found += fileExists(at("Spring1918/" + objectFileName("lo02", t->rec(i))));
    EXPECT_GT(found, t->count() / 2);
}

// Last of the suite: it removes a file and has the generator put it back.
TEST_F(DemoData, StampSkipsACurrentSetAndNoticesAMissingFile) {
    const std::string out = demoDir->str();
    EXPECT_TRUE(demo::demoDataIsCurrent(out));
    const auto before = fs::last_write_time(out + "/island.jpg");
    EXPECT_FALSE(demo::generateDemoData(out));
    EXPECT_EQ(fs::last_write_time(out + "/island.jpg"), before);

    fs::remove(out + "/LMdefault/lndmrks2.mlf");
    EXPECT_FALSE(demo::demoDataIsCurrent(out));
    EXPECT_TRUE(demo::generateDemoData(out));
    EXPECT_TRUE(fileExists(out + "/LMdefault/lndmrks2.mlf"));
    EXPECT_TRUE(demo::demoDataIsCurrent(out));

    // A stamp from another version of the generator does not count.
    const std::string stamp = readFileBytes(out + "/" + demo::stampName);
    writeFileAtomic(out + "/" + demo::stampName, "vx_demodata 0" + stamp.substr(stamp.find('\n')));
    EXPECT_FALSE(demo::demoDataIsCurrent(out));
    writeFileAtomic(out + "/" + demo::stampName, stamp);
    EXPECT_FALSE(demo::demoDataIsCurrent(out + "/nowhere"));
}
