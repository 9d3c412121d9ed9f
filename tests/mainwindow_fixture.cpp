#include "mainwindow_fixture.h"

#include "app/startup.h"

#include "mapeditor/calibration.h"
#include "mapeditor/lmtext.h"
#include "objectviewer/Unit2.h"
#include "support/helpers.h"
#include "ui/ui.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cstring>

namespace fs = std::filesystem;

namespace vxtest {

void writeJpeg(const fs::path& p, int w, int h, uint32_t color) {
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h);
    const guint32 rgba =
        (color & 0xFF) << 24 | ((color >> 8) & 0xFF) << 16 | ((color >> 16) & 0xFF) << 8 | 0xFF;
    gdk_pixbuf_fill(pb, rgba);
    GError* err = nullptr;
    gboolean ok = gdk_pixbuf_save(pb, p.c_str(), "jpeg", &err, "quality", "90", nullptr);
    g_object_unref(pb);
    if (!ok) throw std::runtime_error("jpeg save failed");
}

vx::landmark makeLandmark(const char* name, float lat, float lon, uint8_t type, uint8_t side,
                          uint8_t lofile) {
    vx::landmark r{};
    vx::setName(r, name);
    r.lat = lat;
    r.lon = lon;
    r.lmid.at(1) = type;
    r.lmid.at(2) = lofile;
    r.lmid.at(3) = side;
    return r;
}

std::string landmarkFile(const std::vector<vx::landmark>& recs) {
    vx::landmarkhead h{};
    h.count = static_cast<uint16_t>(recs.size());
    h.recsize = 63;
    std::string out(reinterpret_cast<const char*>(&h), sizeof h);
    for (const auto& r : recs) out.append(reinterpret_cast<const char*>(&r), sizeof r);
    return out;
}

std::pair<float, float> mapMiddle(int k) {
    vx::initMapTable();
    const vx::latlong& m = vx::maptab[static_cast<size_t>(k)];
    return {static_cast<float>(m[vx::northLat] - 0.5 * m[vx::latRange]),
            static_cast<float>(m[vx::westLon] + 0.5 * m[vx::lonRange])};
}

void MainWindowTest::SetUp() {
    prog = root.path() / "prog";
    cwd = root.path() / "cwd";
    fs::create_directories(prog);
    fs::create_directories(cwd);
    vx::setAppDirForTesting(prog.string() + "/");
    cwdScope_ = std::make_unique<CwdScope>(cwd);
}

void MainWindowTest::TearDown() {
    vx::ui::Application().resetForTesting();
    vx::Form1 = nullptr;
    vx::loview = nullptr;
    vx::finalizeUnit1();
    vx::lmfile = {};
    cwdScope_.reset();
    vx::setAppDirForTesting("");
}

vx::TForm1& MainWindowTest::create() {
    vx::startUnits();
    vx::createWindows();
    return *vx::Form1;
}

void MainWindowTest::standardData(const std::vector<vx::landmark>& recs, int map) {
    fs::create_directories(prog / "LMdefault");
    writeFile(prog / "LMdefault" / "lndmrks0.mlf", landmarkFile({}));
    writeFile(prog / "LMdefault" / ("lndmrks" + std::to_string(map) + ".mlf"), landmarkFile(recs));
    writeJpeg(cwd / vx::mapfiles[static_cast<size_t>(map)], 4000, 3000, 0x336633);
}

} // namespace vxtest
