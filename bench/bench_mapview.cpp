// The main window's performance goals: a full redraw of a 512-record file
// against one plain copy of the 48 MB picture, and "Load this map" against
// decoding the same JPEG alone.
#include "app/startup.h"
#include "floors.h"

#include "demodata.h"
#include "mapeditor/Unit1.h"
#include "mapeditor/lmfile.h"
#include "objectviewer/Unit2.h"
#include "support/dialogs.h"
#include "support/fileio.h"
#include "support/helpers.h"
#include "ui/ui.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A demo folder made once per run; the window works in it headless.
struct World {
    fs::path dir;
    World() {
        dir = fs::temp_directory_path() / ("vx-bench-" + std::to_string(getpid()));
        vx::demo::generateDemoData(dir.string());
        fs::current_path(dir);
        vx::setAppDirForTesting(dir.string() + "/");
        vx::startUnits();
        vx::createWindows();
        vx::Form1->mapchoice->userSelect(3); // the 512-record file
        vx::Form1->loadpic->click();
        if (vx::lmfile.count() != 512) std::fprintf(stderr, "expected 512 records\n");
    }
    ~World() {
        std::error_code ec;
        fs::current_path("/", ec);
        fs::remove_all(dir, ec);
    }
};

World& world() {
    static World w;
    return w;
}

// A redraw after a write the window did not make: the whole clean copy and
// every icon. (A redraw that changes nothing writes nothing.)
void BM_FullRedraw512(benchmark::State& st) {
    world();
    for (auto _ : st) {
        vx::Form1->Image1->Picture().Bitmap().changed();
        vx::Form1->draw(-1);
    }
}

void BM_DecodeJpegAlone(benchmark::State& st) {
    const std::string path = (world().dir / "alsace.jpg").string();
    vx::ui::TBitmap bmp;
    for (auto _ : st) {
        const std::string bytes = vx::readFileBytes(path);
        vx::ui::decodeJpeg(path, bytes.data(), bytes.size(), bmp);
    }
}

void BM_LoadThisMap(benchmark::State& st) {
    world();
    for (auto _ : st) vx::Form1->loadpic->click();
}

BENCHMARK(vxbench::copy48MB)
    ->Name("BM_PlainCopy48MB")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FullRedraw512)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_DecodeJpegAlone)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_LoadThisMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    setenv("VX_HEADLESS", "1", 1);
    return vxbench::runWithGoals(
        argc, argv,
        {{"BM_FullRedraw512", "BM_PlainCopy48MB", 1.5, "full redraw, 512 records / 48 MB copy"},
         {"BM_LoadThisMap", "BM_DecodeJpegAlone", 2.0, "Load this map / JPEG decode alone"}});
}
