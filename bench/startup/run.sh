#!/usr/bin/env bash
# Start-up benchmark: VeltQorv with a store of 100 000 downloads against Debian's youtubedl-gui
# (another Qt downloader GUI) starting with an empty history, alternated in the same run.
# Start-up = spawn to first visible window (VeltQorv fills the sidebar counts and the first page
# before it shows the window). Then idle memory after 10 s and CPU over 30 s idle.
# Usage: bench/startup/run.sh [build-dir]   (needs an X display; bench/run.sh provides one)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build/ci}")
here=bench/startup
runs=${RUNS:-7}
items=${ITEMS:-100000}
if [ -z "${DISPLAY:-}" ]; then
    echo "needs an X display: run it through bench/run.sh or xvfb-run" >&2
    exit 1
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# (Read whole before matching: grep -q would end the pipe early, which pipefail counts as failure.)
policy=$(apt-cache policy youtubedl-gui 2>/dev/null || true)
if [[ "$policy" == *"Candidate: "[0-9]* ]]; then
    if ! dpkg-query -W -f='${Status}' youtubedl-gui 2>/dev/null | grep -q 'install ok installed'; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends youtubedl-gui >/dev/null
    fi
    baseline_bin=$(dpkg -L youtubedl-gui | grep -E '^/usr/bin/' | head -n 1)
    baseline_name="youtubedl-gui (empty history)"
else
    echo "youtubedl-gui does not exist in apt here: the baseline is a minimal Qt Widgets window"
    baseline_bin="$build/bench/startup/bench_startup_minimal"
    baseline_name="minimal Qt Widgets window"
fi

environment() { # folder
    mkdir -p "$1"/{home,config,data,cache,runtime}
    chmod 700 "$1/runtime"
    echo HOME="$1/home" XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" XDG_CACHE_HOME="$1/cache" \
        XDG_RUNTIME_DIR="$1/runtime"
}
app_env=$(environment "$scratch/app")
base_env=$(environment "$scratch/base")
mkdir -p "$scratch/app/data/VeltQorv" "$scratch/app/config/VeltQorv"
printf '[General]\ndownloaderBin=%s\n' "$(command -v yt-dlp || echo /usr/bin/yt-dlp)" \
    >"$scratch/app/config/VeltQorv/VeltQorv.conf"
"$build/bench/startup/bench_startup_seed" "$scratch/app/data/VeltQorv/db.store" "$items"

echo "VeltQorv: $items items; baseline: $baseline_name ($baseline_bin); $runs runs each, alternated"
for ((i = 1; i <= runs; i++)); do
    idle=()
    [ "$i" -eq "$runs" ] && idle=(--idle)
    env $app_env "$here/measure.py" "${idle[@]}" -- "$build/veltqorv" >>"$scratch/app.jsonl"
    env $base_env "$here/measure.py" "${idle[@]}" -- "$baseline_bin" >>"$scratch/base.jsonl"
done

python3 - "$scratch/app.jsonl" "$scratch/base.jsonl" "$baseline_name" <<'PY'
import json, statistics, sys
app = [json.loads(l) for l in open(sys.argv[1])]
base = [json.loads(l) for l in open(sys.argv[2])]
name = sys.argv[3]
a = statistics.median(r["startup_ms"] for r in app)
b = statistics.median(r["startup_ms"] for r in base)
print("start-up runs (ms): VeltQorv", [r["startup_ms"] for r in app], "|", name, [r["startup_ms"] for r in base])
print(f"start-up to window with counts and first page: VeltQorv {a:.0f} ms, {name} {b:.0f} ms, "
      f"ratio {a / b:.2f} (target: <= 1.00)")
print(f"idle RSS after 10 s: VeltQorv {app[-1]['rss_mb']:.1f} MB (target: < 80 MB); {name} {base[-1]['rss_mb']:.1f} MB")
print(f"CPU over 30 s idle: VeltQorv {app[-1]['idle_cpu_s']:.2f} s (target: 0); {name} {base[-1]['idle_cpu_s']:.2f} s")
print(f"FIGURE\tstart-up to a full window, against {name}\t{a:.0f} ms / {b:.0f} ms\t<= 1.00\t{a / b:.2f}")
print(f"FIGURE\tidle memory after 10 s\t{app[-1]['rss_mb']:.1f} MB\t< 80 MB\t{app[-1]['rss_mb'] / 80:.2f}")
print(f"FIGURE\tCPU over 30 s idle\t{app[-1]['idle_cpu_s']:.2f} s\t0 s\t-")
PY
