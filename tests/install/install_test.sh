#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a desktop gets from it: the files, a valid
# desktop entry and metainfo, the icon at every size, a per-user install that uninstalls without
# a trace, and an address that `xdg-open` hands over to the running instance through the
# registered veltqorv:// scheme.
# Usage: install_test.sh <build-dir>   (under a display and a session bus)
set -euo pipefail
build=$1
work=$(mktemp -d)
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.veltqorv.VeltQorv
for file in bin/veltqorv share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/man/man1/veltqorv.1.gz share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/veltqorv" ] || fail "the binary is not executable"
# A terminal with no display still gets the version and help, in the user's language.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/veltqorv" --version) ||
    fail "--version needs a display"
[[ $version == *1.0.0* ]] || fail "--version said: $version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LANGUAGE LANG=de_DE.UTF-8 "$prefix/bin/veltqorv" --help)
[[ $help == *Aufruf:*Adresse* ]] || fail "--help under a German locale said: $help"
for size in 16 22 24 32 48 64 128 256 512; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -s "$png" ] || fail "no ${size}x${size} icon"
    # Width and height from the PNG header.
    read -r w h < <(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$png")
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
# What a package's trigger does: the entry must claim the scheme for menus to offer it.
update-desktop-database "$prefix/share/applications"
grep -q "^x-scheme-handler/veltqorv=$id.desktop" "$prefix/share/applications/mimeinfo.cache" ||
    fail "the entry does not claim veltqorv://"
rm "$prefix/share/applications/mimeinfo.cache"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metainfo"
man -l "$prefix/share/man/man1/veltqorv.1.gz" 2>&1 >/dev/null | grep . && fail "the man page has warnings"

# Per user: the uninstall takes away exactly what the install put there.
user=$work/user
mkdir -p "$user/.local/share/applications"
touch "$user/.local/share/applications/other.desktop"
before=$(cd "$user" && find . | sort)
HOME=$user XDG_DATA_HOME=$user/.local/share "$(dirname "$0")/../../scripts/install.sh" --build-dir "$build" >/dev/null
[ -x "$user/.local/bin/veltqorv" ] || fail "install.sh did not install the program"
grep -q "^x-scheme-handler/veltqorv=$id.desktop" "$user/.local/share/applications/mimeinfo.cache" ||
    fail "install.sh did not refresh the menu's cache"
HOME=$user XDG_DATA_HOME=$user/.local/share "$(dirname "$0")/../../scripts/install.sh" --uninstall >/dev/null
after=$(cd "$user" && find . | sort)
[ "$before" = "$after" ] || fail "the uninstall left: $(diff <(echo "$before") <(echo "$after"))"

# A user's session that knows only this installation.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache \
    XDG_RUNTIME_DIR=$work/runtime XDG_DATA_DIRS=$prefix/share:/usr/share PATH=$prefix/bin:$PATH
mkdir -p "$HOME" "$XDG_CONFIG_HOME/VeltQorv" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# A tool that finishes at once: only the hand-over is under test.
printf '[General]\ndownloaderBin=%s\n' "$(command -v true)" >"$XDG_CONFIG_HOME/VeltQorv/VeltQorv.conf"
xdg-mime default $id.desktop x-scheme-handler/veltqorv
[ "$(xdg-mime query default x-scheme-handler/veltqorv)" = "$id.desktop" ] || fail "scheme not registered"

veltqorv >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$id-$(id -u)" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$id-$(id -u)" ] || fail "the first instance does not listen: $(cat "$work/app.log")"

# xdg-open waits for the program it starts: a second instance that kept running would hang here.
timeout 30 xdg-open 'veltqorv://add?url=https%3A%2F%2Fvideos.example%2Fwatch%3Fv%3Dinstalled' ||
    fail "xdg-open did not hand the address over"
store=$XDG_DATA_HOME/VeltQorv/db.store
for _ in $(seq 100); do
    sources=$(sqlite3 "file:$store?mode=ro" 'SELECT source FROM ShakeItem' 2>/dev/null || true)
    [ "$sources" = "https://videos.example/watch?v=installed" ] && break
    sleep 0.1
done
[ "$sources" = "https://videos.example/watch?v=installed" ] || fail "the running instance has: '$sources'"
kill -0 "$app" || fail "the first instance ended"
echo "installed and handed over"
