#!/usr/bin/env bash
# Builds and runs every test: the plain build, then the sanitizer build.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/deps.sh"
jobs="$(nproc)"

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j "$jobs"
(cd "$top/build" && ctest --output-on-failure -j "$jobs")

cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVEXTON_SANITIZE=ON -DVEXTON_BENCH=OFF >/dev/null
cmake --build "$top/build-asan" -j "$jobs"
# GTK keeps its own allocations until exit; leaks of the toolkit are not ours to report.
(cd "$top/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")
