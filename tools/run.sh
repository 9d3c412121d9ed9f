#!/usr/bin/env bash
# Builds the editor, generates the demo data once, and starts the editor there.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j "$(nproc)" --target vexton vx_demodata
demo="$top/build/demo"
"$top/build/tools/vx_demodata" "$demo"
cp -f "$top/build/app/vexton" "$demo/vexton"
cd "$demo"
exec ./vexton "$@"
