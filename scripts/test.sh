#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
# Tests get a display (Xvfb), a private session bus and their own XDG folders, so they
# never touch the user's settings, downloads or desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{home,config,data,cache,runtime}
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime" \
    TZ=UTC LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# dbus-run-session inside xvfb-run, so that services the bus starts on demand see the display.
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- ctest --preset ci "$@"
