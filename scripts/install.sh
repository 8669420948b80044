#!/usr/bin/env bash
# Installs VeltQorv for the current user under ~/.local (or $PREFIX): the program, its menu
# entry, icon, metainfo and man page, then refreshes the desktop's caches.
#   scripts/install.sh [--build-dir DIR]   build (unless DIR holds a build) and install
#   scripts/install.sh --uninstall         remove exactly what the install put there
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${PREFIX:-$HOME/.local}
data=${XDG_DATA_HOME:-$HOME/.local/share}
record=$data/VeltQorv/installed-files.txt

refresh() {
    # The scheme handler and the menu read this cache; without the tool they catch up at the next login.
    if command -v update-desktop-database >/dev/null && [ -d "$prefix/share/applications" ]; then
        update-desktop-database -q "$prefix/share/applications"
    fi
}

if [ "${1-}" = "--uninstall" ]; then
    [ -f "$record" ] || { echo "VeltQorv is not installed under $prefix by this script." >&2; exit 1; }
    listed=$(cat "$record")
    rm -f -- "$record"
    entries() { grep "^$1 " <<<"$listed" | cut -d' ' -f2- || true; }
    # Files first, then the folders the install made, deepest first, where they are empty now.
    entries file | while IFS= read -r path; do rm -f -- "$path"; done
    refresh
    # A cache that was first made for us goes too.
    entries cache | while IFS= read -r path; do rm -f -- "$path"; done
    entries dir | sort -r | while IFS= read -r path; do
        rmdir -- "$path" 2>/dev/null || true
    done
    echo "Removed VeltQorv from $prefix."
    exit 0
fi

build=build/install
if [ "${1-}" = "--build-dir" ]; then
    build=$2
else
    scripts/deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTQORV_TESTS=OFF -DVELTQORV_BENCH=OFF >/dev/null
    cmake --build "$build"
fi

# A trial into a staging folder tells which files come and which of their folders are new, so
# that an uninstall takes away exactly those.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
{
    (cd "$stage" && find . -mindepth 1 \( -type f -o -type l \) -printf '%P\n') | while IFS= read -r path; do
        echo "file /$path"
    done
    (cd "$stage" && find . -mindepth 1 -type d -printf '%P\n') | while IFS= read -r path; do
        [ -e "/$path" ] || echo "dir /$path"
    done
    [ -e "$prefix/share/applications/mimeinfo.cache" ] || echo "cache $prefix/share/applications/mimeinfo.cache"
    [ -e "$(dirname "$record")" ] || echo "dir $(dirname "$record")"
} >"$stage/record"
mkdir -p "$(dirname "$record")"
mv "$stage/record" "$record"
cmake --install "$build" --prefix "$prefix" >/dev/null
refresh
echo "Installed VeltQorv under $prefix; it is in the menu, and $prefix/bin/veltqorv starts it."
case ":$PATH:" in *":$prefix/bin:"*) ;; *) echo "Add $prefix/bin to PATH to start it as veltqorv." ;; esac
