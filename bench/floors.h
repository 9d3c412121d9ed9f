// Runs the registered benchmarks and prints each goal's ratio against its floor,
// measured in the same run. A goal whose figure or floor is missing (its
// benchmark did not run or failed) counts as missed.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vxbench {

// The floor of the map's goals: one plain copy of the 4000 x 3000 raster.
inline void copy48MB(benchmark::State& st) {
    const size_t n = 4000u * 3000u * 4u;
    std::unique_ptr<uint8_t[]> a(new uint8_t[n]), b(new uint8_t[n]);
    std::memset(a.get(), 1, n);
    std::memset(b.get(), 2, n);
    for (auto _ : st) {
        std::memcpy(b.get(), a.get(), n);
        benchmark::ClobberMemory();
    }
}

struct Goal {
    std::string measured, floor;
    double maxRatio;
    std::string what;
};

class MedianReporter : public benchmark::ConsoleReporter {
public:
    // By name with its arguments ("BM_x/1500"): the median of the repetitions,
    // or the one run's time when the benchmark is not repeated.
    std::map<std::string, double> medianMs;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) {
            std::string name = r.run_name.function_name;
            if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
            if (r.error_occurred) {
                failed_[name] = true;
                medianMs.erase(name);
                continue;
            }
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if (failed_[name] || !(r.aggregate_name == "median" || single)) continue;
            medianMs[name] = r.GetAdjustedRealTime() *
                             benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                             benchmark::GetTimeUnitMultiplier(r.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::map<std::string, bool> failed_;
};

// Returns 0 when every goal holds, 1 otherwise.
inline int runWithGoals(int argc, char** argv, const std::vector<Goal>& goals) {
    benchmark::Initialize(&argc, argv);
    MedianReporter rep;
    benchmark::RunSpecifiedBenchmarks(&rep);
    int rc = 0;
    std::printf("\n%-44s %10s %10s %7s %6s\n", "goal", "median ms", "floor ms", "ratio", "max");
    for (const auto& g : goals) {
        if (!rep.medianMs.count(g.measured) || !rep.medianMs.count(g.floor)) {
            rc = 1;
            std::printf("%-44s %10s %10s %7s %6.2f MISSING\n", g.what.c_str(),
                        rep.medianMs.count(g.measured) ? "" : "-",
                        rep.medianMs.count(g.floor) ? "" : "-", "", g.maxRatio);
            continue;
        }
        const double m = rep.medianMs[g.measured], f = rep.medianMs[g.floor];
        const double ratio = m / f;
        const bool ok = ratio <= g.maxRatio;
        rc |= ok ? 0 : 1;
        std::printf("%-44s %10.3f %10.3f %7.2f %6.2f %s\n", g.what.c_str(), m, f, ratio, g.maxRatio,
                    ok ? "ok" : "MISSED");
    }
    return rc;
}

} // namespace vxbench
