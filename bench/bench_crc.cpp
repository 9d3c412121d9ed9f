// fileCrc32 on a 64 MB file (in the page cache after the first run) against
// its floor: zlib's crc32 of the same bytes already in memory. A read of the
// file whole and its sum are shown beside.
#include "floors.h"

#include "support/crc32.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

constexpr size_t kBytes = 64u << 20;

struct Fixture {
    std::string path;
    std::vector<unsigned char> bytes;
    Fixture() : bytes(kBytes) {
        uint32_t x = 12345;
        for (auto& b : bytes) b = static_cast<unsigned char>((x = x * 1103515245u + 12345u) >> 24);
        const char* tmp = std::getenv("TMPDIR");
        path =
            std::string(tmp && *tmp ? tmp : "/tmp") + "/vx-bench-crc-" + std::to_string(getpid());
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
        std::fclose(f);
    }
    ~Fixture() { std::remove(path.c_str()); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_fileCrc32(benchmark::State& state) {
    auto& f = fixture();
    const uint32_t want =
        static_cast<uint32_t>(crc32(0L, f.bytes.data(), static_cast<uInt>(kBytes)));
    for (auto _ : state) {
        int32_t status = 0;
        uint32_t crc = vx::fileCrc32(f.path, status);
        if (status != 1 || crc != want) state.SkipWithError("wrong CRC");
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(kBytes));
}

void BM_zlibCrc32InMemory(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        uLong crc = crc32(0L, f.bytes.data(), static_cast<uInt>(kBytes));
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(kBytes));
}

// Reading the file whole into a reused buffer with stdio, then zlib's crc32.
void BM_freadAndZlibCrc32(benchmark::State& state) {
    auto& f = fixture();
    std::vector<unsigned char> buf(kBytes);
    for (auto _ : state) {
        FILE* fp = std::fopen(f.path.c_str(), "rb");
        const size_t n = fp ? std::fread(buf.data(), 1, buf.size(), fp) : 0;
        if (fp) std::fclose(fp);
        if (n != kBytes) state.SkipWithError("short read");
        benchmark::DoNotOptimize(crc32(0L, buf.data(), static_cast<uInt>(n)));
    }
}

} // namespace

BENCHMARK(BM_zlibCrc32InMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_freadAndZlibCrc32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_fileCrc32)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vxbench::runWithGoals(
        argc, argv,
        {{"BM_fileCrc32", "BM_zlibCrc32InMemory", 1.5, "fileCrc32 / zlib crc32 in memory"}});
}
