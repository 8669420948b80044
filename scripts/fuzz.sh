#!/usr/bin/env bash
# Builds the sanitizer preset and runs every fuzz loop for SECONDS (default 300) each. Any
# AddressSanitizer or UndefinedBehaviorSanitizer report ends the run. Pass VELTQORV_FUZZ_SEED to
# replay the seed a failure printed; further arguments go to the test program (e.g. chrono
# to run that loop alone).
#   scripts/fuzz.sh [SECONDS] [test arguments…]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift $(( $# > 0 ? 1 : 0 ))

cmake --preset asan >/dev/null
nice -n 5 cmake --build build/asan -j2 --target fuzz_properties

export VELTQORV_FUZZ_SECONDS=$seconds
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Six loops at most; the rest is start-up and slack. A loop that hangs fails the run.
timeout --signal=ABRT $(( seconds * 6 + 300 )) build/asan/tests/fuzz/fuzz_properties "$@"
