#!/usr/bin/env bash
# Makes docs/main-window.png: the main window over a store with a few downloads, drawn under
# Xvfb by the application itself (VELTQORV_SCREENSHOT), in private settings and data folders.
# Usage: scripts/screenshot.sh [build-dir]   (default build/dev, built when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
if [ ! -x "$build/veltqorv" ] || [ ! -x "$build/bench/startup/bench_startup_seed" ]; then
    scripts/deps.sh
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target veltqorv bench_startup_seed
    build=build/dev
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{home,config/VeltQorv,data/VeltQorv,cache,runtime}
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime" TZ=UTC LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
printf '[General]\ndownloaderBin=%s\n' "$(command -v yt-dlp || echo /usr/bin/yt-dlp)" \
    >"$scratch/config/VeltQorv/VeltQorv.conf"
"$build/bench/startup/bench_startup_seed" "$scratch/data/VeltQorv/db.store" 9 >/dev/null

mkdir -p docs
VELTQORV_SCREENSHOT="$PWD/docs/main-window.png" \
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$build/veltqorv"
echo "wrote docs/main-window.png"
