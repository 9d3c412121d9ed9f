#include "demodata.h"

#include "demo_icons.h"
#include "demo_maps.h"
#include "demo_objects.h"
#include "demo_world.h"
#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"
#include "support/errors.h"
#include "support/fileio.h"
#include "support/helpers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

namespace vx::demo {

static_assert(std::endian::native == std::endian::little,
              "records are written in the machine's own byte order");

namespace {

namespace fs = std::filesystem;

// Bump when the data set changes, so that old sets are written anew.
constexpr const char* generatorVersion = "vx_demodata 2";

constexpr int fullFileMap = 3;      // its landmark file holds all 512 records
constexpr size_t objnumsShared = 4; // object files shared by the filler records

// An object file some record names and the site it describes.
struct ObjectFile {
    uint8_t type, objnum, side;
    bool brigade;
};

// The files of one template folder, collected before anything is written.
class TemplateFolder {
public:
    explicit TemplateFolder(std::string dir) : dir_(std::move(dir)) {}

    // The object-file number of the next site of `type`; every ninth number
    // has no object file, so some landmarks name a file that is missing.
    uint8_t claim(uint8_t type, uint8_t side, bool brigade) {
        const uint8_t n = next_[{type, brigade}]++;
        want(type, n, side, brigade);
        return n;
    }
    void want(uint8_t type, uint8_t objnum, uint8_t side, bool brigade) {
        if (objnum % 9 != 8) files_[name(type, objnum, brigade)] = {type, objnum, side, brigade};
    }

    static std::string name(uint8_t type, uint8_t objnum, bool brigade) {
        return std::string(brigade ? "lo01" : "lo02") + byteHex(type) + byteHex(objnum) + ".dat";
    }

    // Writes the object files; returns their names.
    std::vector<std::string> writeObjects(int seedOffset) const {
        std::vector<std::string> names;
        for (const auto& [fileName, f] : files_) {
            const auto variant = static_cast<uint8_t>(f.objnum + seedOffset);
            writeFileAtomic(dir_ + "/" + fileName,
                            objectFileBytes(siteObjects(f.type, f.side, variant, f.brigade)));
            names.push_back(fileName);
        }
        return names;
    }

    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
    std::map<std::pair<uint8_t, bool>, uint8_t> next_;
    std::map<std::string, ObjectFile> files_;
};

landmark makeRecord(std::string_view name, LatLon at, uint8_t type, uint8_t objnum, uint8_t side,
                    bool active, float rota, float elev) {
    landmark r{};
    r.lmid.at(1) = type;
    r.lmid.at(2) = objnum;
    r.lmid.at(3) = side;
    const float sign = active ? 1.0f : -1.0f; // de-activated: both co-ordinates negated
    r.lat = sign * static_cast<float>(at.lat);
    r.lon = sign * static_cast<float>(at.lon);
    r.elev = elev;
    r.rota = rota;
    setName(r, name);
    return r;
}

float rotationOf(size_t i) {
    static const float cycle[] = {0, 90, 180, 270, 45, 135, 225, 315, 12.5f, 300, 200};
    return cycle[i % std::size(cycle)];
}

float elevationOf(size_t i) {
    return static_cast<float>(100 + (i * 53) % 900);
}

std::unique_ptr<Tlm> emptyFile(int k, bool brigade) {
    auto t = std::make_unique<Tlm>();
    std::memset(t.get(), 0, sizeof(Tlm));
    std::memcpy(t->head.hchars1, brigade ? "VXDEMOBR" : "VXDEMOLM", sizeof t->head.hchars1);
    t->head.hword = static_cast<uint16_t>(k);
    t->head.recsize = sizeof(landmark);
    return t;
}

void append(Tlm& t, const landmark& r) {
    if (t.head.count >= lmCapacity) throw RangeError("demo landmark file over 512 records");
    t.recs[t.head.count++] = r;
}

// Jittered grid of further posts that fills map k's file to 512 records.
void fillToCapacity(Tlm& t, int k, TemplateFolder& folder) {
    const latlong& T = maptab[static_cast<size_t>(k)];
    const double south = static_cast<double>(T[southLat]), north = static_cast<double>(T[northLat]);
    const double west = static_cast<double>(T[westLon]), east = static_cast<double>(T[eastLon]);
    const int cols = 25;
    const int missing = lmCapacity - t.head.count;
    const int rows = (missing + cols - 1) / cols;
    static const uint8_t types[] = {1, 7, 8, 2, 6, 0, 3, 4, 5, 9};
    for (int i = 0; i < missing; ++i) {
        const int r = i / cols, c = i % cols;
        const double lat = north - (north - south) * (r + 0.5 + 0.3 * ((c % 3) - 1) / 3.0) / rows;
        const double lon = west + 0.03 + (east - west - 0.06) * (c + 0.5) / cols;
        const uint8_t type = types[static_cast<size_t>(i) % std::size(types)];
        const auto side = static_cast<uint8_t>(i % 2);
        const auto objnum = static_cast<uint8_t>(0xF0 + static_cast<size_t>(i) % objnumsShared);
        folder.want(type, objnum, side, false);
        char name[40];
        std::snprintf(name, sizeof name, "%s post %03d", mapPlans()[static_cast<size_t>(k)].title,
                      i + 1);
        append(t,
               makeRecord(name, {lat, lon}, type, objnum, side, i % 40 != 39,
                          rotationOf(static_cast<size_t>(i)), elevationOf(static_cast<size_t>(i))));
    }
}

// Names whose side changed in the spring of 1918.
bool changedSideIn1918(std::string_view name) {
    static const std::set<std::string_view> names{
        "Armentieres",  "Kemmel",     "Bailleul Asylum", "Pont de Pont-de-Nieppe",
        "Saint-Mihiel", "Thiaucourt", "Apremont",        "Vlamertinghe"};
    return names.count(name) != 0;
}

std::unique_ptr<Tlm> landmarkFile(int k, TemplateFolder& folder, bool spring1918) {
    auto t = emptyFile(k, false);
    const MapPlan& plan = mapPlans()[static_cast<size_t>(k)];
    for (size_t i = 0; i < plan.places.size(); ++i) {
        const Place& p = plan.places[i];
        uint8_t side = p.side;
        if (spring1918 && changedSideIn1918(p.name)) side = side == central ? entente : central;
        float rota = rotationOf(i);
        // Rotations that sit between the rotation list's whole degrees.
        if (k == 4 && i < 3) rota = std::array<float, 3>{45.5f, 44.5f, 359.7f}[i];
        append(*t, makeRecord(p.name, {p.lat, p.lon}, p.type, folder.claim(p.type, side, false),
                              side, p.active, rota, elevationOf(i)));
    }
    if (k == fullFileMap && !spring1918) fillToCapacity(*t, k, folder);
    return t;
}

std::unique_ptr<Tlm> brigadeFile(int k, TemplateFolder& folder) {
    auto t = emptyFile(k, true);
    const std::vector<Brigade> brigades = brigadesOf(k);
    for (size_t i = 0; i < brigades.size(); ++i) {
        const Brigade& b = brigades[i];
        // A third of the brigades have no object file of their own.
        if (i % 3 != 2) folder.want(b.code, b.objnum, b.side, true);
        append(*t, makeRecord(b.name, b.at, b.code, b.objnum, b.side, b.active, rotationOf(i),
                              elevationOf(i)));
    }
    return t;
}

class Writer {
public:
    explicit Writer(std::string outdir) : out_(std::move(outdir)) {}

    std::string path(const std::string& rel) const { return out_ + "/" + rel; }
    void dir(const std::string& rel) {
        std::error_code ec;
        fs::create_directories(path(rel), ec);
        if (ec) throw FileError("Unable to create folder \"" + path(rel) + "\": " + ec.message());
    }
    void file(const std::string& rel, const std::string& bytes) {
        writeFileAtomic(path(rel), bytes);
        written_.push_back(rel);
    }
    void landmarks(const std::string& rel, const Tlm& t) {
        saveLandmarkFile(path(rel), t);
        written_.push_back(rel);
    }
    void objects(const TemplateFolder& folder, const std::string& rel, int seedOffset) {
        for (const std::string& name : folder.writeObjects(seedOffset))
            written_.push_back(rel + "/" + name);
    }
    void stamp() {
        std::string text = std::string(generatorVersion) + "\n";
        for (const std::string& rel : written_) text += rel + "\n";
        writeFileAtomic(path(stampName), text);
    }

private:
    std::string out_;
    std::vector<std::string> written_;
};

void writeTemplates(Writer& w) {
    w.dir("LMdefault");
    TemplateFolder lmdefault(w.path("LMdefault"));
    for (int k = 0; k < mapCount; ++k) {
        w.landmarks("LMdefault/lndmrks" + std::to_string(k) + ".mlf",
                    *landmarkFile(k, lmdefault, false));
        w.landmarks("LMdefault/brigade" + std::to_string(k) + ".mbf", *brigadeFile(k, lmdefault));
    }
    w.objects(lmdefault, "LMdefault", 0);
    for (const OddObjectFile& f : oddObjectFiles()) w.file("LMdefault/" + f.name, f.bytes);

    // A second template folder: the same fronts in the spring of 1918.
    w.dir("Spring1918");
    TemplateFolder spring(w.path("Spring1918"));
    for (int k : {1, 2})
        w.landmarks("Spring1918/lndmrks" + std::to_string(k) + ".mlf",
                    *landmarkFile(k, spring, true));
    w.landmarks("Spring1918/brigade1.mbf", *brigadeFile(1, spring));
    w.objects(spring, "Spring1918", 5);

    // Folders that are not offered as template folders: a hidden one, and
    // one without "lndmrks1.mlf".
    TemplateFolder unused(w.path("Drafts"));
    w.dir(".backup");
    w.landmarks(".backup/lndmrks1.mlf", *landmarkFile(1, unused, true));
    w.dir("Drafts");
    w.landmarks("Drafts/lndmrks0.mlf", *landmarkFile(0, unused, true));
}

void writeIcons(Writer& w) {
    w.dir("gfxfiles");
    for (const IconKind& kind : iconKinds())
        w.file("gfxfiles/" + iconFileName(kind), iconJpeg(kind, false));
    w.file("gfxfiles/Halvoryspec.jpg", fallbackJpeg());
    // A folder that takes the name of an icon: it shows the fallback picture.
    w.dir("gfxfiles/0905_tank_small_allied.jpg");
    // Names that are not icons: the wrong case, or "-" for "_".
    for (const char* decoy : {"090a_farmhouse.jpg", "090A_farmhouse.JPG", "090A-farmhouse.jpg"})
        w.file(std::string("gfxfiles/") + decoy, fallbackJpeg());

    // The template folder's own set, loaded on request: snowy versions of a
    // few vehicles and buildings.
    w.dir("LMdefault/gfxfiles");
    for (const IconKind& kind : iconKinds()) {
        const bool vehicle = kind.cls == 6 && kind.type >= 1 && kind.type <= 4;
        const bool building = kind.cls == 9 && kind.type <= 11;
        if (vehicle || building)
            w.file("LMdefault/gfxfiles/" + iconFileName(kind), iconJpeg(kind, true));
    }
    w.file("LMdefault/gfxfiles/Halvoryspec.jpg", fallbackJpeg());

    // The second template folder has one icon of its own, in place of the
    // folder above.
    w.dir("Spring1918/gfxfiles");
    w.file("Spring1918/gfxfiles/0905_a.jpg", iconJpeg({9, 4, "barracks"}, true));
}

void writeObjectFileList(Writer& w) {
    std::vector<std::string> names = findEntries(w.path("LMdefault"), "lo02????.dat", false);
    std::sort(names.begin(), names.end());
    std::string text;
    for (size_t i = 0; i < names.size() && i < 40; i += 4) text += names[i] + "\n";
    text += "lo02ff01.dat\n"; // listed, but no such file
    w.file("lofile-list.txt", text);
}

} // namespace

bool demoDataIsCurrent(const std::string& outdir) {
    std::string text;
    try {
        text = readFileBytes(outdir + "/" + stampName, 1 << 20);
    } catch (const FileError&) {
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != generatorVersion) return false;
    size_t listed = 0;
    while (std::getline(lines, line)) {
        if (!fileExists(outdir + "/" + line)) return false;
        ++listed;
    }
    return listed > 0;
}

bool generateDemoData(const std::string& outdir) {
    if (demoDataIsCurrent(outdir)) return false;
    Writer w(outdir);
    w.dir(".");
    std::error_code ec;
    fs::remove(w.path(stampName), ec);
    initMapTable();
    writeTemplates(w);
    writeIcons(w);
    writeObjectFileList(w);
    for (int k = 0; k < mapCount; ++k) {
        const MapPlan& plan = mapPlans()[static_cast<size_t>(k)];
        w.file(plan.picture, mapJpeg(k, plan));
    }
    w.stamp();
    return true;
}

} // namespace vx::demo
