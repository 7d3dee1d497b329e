#!/usr/bin/env bash
# Configures and builds the project into build/ (or $BUILD_DIR) with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEK_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir"
