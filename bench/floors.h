// Runs the registered benchmarks and prints each goal's ratio against its floor,
// measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vxbench {

struct Goal {
    std::string measured, floor;
    double maxRatio;
    std::string what;
};

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medianMs;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.aggregate_name == "median")
                medianMs[r.run_name.function_name] =
                    r.GetAdjustedRealTime() *
                    benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                    benchmark::GetTimeUnitMultiplier(r.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

// Returns 0 when every goal holds, 1 otherwise.
inline int runWithGoals(int argc, char** argv, const std::vector<Goal>& goals) {
    benchmark::Initialize(&argc, argv);
    MedianReporter rep;
    benchmark::RunSpecifiedBenchmarks(&rep);
    int rc = 0;
    std::printf("\n%-44s %10s %10s %7s %6s\n", "goal", "median ms", "floor ms", "ratio", "max");
    for (const auto& g : goals) {
        if (!rep.medianMs.count(g.measured) || !rep.medianMs.count(g.floor)) continue;
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
