#!/usr/bin/env bash
# Makes docs/main-window.png, the main window over a store with a few downloads (and
# docs/main-window-de.png, the same under a German locale), and
# docs/new-download.png, the New Download window showing what the real yt-dlp read from a local
# page. Drawn under Xvfb by the application itself (VELTQORV_SCREENSHOT), in private settings and
# data folders.
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
# The same window in German, as a user with that locale sees it.
env -u LC_ALL LANG=de_DE.UTF-8 VELTQORV_SCREENSHOT="$PWD/docs/main-window-de.png" \
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$build/veltqorv"
echo "wrote docs/main-window-de.png"

# A page the tool reads like a site's: a video at two heights, subtitles and a poster.
www="$scratch/www"
mkdir -p "$www"
for size in 1280x720:720 854x480:480; do
    ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=${size%:*}:rate=25" -f lavfi -i "sine=frequency=440" \
        -t 4 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$www/v${size#*:}.mp4"
done
ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=640x360" -frames:v 1 "$www/poster.jpg"
printf 'WEBVTT\n\n00:00.000 --> 00:02.000\nHello\n' >"$www/en.vtt"
printf 'WEBVTT\n\n00:00.000 --> 00:02.000\nHallo\n' >"$www/de.vtt"
cat >"$www/index.html" <<'PAGE'
<html><head><meta property="og:title" content="Test pattern at dusk"></head><body>
<video poster="poster.jpg">
<source src="v720.mp4" type="video/mp4" height="720"><source src="v480.mp4" type="video/mp4" height="480">
<track kind="subtitles" src="en.vtt" srclang="en"><track kind="subtitles" src="de.vtt" srclang="de">
</video></body></html>
PAGE
python3 -m http.server 0 --bind 127.0.0.1 --directory "$www" >"$scratch/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$scratch"' EXIT
until port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$scratch/server.log") && [ -n "$port" ]; do sleep 0.1; done
VELTQORV_SCREENSHOT="$PWD/docs/new-download.png" VELTQORV_SCREENSHOT_URL="http://127.0.0.1:$port/index.html" \
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$build/veltqorv"
echo "wrote docs/new-download.png"
