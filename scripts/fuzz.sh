#!/usr/bin/env bash
# Builds the sanitizer preset and runs every fuzz test for SECONDS (default 300) per fuzz loop.
# Any AddressSanitizer or UndefinedBehaviorSanitizer report ends the run. Pass VELTQORV_FUZZ_SEED
# to replay the seed a failure printed; further arguments go to ctest (e.g. -R fuzz_chrono).
#   scripts/fuzz.sh [SECONDS] [ctest arguments…]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift $(( $# > 0 ? 1 : 0 ))

cmake --preset asan >/dev/null
targets=$(sed -n 's/^veltqorv_add_test(\(fuzz_[a-z_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
# shellcheck disable=SC2086 # one target per word
nice -n 5 cmake --build build/asan -j2 --target $targets

export VELTQORV_FUZZ_SECONDS=$seconds
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A test has at most three loops; the rest is start-up and slack.
ctest --test-dir build/asan -L fuzz --output-on-failure --timeout $(( seconds * 3 + 300 )) "$@"
