#!/usr/bin/env bash
# Builds the Debian package (build/package/veltqorv_<version>_<arch>.deb) and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
for p in dpkg-dev lintian; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -qq --no-install-recommends "$p" ||
            sudo apt-get install -y -qq --no-install-recommends "$p"; }
done
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVELTQORV_TESTS=OFF -DVELTQORV_BENCH=OFF >/dev/null
cmake --build "$build"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)
echo "built $deb"
lintian --info "$deb" && echo "lintian: no errors"
