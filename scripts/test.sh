#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test; then builds
# the libraries alone, without Qt Widgets, and runs their tests too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset=${MAREVO_PRESET:-ci}
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
cmake --preset nowidgets
cmake --build --preset nowidgets
ctest --preset nowidgets
