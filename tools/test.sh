#!/usr/bin/env bash
# Builds and runs every test: the plain build, the sanitizer build and, with
# clang, each fuzz target briefly on its seeds. Every part runs even when one
# before it failed; a summary of what failed in each ends the output, its last
# line "N passed, N failed", and the status is non-zero when anything failed.
# VEXTON_JOBS sets the parallel jobs (default: every processor).
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/deps.sh" || exit 1
jobs="${VEXTON_JOBS:-$(nproc)}"

summary=()
passed=0
failed=0

# build NAME DIR TARGETS CMAKE-ARGS...: configures and builds (TARGETS "all"
# or a list); a failure is noted and the part's tests are skipped.
build() {
  local name="$1" dir="$2" targets="$3"
  shift 3
  local args=()
  [ "$targets" = all ] || args=(--target $targets)
  if cmake -S "$top" -B "$dir" "$@" >/dev/null && cmake --build "$dir" -j "$jobs" "${args[@]}"; then
    return 0
  fi
  summary+=("$name: the build failed, its tests did not run")
  failed=$((failed + 1))
  return 1
}

# run_tests NAME DIR CTEST-ARGS...: runs ctest and notes what failed.
run_tests() {
  local name="$1" dir="$2"
  shift 2
  local log="$dir/ctest-output.log" failedList="$dir/Testing/Temporary/LastTestsFailed.log"
  rm -f "$failedList"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" "$@") 2>&1 | tee "$log"
  local rc="${PIPESTATUS[0]}"
  local line total fails
  line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  if [ -z "$line" ]; then
    summary+=("$name: ctest ran no tests (status $rc)")
    failed=$((failed + 1))
    return
  fi
  total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
  fails="$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")"
  passed=$((passed + total - fails))
  failed=$((failed + fails))
  if [ "$fails" -eq 0 ]; then
    if [ "$rc" -eq 0 ]; then
      summary+=("$name: all $total passed")
    else
      summary+=("$name: ctest ended with status $rc")
      failed=$((failed + 1))
    fi
    return
  fi
  summary+=("$name: $fails of $total failed:")
  [ -f "$failedList" ] && while IFS=: read -r _ test; do summary+=("    $test"); done <"$failedList"
}

if build "plain build" "$top/build" all -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  run_tests "plain build" "$top/build"
fi

if build "sanitizer build" "$top/build-asan" all -DCMAKE_BUILD_TYPE=Debug -DVEXTON_SANITIZE=ON \
  -DVEXTON_BENCH=OFF; then
  # GTK keeps its own allocations until exit; leaks of the toolkit are not ours to report.
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_tests "sanitizer build" \
    "$top/build-asan"
fi

if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  if CC=clang CXX=clang++ build "fuzz targets" "$top/build-fuzz" fuzz_all \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXTON_FUZZ=ON -DVEXTON_BENCH=OFF; then
    run_tests "fuzz targets" "$top/build-fuzz" -L fuzz
  fi
else
  summary+=("fuzz targets: not built, no clang")
fi

echo
echo "==== Summary ===="
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
