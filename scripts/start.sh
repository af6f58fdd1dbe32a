#!/usr/bin/env bash
# Installs the dependencies, builds the organiser and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target marevo-notes
exec build/default/src/app/marevo-notes "$@"
