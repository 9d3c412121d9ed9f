// The view's goals with 1024 objects: an activation (its several redraws),
// one Ctrl + wheel notch, "Center", a Shift move and an Alt group move, each
// with the paint of the shown area, against the same scene drawn with plain
// loops into a raster of the shown area (lo_floor.h, apart from the
// program's own drawing). Shown areas: the window's design size (1264 x 948)
// and what the window shows on a 1366 x 768 screen (578 x 616). And the peak
// memory that an activation and a load of the largest canvas the controls
// reach add.
#include "app/startup.h"
#include "floors.h"
#include "lo_floor.h"

#include "demodata.h"
#include "mapeditor/Unit1.h"
#include "mapeditor/lmfile.h"
#include "objectviewer/Unit2.h"
#include "objectviewer/locanvas.h"
#include "support/helpers.h"
#include "ui/ui.h"

#include <cairo.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vx;

namespace {

// The shown areas, by the benchmarks' first argument.
constexpr int shownSizes[2][2] = {{1264, 948}, {578, 616}};

// The demo folder, both windows headless, a landmark selected and 1024 objects.
struct World {
    fs::path dir;
    cairo_surface_t* shown[2] = {
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, shownSizes[0][0], shownSizes[0][1]),
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, shownSizes[1][0], shownSizes[1][1])};
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
        for (cairo_surface_t* c : shown) cairo_surface_destroy(c);
        std::error_code ec;
        fs::current_path("/", ec);
        fs::remove_all(dir, ec);
    }
    // What the user waits for after a redraw: the shown area painted.
    void paintShown(int size) {
        const int left = loview->loscroll->HorzScrollBar().Position();
        const int top = loview->loscroll->VertScrollBar().Position();
        cairo_t* cr = cairo_create(shown[size]);
        cairo_translate(cr, -left, -top);
        loview->loimg->paint(cr,
                             {left, top, left + shownSizes[size][0], top + shownSizes[size][1]});
        cairo_destroy(cr);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(shown[size]));
    }
};

World& world() {
    static World w;
    return w;
}

// The view as an activation leaves it, drawn by the floor: the same
// objects, magnification, turns, image and shown area.
void BM_RasterFloor(benchmark::State& st) {
    World& w = world();
    const int size = int(st.range(0));
    loview->userActivate();
    vxbench::LoFloorScene scene;
    scene.magPosition = loview->magzoom->Position();
    scene.imgWidth = loview->loimg->Width();
    scene.imgHeight = loview->loimg->Height();
    const double lmRot =
        loview->rotLmFlag ? double(lmfile.rec(Form1->lmpicklist->ItemIndex() + 1).rota) : 0;
    scene.viewAngle = viewAngle(lmRot, loview->manRot);
    scene.objectAngleAdd = loview->rotLmFlag ? lmRot + loview->manRot : 0;
    scene.left = loview->loscroll->HorzScrollBar().Position();
    scene.top = loview->loscroll->VertScrollBar().Position();
    scene.width = shownSizes[size][0];
    scene.height = shownSizes[size][1];
    scene.objcorPosition = loview->objcor->Position();
    vxbench::LoFloor floor(scene);
    for (auto _ : st) {
        floor.draw(lotab);
        benchmark::DoNotOptimize(floor.pixels());
    }
    (void)w;
}

void BM_Activation(benchmark::State& st) {
    World& w = world();
    for (auto _ : st) {
        loview->userActivate();
        w.paintShown(int(st.range(0)));
    }
}

void BM_Center(benchmark::State& st) {
    World& w = world();
    loview->userActivate();
    for (auto _ : st) {
        loview->gocenter->click();
        w.paintShown(int(st.range(0)));
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
        w.paintShown(int(st.range(0)));
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
        w.paintShown(int(st.range(0)));
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
        w.paintShown(int(st.range(0)));
        x = x == 600 ? 640 : 600;
    }
    loview->mvmanycancelClick();
    lotab.head.count = loDrawMax;
}

void shownArgs(benchmark::internal::Benchmark* b) {
    b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
}
BENCHMARK(BM_RasterFloor)->Apply(shownArgs);
BENCHMARK(BM_Activation)->Apply(shownArgs);
BENCHMARK(BM_CtrlWheelNotch)->Apply(shownArgs);
BENCHMARK(BM_Center)->Apply(shownArgs);
BENCHMARK(BM_ShiftMove)->Apply(shownArgs);
BENCHMARK(BM_AltGroupMove)->Apply(shownArgs);

long vmHwmKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Peak resident memory that an activation (a 10000 x 10000 canvas) and a
// load at the largest canvas the controls reach add: the canvas limit typed
// into its box and taken with a double click, then an object file loaded
// from the list (1.1 times the spans). At most 64 MB.
int peakMemoryGoal() {
    world();
    // The load replaces the 1024 objects the timed benchmarks draw.
    const auto objects = std::make_unique<TLOtab>(lotab);
    const long before = vmHwmKb();
    loview->userActivate();
    world().paintShown(0);
    const long activation = vmHwmKb() - before;
    loview->cvasz->userSetText("30000");
    loview->cvasz->OnDblClick();
    loview->lopick->userSelect(0);
    loview->lopick->OnDblClick();
    world().paintShown(0);
    const long grown = vmHwmKb() - before;
    const int w = loview->loimg->Width(), h = loview->loimg->Height();
    lotab = *objects;
    loview->updatelodata();
    const bool ok = grown <= 64 * 1024;
    std::printf("peak memory (VmHWM) growth: activation %ld kB; then a load at %d x %d: %ld kB "
                "(max 65536) %s\n",
                activation, w, h, grown, ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const int memory = peakMemoryGoal();
    std::vector<vxbench::Goal> goals;
    const struct {
        const char* bm;
        double max;
        const char* what;
    } kinds[] = {{"BM_Activation", 3.0, "activation + paint"},
                 {"BM_CtrlWheelNotch", 3.0, "ctrl + wheel notch + paint"},
                 {"BM_Center", 1.5, "\"Center\" + paint"},
                 {"BM_ShiftMove", 1.5, "shift move of one object + paint"},
                 {"BM_AltGroupMove", 1.5, "alt group move + paint"}};
    for (int size : {0, 1})
        for (const auto& k : kinds)
            goals.push_back({std::string(k.bm) + "/" + std::to_string(size),
                             "BM_RasterFloor/" + std::to_string(size), k.max,
                             std::string(k.what) + " " + std::to_string(shownSizes[size][0]) + "x" +
                                 std::to_string(shownSizes[size][1]) + " / plain floor"});
    const int timing = vxbench::runWithGoals(argc, argv, goals);
    return memory | timing;
}
