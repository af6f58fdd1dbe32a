#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test; then builds
# the libraries alone, without Qt Widgets, and runs their tests too; checks the Debian package; then runs the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# fuzzes every file reader for a few seconds (scripts/fuzz.sh).
#   MAREVO_SANITIZE_STEP=0 / MAREVO_FUZZ_SECONDS=0 / MAREVO_PACKAGE_STEP=0 leave those steps out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Rebuilds from another clone of the same sources (CI) take their objects from the cache.
if command -v ccache > /dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
preset=${MAREVO_PRESET:-ci}
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
# The Debian package: built, installed with apt, checked and removed (root only, as in CI).
if [ "$(id -u)" -eq 0 ] && [ "${MAREVO_PACKAGE_STEP:-1}" != 0 ]; then
    scripts/check-package.sh "build/$preset"
fi
cmake --preset nowidgets
cmake --build --preset nowidgets
ctest --preset nowidgets

# The whole suite again under the sanitizers; MAREVO_SANITIZE_PRESET=sanitize-logic for the libraries alone.
sanitize_preset=${MAREVO_SANITIZE_PRESET:-sanitize}
if [ "${MAREVO_SANITIZE_STEP:-1}" != 0 ]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cmake --preset "$sanitize_preset"
    cmake --build --preset "$sanitize_preset"
    ctest --preset "$sanitize_preset"
    unset ASAN_OPTIONS UBSAN_OPTIONS
fi

fuzz_seconds=${MAREVO_FUZZ_SECONDS:-8}
if [ "$fuzz_seconds" != 0 ]; then
    scripts/fuzz.sh "$fuzz_seconds"
fi
