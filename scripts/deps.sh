#!/usr/bin/env bash
# Installs whatever the build, the application and the tests need and is not there yet.
# Quick when everything is present: it only asks dpkg.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-declarative-dev qt6-svg-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libxcb1-dev libxcb-xinput-dev libxcb-keysyms1-dev libx11-dev libxkbcommon-dev libxkbcommon-x11-dev
    xvfb xauth dbus dbus-x11 dunst trayer xdotool
    yt-dlp ffmpeg python3 nodejs zsh tzdata
    librsvg2-bin desktop-file-utils appstream xdg-utils sqlite3 man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Some nodejs builds bring npm themselves; installing Debian's npm beside them conflicts.
if ! command -v npm >/dev/null 2>&1; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm
fi
