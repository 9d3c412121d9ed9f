// The main window's goals as a user feels them: the real program under Xvfb
// with its GTK peers, driven with real X events. Each figure runs from the
// event sent to the repaint that follows its handlers (the program's state
// file tells both), against floors measured in this run: "Load this map"
// against decoding the same JPEG (the first load of a fresh process against a
// decode into fresh memory, later loads against a decode into a reused
// buffer), a zoom-bar step and a list click against one plain copy of the
// 48 MB map raster.
#include "floors.h"
#include "jpeg_floor.h"
#include "xsession.h"

#include "demodata.h"
#include "mapeditor/lmtext.h"
#include "support/fileio.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// One X server of the size the window is laid out for, one demo folder, and
// a folder for the state files. The state file is how the figures see the
// program: kept in memory where it can be, so a rename over it does not start
// a disk write inside every timed step.
struct Session {
    e2e::XServer x{1366, 768};
    fs::path dir, stateDir;
    Session() {
        const std::string tag = "vx-bench-program-" + std::to_string(getpid());
        dir = fs::temp_directory_path() / tag;
        vx::demo::generateDemoData(dir.string());
        fs::copy_file(VX_VEXTON_EXE, dir / "vexton", fs::copy_options::overwrite_existing);
        std::error_code ec;
        stateDir = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") / tag : dir;
        fs::create_directories(stateDir);
    }
    ~Session() {
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::remove_all(stateDir, ec);
    }
};

Session& session() {
    static Session s;
    return s;
}

using State = std::map<std::string, std::string>;

long long num(const State& s, const std::string& key) {
    auto it = s.find(key);
    return it == s.end() ? -1 : std::stoll(it->second);
}

// The program started afresh, its window shown.
class Running {
public:
    Running() : x(session().x) {
        static int n = 0;
        state = (session().stateDir / ("state-" + std::to_string(++n) + ".txt")).string();
        fs::remove(state);
        prog = std::make_unique<e2e::Program>((session().dir / "vexton").string(),
                                              session().dir.string(), x.name(), state);
        win = x.findWindow("Vexton", 20s);
        if (!win || !e2e::waitForState(state, "Form1.visible", "1", 10s))
            throw std::runtime_error("the window did not show");
        int w = 0, h = 0;
        x.origin(win, wx, wy, w, h);
    }
    State now() const { return e2e::readState(state); }
    // The middle of a control on the screen.
    std::pair<int, int> centre(const std::string& name) const {
        int cx = 0, cy = 0, w = 0, h = 0;
        std::istringstream(now().at("Form1." + name + ".bounds")) >> cx >> cy >> w >> h;
        return {wx + cx + w / 2, wy + cy + h / 2};
    }
    std::pair<int, int> topLeft(const std::string& name) const {
        int cx = 0, cy = 0;
        std::istringstream(now().at("Form1." + name + ".bounds")) >> cx >> cy;
        return {wx + cx, wy + cy};
    }
    // Waits until nothing has run or painted for a while.
    void quiet() const {
        State last = now();
        for (auto calm = Clock::now(); Clock::now() - calm < 300ms;) {
            std::this_thread::sleep_for(20ms);
            State s = now();
            if (num(s, "Application.dispatched") != num(last, "Application.dispatched") ||
                num(s, "Form1.Image1.paints") != num(last, "Form1.Image1.paints"))
                calm = Clock::now();
            last = std::move(s);
        }
    }
    // Milliseconds from send() to the end of its handler and its repaint;
    // a negative value when that did not come within 10 s.
    double timed(const std::function<void()>& send) const {
        quiet();
        const State s0 = now();
        const long long before = num(s0, "Application.dispatched");
        const long long painted = num(s0, "Form1.Image1.paints");
        const auto t0 = Clock::now();
        send();
        State s;
        while (Clock::now() - t0 < 10s) {
            s = now();
            const long long d = num(s, "Application.dispatched");
            // Scrolling the view paints at once, inside the handler; other
            // changes queue a paint for later.
            if (d > before && num(s, "Form1.Image1.paints") > painted &&
                s["Form1.Image1.repaintPending"] == "0")
                return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            std::this_thread::sleep_for(200us);
        }
        std::fprintf(stderr, "no repaint: dispatched %lld -> %lld, paints %lld -> %lld\n", before,
                     num(s, "Application.dispatched"), painted, num(s, "Form1.Image1.paints"));
        return -1;
    }
    double load() const {
        const auto [lx, ly] = centre("loadpic");
        x.moveTo(lx, ly);
        return timed([&] { x.clickHere(); });
    }
    // The map picture the load reads: under the template folder, else here.
    fs::path mapPicture() const {
        const State s = now();
        const auto k = static_cast<size_t>(num(s, "Form1.mapchoice.ItemIndex"));
        const fs::path inTemplate =
            session().dir / s.at("Form1.LMtemplate.Text") / vx::mapfiles.at(k);
        return fs::exists(inTemplate) ? inTemplate : session().dir / vx::mapfiles.at(k);
    }

    e2e::XServer& x;
    std::string state;
    std::unique_ptr<e2e::Program> prog;
    e2e::Window win = 0;
    int wx = 0, wy = 0;
};

// One program for the warm figures, loaded once.
Running& loaded() {
    static Running r = [] {
        Running p;
        if (p.load() < 0) throw std::runtime_error("the map did not load");
        return p;
    }();
    return r;
}

void report(benchmark::State& st, double ms) {
    if (ms < 0) st.SkipWithError("no repaint after the event");
    st.SetIterationTime(ms / 1000);
}

std::string mapBytes() {
    static std::string bytes = [] {
        Running probe;
        return vx::readFileBytes(probe.mapPicture().string());
    }();
    return bytes;
}

void BM_JpegDecodeFreshMemory(benchmark::State& st) {
    const std::string bytes = mapBytes();
    const size_t size = vxbench::decodedBytes(bytes);
    for (auto _ : st) benchmark::DoNotOptimize(vxbench::decodeJpegFresh(bytes, size).get());
}

void BM_JpegDecodeReusedBuffer(benchmark::State& st) {
    const std::string bytes = mapBytes();
    const auto out = vxbench::decodeJpegFresh(bytes, vxbench::decodedBytes(bytes));
    int w = 0, h = 0;
    for (auto _ : st) {
        vxbench::decodeJpegInto(bytes, out->get(), w, h);
        benchmark::DoNotOptimize(out->get());
    }
}

// Each repetition starts a fresh process and times its first load.
void BM_FirstLoadFreshProcess(benchmark::State& st) {
    for (auto _ : st) {
        if (st.error_occurred()) break;
        st.PauseTiming();
        Running fresh;
        st.ResumeTiming();
        report(st, fresh.load());
    }
}

void BM_LaterLoad(benchmark::State& st) {
    Running& r = loaded();
    for (auto _ : st) report(st, r.load());
}

// Steps the zoom bar with its keys: to the position untimed, then timed
// steps one line up and back, so every step starts at or next to it.
void BM_ZoomBarStep(benchmark::State& st) {
    Running& r = loaded();
    const auto target = static_cast<long long>(st.range(0));
    const auto [bx, by] = r.centre("zoombar");
    r.x.click(bx, by); // the bar takes the focus (and may move a page)
    r.quiet();
    auto pos = [&] { return num(r.now(), "Form1.zoombar.Position"); };
    const long long p0 = pos();
    r.timed([&] { r.x.key("Up"); });
    const std::string up = pos() > p0 ? "Up" : "Down", down = up == "Up" ? "Down" : "Up";
    for (int guard = 0; pos() != target && guard < 60; ++guard) {
        const long long was = pos(), d = target - was;
        const bool page = d >= 1000 || d <= -1000;
        r.timed([&] {
            r.x.key(page ? (d > 0 ? "Page_" + up : "Page_" + down) : d > 0 ? up : down);
        });
        // A key that moves nothing, or a page key that moves the other way, ends it.
        if (pos() == was || std::abs(target - pos()) > std::abs(d)) break;
    }
    // The bar's minimum is the scroll box's width: a smaller target is measured
    // at the minimum, and the position used is reported.
    if (std::abs(pos() - target) > 100) st.SkipWithError("the zoom bar did not reach its position");
    st.counters["position"] = double(pos());
    bool away = false;
    double cold = -1;
    for (auto _ : st) {
        const std::string key = away ? down : up;
        const double ms = r.timed([&] { r.x.key(key); });
        if (cold < 0) cold = ms;
        report(st, ms);
        away = !away;
    }
    st.counters["cold_ms"] = cold;
}

// Alternates between two rows of the landmark list, each click on the row
// that is not selected. The rows' height comes from the theme's font, so the
// rows are two points well apart (near the top, and 60 pixels down, which is
// row 1 or 2 for rows of 20 to 59 pixels), checked untimed before timing.
void BM_ListClick(benchmark::State& st) {
    Running& r = loaded();
    const auto [lx, ly] = r.topLeft("lmpicklist");
    const int ys[2] = {ly + 8, ly + 60};
    auto row = [&] { return num(r.now(), "Form1.lmpicklist.ItemIndex"); };
    long long rows[2] = {-1, -1};
    for (int k : {1, 0}) {
        r.x.moveTo(lx + 40, ys[k]);
        r.timed([&] { r.x.clickHere(); });
        rows[k] = row();
    }
    if (rows[0] != 0 || rows[1] <= 0) {
        st.SkipWithError("the list's rows are not where they were looked for");
        return;
    }
    double cold = -1;
    for (auto _ : st) {
        st.PauseTiming();
        const int k = row() == rows[0] ? 1 : 0;
        r.x.moveTo(lx + 40, ys[k]);
        st.ResumeTiming();
        const double ms = r.timed([&] { r.x.clickHere(); });
        if (row() != rows[k]) {
            st.SkipWithError("no new row");
            break;
        }
        if (cold < 0) cold = ms;
        report(st, ms);
    }
    st.counters["cold_ms"] = cold;
}

BENCHMARK(vxbench::copy48MB)
    ->Name("BM_PlainCopy48MB")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_JpegDecodeFreshMemory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_JpegDecodeReusedBuffer)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstLoadFreshProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_LaterLoad)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ZoomBarStep)
    ->Arg(1500)
    ->Arg(7900)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(6)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ListClick)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(6)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    return vxbench::runWithGoals(
        argc, argv,
        {{"BM_FirstLoadFreshProcess", "BM_JpegDecodeFreshMemory", 2.0,
          "first load, fresh process / decode, fresh memory"},
         {"BM_LaterLoad", "BM_JpegDecodeReusedBuffer", 2.0, "later load / decode, reused buffer"},
         {"BM_ZoomBarStep/1500", "BM_PlainCopy48MB", 2.0, "zoom-bar step at 1500 / 48 MB copy"},
         {"BM_ZoomBarStep/7900", "BM_PlainCopy48MB", 2.0, "zoom-bar step at 7900 / 48 MB copy"},
         {"BM_ListClick", "BM_PlainCopy48MB", 2.0, "list click / 48 MB copy"}});
}
