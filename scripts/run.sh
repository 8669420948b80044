#!/usr/bin/env bash
# Installs what is missing, builds and starts VeltQorv.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target veltqorv
exec build/dev/veltqorv "$@"
