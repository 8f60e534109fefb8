#!/usr/bin/env bash
# The whole check, as CI runs it. Installs what is missing, then:
#   1. the format check (scripts/check-format.sh);
#   2. everything (programs, tests, benchmarks) with warnings as errors, in
#      build/, and the tests;
#   3. the core alone, without Qt and benchmarks, with AddressSanitizer and
#      UndefinedBehaviorSanitizer, in build-asan/, and its tests.
# A format fault does not stop the builds; it fails the check at the end.
# Extra arguments go to the first configuration. TQ_JOBS sets the parallel
# jobs (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${TQ_JOBS:-$(nproc)}"

scripts/install-deps.sh

echo "== Format check"
format=0
scripts/check-format.sh || format=$?

echo "== Build with warnings as errors, and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@"
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Core without Qt, with the sanitizers, and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTQ_SANITIZE=ON -DTQ_GUI=OFF -DTQ_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [ "$format" -ne 0 ]; then
  echo "The builds and tests passed; the format check failed (above)." >&2
  exit "$format"
fi
