#!/usr/bin/env bash
# Builds and runs every benchmark under bench/, then prints one table of the figures that
# carry a target. Each benchmark measures its own baseline in the same run.
# Usage: bench/run.sh [name-filter]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci

filter=${1:-}
log=$(mktemp)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch" "$log"' EXIT
mkdir -p "$scratch"/{home,config,data,cache,runtime}
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime" TZ=UTC LC_ALL=C.UTF-8

for dir in bench/*/; do
    name=$(basename "$dir")
    [ -n "$filter" ] && [[ "$name" != *"$filter"* ]] && continue
    if [ -x "$dir/run.sh" ]; then
        command=("$dir/run.sh" build/ci)
    elif [ -x "build/ci/bench/$name/bench_$name" ]; then
        command=("build/ci/bench/$name/bench_$name")
    else
        continue
    fi
    echo "=== $name"
    # Window benchmarks get a display and a bus of their own.
    if ! xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "${command[@]}" 2>&1 |
        sed "s/^/[$name] /" | tee -a "$log"; then
        echo "[$name] FAILED" | tee -a "$log"
    fi
    echo
done

# One table: benchmark, figure, value, target, ratio (below 1 meets the target).
echo "=== Figures with targets"
{
    printf 'benchmark\tfigure\tvalue\ttarget\tratio\n'
    sed -n 's/^\[\([^]]*\)\] FIGURE\t/\1\t/p' "$log"
    sed -n 's/^\[\([^]]*\)\] FAILED$/\1\tFAILED\t\t\t/p' "$log"
} | python3 -c '
import sys
rows = [line.rstrip("\n").split("\t") for line in sys.stdin]
widths = [max(len(row[i]) for row in rows if i < len(row)) for i in range(max(map(len, rows)))]
for row in rows:
    print("  ".join(cell.ljust(widths[i]) for i, cell in enumerate(row)).rstrip())
'

