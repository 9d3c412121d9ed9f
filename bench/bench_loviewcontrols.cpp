// The view's goals with 1024 objects: an activation (its several redraws),
// one Ctrl + wheel notch, a Shift move and an Alt group move, each with the
// paint of the 1264 x 948 shown area, against the same scene drawn straight
// into a raster of that size; and the peak memory that an activation and a
// load of the largest canvas add.
#include "app/startup.h"
#include "floors.h"

#include "demodata.h"
#include "mapeditor/Unit1.h"
#include "objectviewer/Unit2.h"
#include "objectviewer/locanvas.h"
#include "support/helpers.h"
#include "ui/ui.h"

#include <cairo.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vx;

namespace {

constexpr int shownW = 1264, shownH = 948;

// The demo folder, both windows headless, a landmark selected and 1024 objects.
struct World {
    fs::path dir;
    cairo_surface_t* shown = cairo_image_surface_create(CAIRO_FORMAT_RGB24, shownW, shownH);
    World() {
        dir = fs::temp_directory_path() / ("vx-bench-lo-" + std::to_string(getpid()));
        demo::generateDemoData(dir.string());
        fs::current_path(dir);
        setAppDirForTesting(dir.string() + "/");
        startUnits();
        createWindows();
        Form1->mapchoice->userSelect(0);
        Form1->loadpic->click();
        Form1->lmpicklist->userSelect(0);
        lotab = TLOtab{};
        const int classes[] = {5, 6, 7, 8, 9, 19};
        for (int i = 0; i < loDrawMax; ++i) {
            LOobject& o = lotab.objs[size_t(i)];
            o.loid.at(1) = uint8_t(classes[i % 6]);
            o.loid.at(2) = uint8_t(i % 10);
            o.x = float((i * 37) % 2000 - 1000);
            o.y = float((i * 53) % 2400 - 1200);
            o.rota = float(i % 360);
            o.hide = i % 9 == 0 ? 3 : 0;
        }
        lotab.head.count = loDrawMax;
        loview->Show();
    }
    ~World() {
        cairo_surface_destroy(shown);
        std::error_code ec;
        fs::current_path("/", ec);
        fs::remove_all(dir, ec);
    }
    // What the user waits for after a redraw: the shown area painted.
    void paintShown() {
        const int left = loview->loscroll->HorzScrollBar().Position();
        const int top = loview->loscroll->VertScrollBar().Position();
        cairo_t* cr = cairo_create(shown);
        cairo_translate(cr, -left, -top);
        loview->loimg->paint(cr, {left, top, left + shownW, top + shownH});
        cairo_destroy(cr);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(shown));
    }
};

World& world() {
    static World w;
    return w;
}

void BM_RasterFloor(benchmark::State& st) {
    world();
    ui::TBitmap bmp;
    bmp.setSize(shownW, shownH);
    LoDrawOptions o;
    o.view = {64, shownW, shownH, 270, true, 0};
    LoScreenPositions pos;
    for (auto _ : st) {
        TCanvasLoCanvas c(bmp.Canvas(), nullptr);
        drawLoView(c, o, lotab, lotab, pos);
        benchmark::DoNotOptimize(bmp.data());
    }
}

void BM_Activation(benchmark::State& st) {
    World& w = world();
    for (auto _ : st) {
        loview->userActivate();
        w.paintShown();
    }
}

void BM_CtrlWheelNotch(benchmark::State& st) {
    World& w = world();
    loview->userActivate();
    ui::TShiftState ctrl;
    ctrl.ctrl = true;
    int delta = 120;
    for (auto _ : st) {
        loview->loimg->userWheel(delta, 600, 400, ctrl);
        w.paintShown();
        delta = -delta;
    }
}

// Shift held in edit mode: the current object follows the pointer.
void BM_ShiftMove(benchmark::State& st) {
    World& w = world();
    loview->userActivate();
    loview->updatelodata();
    loview->lolist->setItemIndex(0);
    loview->starteditClick();
    ui::TShiftState shift;
    shift.shift = true;
    int x = 600;
    for (auto _ : st) {
        loview->loimg->userMouseMove(shift, x, 400);
        w.paintShown();
        x = x == 600 ? 640 : 600;
    }
    loview->stopeditClick();
}

// Alt held during a group move: 24 objects of the work list follow the
// pointer beside 1000 of the file, 1024 drawn in all.
void BM_AltGroupMove(benchmark::State& st) {
    World& w = world();
    loview->userActivate();
    lotab.head.count = loDrawMax - 24;
    loview->updatelodata();
    for (int i = 0; i < 24; ++i) loview->objlist->setSelected(i, true);
    loview->cpobjsClick();
    for (int i = 0; i < 24; ++i) loview->loworklist->setSelected(i, true);
    loview->mvmanyClick();
    ui::TShiftState alt;
    alt.alt = true;
    int x = 600;
    for (auto _ : st) {
        loview->loimg->userMouseMove(alt, x, 400);
        w.paintShown();
        x = x == 600 ? 640 : 600;
    }
    loview->mvmanycancelClick();
    lotab.head.count = loDrawMax;
}

BENCHMARK(BM_RasterFloor)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_Activation)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_CtrlWheelNotch)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_ShiftMove)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_AltGroupMove)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

long vmHwmKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Peak resident memory that an activation and a load of a 30000 x 30000
// canvas add; at most 64 MB.
int peakMemoryGoal() {
    world();
    const long before = vmHwmKb();
    loview->userActivate();
    world().paintShown();
    loview->canvasLimit = 30000;
    loview->spanX = loview->spanY = 40000; // so that the limit sizes the image
    loview->initLoView();
    world().paintShown();
    const long grown = vmHwmKb() - before;
    const bool ok = loview->loimg->Width() == 30000 && grown <= 64 * 1024;
    std::printf("peak memory (VmHWM) growth, activation + 30000 x 30000 load: %ld kB (max 65536) "
                "%s\n",
                grown, ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const int memory = peakMemoryGoal();
    const int timing = vxbench::runWithGoals(
        argc, argv,
        {{"BM_Activation", "BM_RasterFloor", 3.0, "activation + paint / raster of the shown area"},
         {"BM_CtrlWheelNotch", "BM_RasterFloor", 3.0,
          "ctrl + wheel notch + paint / raster of the shown area"},
         {"BM_ShiftMove", "BM_RasterFloor", 1.5,
          "shift move of one object + paint / raster of the shown area"},
         {"BM_AltGroupMove", "BM_RasterFloor", 1.5,
          "alt group move + paint / raster of the shown area"}});
    return memory | timing;
}
