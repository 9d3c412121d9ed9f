#!/usr/bin/env bash
# The test command with stand-ins for cmake and ctest: a plain build that
# does not compile and a sanitizer half with one failing test. Both halves
# must run, the summary must name what failed in each, the last line must
# count, and the status must say failure.
set -euo pipefail
src="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/top/tools" "$tmp/bin"
cp "$src/tools/test.sh" "$tmp/top/tools/"
printf '#!/bin/sh\nexit 0\n' >"$tmp/top/tools/deps.sh"
cat >"$tmp/bin/cmake" <<'STUB'
#!/bin/bash
if [ "$1" = "--build" ] && [[ "$2" == */build ]]; then echo "a compile error"; exit 2; fi
if [ "$1" = "-S" ]; then mkdir -p "$4"; fi
exit 0
STUB
cat >"$tmp/bin/ctest" <<'STUB'
#!/bin/bash
mkdir -p Testing/Temporary
if [[ "$PWD" == *build-asan ]]; then
  echo "9:Some.FailingTest" >Testing/Temporary/LastTestsFailed.log
  echo "90% tests passed, 1 tests failed out of 10"
  exit 8
fi
echo "100% tests passed, 0 tests failed out of 7"
STUB
printf '#!/bin/sh\nexit 0\n' >"$tmp/bin/clang" # so the fuzz part runs too
cp "$tmp/bin/clang" "$tmp/bin/clang++"
chmod +x "$tmp/bin/"* "$tmp/top/tools/"*

status=0
out="$(PATH="$tmp/bin:$PATH" "$tmp/top/tools/test.sh" 2>&1)" || status=$?
fail() { echo "FAIL: $1"; echo "$out"; exit 1; }
[ "$status" -ne 0 ] || fail "a failing run exits 0"
grep -q '^plain build: the build failed' <<<"$out" || fail "the plain build's failure is not summed up"
grep -q '^sanitizer build: 1 of 10 failed' <<<"$out" || fail "the sanitizer half did not run or is not summed up"
grep -q '^    Some.FailingTest$' <<<"$out" || fail "the failing test is not named"
[ "$(tail -n 1 <<<"$out")" = "16 passed, 2 failed" ] || fail "the last line does not count"
echo "ok"
