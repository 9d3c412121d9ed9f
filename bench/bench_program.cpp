// The main window's goals as a user feels them: the real program under Xvfb
// with its GTK peers, driven with real X events. Each figure runs from the
// event sent until neither the program nor the X server has used CPU for a
// while (their threads' run times, /proc/<pid>/task/*/schedstat), in a
// program that writes no state file; the figure from the event to the paint
// the program's state file records is shown beside it (a "statefile_ms"
// counter), measured in a program that writes one. Floors measured in this
// run: "Load this map" against decoding the same JPEG (the first load of a
// fresh process against a decode into fresh memory of the kind the program
// uses, later loads of other maps against a decode into a reused buffer), a
// zoom-bar step and a list click (on map 3, 512 landmarks) against one
// plain copy of the 48 MB map raster; the resident size after 5 and 10 loads
// against the program's before any load plus two map rasters.
#include "floors.h"
#include "jpeg_floor.h"
#include "xsession.h"

#include "demodata.h"
#include "mapeditor/lmtext.h"
#include "support/fileio.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
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
        // With no template folder chosen (as at start) a load reads the
        // landmark files beside the program.
        for (const auto& e : fs::directory_iterator(dir / "LMdefault"))
            if (e.path().filename().string().rfind("lndmrks", 0) == 0)
                fs::copy_file(e.path(), dir / e.path().filename(),
                              fs::copy_options::overwrite_existing);
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

// CPU time of every thread of a process so far, in nanoseconds.
long long cpuNs(int pid) {
    long long sum = 0;
    std::error_code ec;
    for (const auto& t : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(t.path() / "schedstat");
        long long ns = 0;
        if (in >> ns) sum += ns;
    }
    return sum;
}

// Milliseconds from send() to the last CPU use of either process before
// both stay idle for `calm`; a negative value when they do not settle in 10 s.
double untilSettled(int a, int b, const std::function<void()>& send,
                    std::chrono::milliseconds calm = 60ms) {
    auto both = [&] { return cpuNs(a) + cpuNs(b); };
    // Idle before the event.
    long long last = both();
    for (auto quiet = Clock::now(); Clock::now() - quiet < calm;) {
        std::this_thread::sleep_for(1ms);
        if (const long long now = both(); now != last) {
            last = now;
            quiet = Clock::now();
        }
    }
    const auto t0 = Clock::now();
    send();
    auto lastUse = t0;
    bool used = false;
    while (Clock::now() - t0 < 10s) {
        const auto t = Clock::now();
        if (const long long now = both(); now != last) {
            last = now;
            lastUse = t;
            used = true;
        } else if (used && t - lastUse >= calm) {
            return std::chrono::duration<double, std::milli>(lastUse - t0).count();
        }
        std::this_thread::sleep_for(100us);
    }
    return -1;
}

// The program started afresh, its window shown.
class Running {
public:
    // Without a state file the program writes none; its controls are then
    // found where a program with one showed them (the same layout).
    explicit Running(bool withState = true) : x(session().x) {
        static int n = 0;
        if (withState) {
            state = (session().stateDir / ("state-" + std::to_string(++n) + ".txt")).string();
            fs::remove(state);
        }
        prog = std::make_unique<e2e::Program>((session().dir / "vexton").string(),
                                              session().dir.string(), x.name(), state);
        win = x.findWindow("Vexton", 20s);
        if (!win || (withState && !e2e::waitForState(state, "Form1.visible", "1", 10s)))
            throw std::runtime_error("the window did not show");
        if (!withState)
            untilSettled(
                prog->pid(), x.pid(), [] {}, 300ms);
        int w = 0, h = 0;
        x.origin(win, wx, wy, w, h);
    }
    // Milliseconds from send() until the program and the X server settle.
    double settled(const std::function<void()>& send) const {
        return untilSettled(prog->pid(), x.pid(), send);
    }
    long residentKb() const {
        std::ifstream in("/proc/" + std::to_string(prog->pid()) + "/status");
        for (std::string line; std::getline(in, line);)
            if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
        return -1;
    }
    State now() const { return e2e::readState(state); }
    bool withState() const { return !state.empty(); }
    // Where the controls the figures use are on the screen, as a program
    // with a state file showed them (set once, before any figure).
    struct Layout {
        std::pair<int, int> loadpic, mapchoice, zoombar, list;
    };
    static Layout& layout() {
        static Layout l;
        return l;
    }
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

// Chooses map k in the map box with its keys (the box's index is tracked by
// the caller, from the 4 the window starts with).
void chooseMap(const Running& r, int& current, int k) {
    if (current == k) return;
    const auto [mx, my] = Running::layout().mapchoice;
    r.x.click(mx, my); // opens the box's list; Escape closes it, the box keeps the focus
    r.settled([&] { r.x.key("Escape"); });
    for (; current != k; current += k > current ? 1 : -1)
        r.settled([&] { r.x.key(k > current ? "Down" : "Up"); });
}

// Map 3 (512 landmarks) loaded, in a program with a state file or in one
// without: the warm figures. One program at a time shows on the screen.
std::unique_ptr<Running>& current() {
    static std::unique_ptr<Running> p;
    return p;
}
Running& loaded(bool withState) {
    std::unique_ptr<Running>& p = current();
    if (p && p->withState() == withState) return *p;
    p.reset();
    p = std::make_unique<Running>(withState);
    int map = 4;
    chooseMap(*p, map, 3);
    if (withState && num(p->now(), "Form1.mapchoice.ItemIndex") != 3)
        throw std::runtime_error("map 3 was not chosen");
    const auto [lx, ly] = Running::layout().loadpic;
    p->x.moveTo(lx, ly);
    if (p->settled([&] { p->x.clickHere(); }) < 0) throw std::runtime_error("the map did not load");
    if (withState && num(p->now(), "Form1.lmpicklist.Count") != 512)
        throw std::runtime_error("map 3 did not load its 512 landmarks");
    return *p;
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
    current().reset();
    for (auto _ : st) {
        if (st.error_occurred()) break;
        st.PauseTiming();
        Running fresh(false);
        const auto [lx, ly] = Running::layout().loadpic;
        fresh.x.moveTo(lx, ly);
        st.ResumeTiming();
        report(st, fresh.settled([&] { fresh.x.clickHere(); }));
    }
}

void BM_FirstLoadFreshProcessStateFile(benchmark::State& st) {
    current().reset();
    for (auto _ : st) {
        if (st.error_occurred()) break;
        st.PauseTiming();
        Running fresh;
        st.ResumeTiming();
        report(st, fresh.load());
    }
}

// Loads of the other maps in turn (0 to 4 and back), each chosen untimed.
void laterLoads(benchmark::State& st, bool withState) {
    Running& r = loaded(withState);
    static int map[2] = {3, 3};
    int& at = map[withState ? 1 : 0];
    int step = at == 4 ? -1 : 1;
    const auto [lx, ly] = Running::layout().loadpic;
    for (auto _ : st) {
        st.PauseTiming();
        if (at + step < 0 || at + step > 4) step = -step;
        chooseMap(r, at, at + step);
        r.x.moveTo(lx, ly);
        st.ResumeTiming();
        report(st, withState ? r.load() : r.settled([&] { r.x.clickHere(); }));
    }
    // Map 3 again for the figures after this one.
    chooseMap(r, at, 3);
    r.x.moveTo(lx, ly);
    r.settled([&] { r.x.clickHere(); });
}
void BM_LaterLoad(benchmark::State& st) {
    laterLoads(st, false);
}
void BM_LaterLoadStateFile(benchmark::State& st) {
    laterLoads(st, true);
}

// The keys that took the zoom bar to each position, in the program with a
// state file; the program without one gets the same keys.
std::map<long long, std::vector<std::string>>& zoomKeys() {
    static std::map<long long, std::vector<std::string>> k;
    return k;
}

// Timed steps one line up and back, each press timed by press(key), ending
// where they started.
void stepsUpAndBack(benchmark::State& st, const std::string& up,
                    const std::function<double(const std::string&)>& press) {
    const std::string down = up == "Up" ? "Down" : "Up";
    bool away = false;
    for (auto _ : st) {
        report(st, press(away ? down : up));
        away = !away;
    }
    if (away) press(down);
}

// Steps the zoom bar with its keys: to the position untimed, then timed
// steps one line up and back, so every step starts at or next to it.
void BM_ZoomBarStepStateFile(benchmark::State& st) {
    Running& r = loaded(true);
    const auto target = static_cast<long long>(st.range(0));
    std::vector<std::string>& sent = zoomKeys()[target];
    sent.clear();
    auto send = [&](const std::string& key) {
        sent.push_back(key);
        r.timed([&] { r.x.key(key); });
    };
    const auto [bx, by] = Running::layout().zoombar;
    r.x.click(bx, by); // the bar takes the focus (and may move a page)
    r.quiet();
    auto pos = [&] { return num(r.now(), "Form1.zoombar.Position"); };
    const long long p0 = pos();
    send("Up");
    const std::string up = pos() > p0 ? "Up" : "Down", down = up == "Up" ? "Down" : "Up";
    for (int guard = 0; pos() != target && guard < 60; ++guard) {
        const long long was = pos(), d = target - was;
        const bool page = d >= 1000 || d <= -1000;
        send(page ? (d > 0 ? "Page_" + up : "Page_" + down) : d > 0 ? up : down);
        // A key that moves nothing, or a page key that moves the other way, ends it.
        if (pos() == was || std::abs(target - pos()) > std::abs(d)) break;
    }
    // The bar's minimum is the scroll box's width: a smaller target is measured
    // at the minimum, and the position used is reported.
    if (std::abs(pos() - target) > 100) st.SkipWithError("the zoom bar did not reach its position");
    st.counters["position"] = double(pos());
    sent.push_back(up);
    stepsUpAndBack(st, up, [&](const std::string& key) { return r.timed([&] { r.x.key(key); }); });
}

void BM_ZoomBarStep(benchmark::State& st) {
    Running& r = loaded(false);
    const std::vector<std::string>& keys = zoomKeys()[st.range(0)];
    if (keys.size() < 2) {
        st.SkipWithError("no keys from the program with a state file");
        return;
    }
    const auto [bx, by] = Running::layout().zoombar;
    r.x.click(bx, by);
    for (size_t i = 0; i + 1 < keys.size(); ++i) r.settled([&] { r.x.key(keys[i]); });
    stepsUpAndBack(st, keys.back(),
                   [&](const std::string& key) { return r.settled([&] { r.x.key(key); }); });
}

// Alternates between two rows of the landmark list, each click on the row
// that is not selected. The rows' height comes from the theme's font, so the
// rows are two points well apart (near the top, and 60 pixels down, which is
// row 1 or 2 for rows of 20 to 59 pixels), checked in the program with a
// state file.
void listClicks(benchmark::State& st, bool withState) {
    Running& r = loaded(withState);
    const auto [lx, ly] = Running::layout().list;
    const int ys[2] = {ly + 8, ly + 60};
    auto row = [&] { return num(r.now(), "Form1.lmpicklist.ItemIndex"); };
    long long rows[2] = {-1, -1};
    for (int k : {1, 0}) {
        r.x.moveTo(lx + 40, ys[k]);
        if (withState) {
            r.timed([&] { r.x.clickHere(); });
            rows[k] = row();
        } else {
            r.settled([&] { r.x.clickHere(); });
        }
    }
    if (withState && (rows[0] != 0 || rows[1] <= 0)) {
        st.SkipWithError("the list's rows are not where they were looked for");
        return;
    }
    int k = 0; // the top row is selected
    for (auto _ : st) {
        st.PauseTiming();
        k = 1 - k;
        r.x.moveTo(lx + 40, ys[k]);
        st.ResumeTiming();
        const double ms =
            withState ? r.timed([&] { r.x.clickHere(); }) : r.settled([&] { r.x.clickHere(); });
        if (withState && row() != rows[k]) {
            st.SkipWithError("no new row");
            break;
        }
        report(st, ms);
    }
}
void BM_ListClick(benchmark::State& st) {
    listClicks(st, false);
}
void BM_ListClickStateFile(benchmark::State& st) {
    listClicks(st, true);
}

void repeated(benchmark::internal::Benchmark* b, int iterations, int repetitions) {
    b->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(iterations)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly();
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
BENCHMARK(BM_FirstLoadFreshProcess)->Apply([](auto* b) { repeated(b, 1, 5); });
BENCHMARK(BM_FirstLoadFreshProcessStateFile)->Apply([](auto* b) { repeated(b, 1, 3); });
// The program with a state file first: its figures give the keys and rows.
BENCHMARK(BM_LaterLoadStateFile)->Apply([](auto* b) { repeated(b, 3, 3); });
BENCHMARK(BM_ZoomBarStepStateFile)->Arg(1500)->Arg(7900)->Apply([](auto* b) { repeated(b, 6, 3); });
BENCHMARK(BM_ListClickStateFile)->Apply([](auto* b) { repeated(b, 6, 3); });
BENCHMARK(BM_LaterLoad)->Apply([](auto* b) { repeated(b, 3, 5); });
BENCHMARK(BM_ZoomBarStep)->Arg(1500)->Arg(7900)->Apply([](auto* b) { repeated(b, 6, 5); });
BENCHMARK(BM_ListClick)->Apply([](auto* b) { repeated(b, 6, 5); });

// Resident size of a fresh program (no state file) before any load and after
// 5 and 10 loads of the maps in turn: at most its size before the first
// load plus two map rasters (the picture and its clean copy) and 24 MB.
int residentGoal() {
    current().reset();
    Running r(false);
    const long base = r.residentKb();
    const auto [lx, ly] = Running::layout().loadpic;
    long after[2] = {0, 0};
    int map = 4;
    for (int i = 1; i <= 10; ++i) {
        chooseMap(r, map, (i * 2) % 5);
        r.x.moveTo(lx, ly);
        r.settled([&] { r.x.clickHere(); });
        if (i == 5) after[0] = r.residentKb();
        if (i == 10) after[1] = r.residentKb();
    }
    const long limit = base + 2 * (4000L * 3000 * 4 / 1024) + 24 * 1024;
    const bool ok = after[0] <= limit && after[1] <= limit;
    std::printf("resident (VmRSS): before any load %ld kB, after 5 loads %ld kB, after 10 loads "
                "%ld kB (max %ld) %s\n",
                base, after[0], after[1], limit, ok ? "ok" : "MISSED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    {
        const Running probe;
        Running::layout() = {probe.centre("loadpic"), probe.centre("mapchoice"),
                             probe.centre("zoombar"), probe.topLeft("lmpicklist")};
    }
    const int timing = vxbench::runWithGoals(
        argc, argv,
        {{"BM_FirstLoadFreshProcess", "BM_JpegDecodeFreshMemory", 2.0,
          "first load, fresh process / decode, fresh memory"},
         {"BM_LaterLoad", "BM_JpegDecodeReusedBuffer", 2.0,
          "later load, other maps / decode, reused buffer"},
         {"BM_ZoomBarStep/1500", "BM_PlainCopy48MB", 2.0, "zoom-bar step at 1500 / 48 MB copy"},
         {"BM_ZoomBarStep/7900", "BM_PlainCopy48MB", 2.0, "zoom-bar step at 7900 / 48 MB copy"},
         {"BM_ListClick", "BM_PlainCopy48MB", 2.0, "list click, map 3 / 48 MB copy"}});
    current().reset();
    return timing | residentGoal();
}
