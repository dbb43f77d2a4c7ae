#!/usr/bin/env bash
# Configures and builds everything under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build
