#!/usr/bin/env bash
# Configures and builds the project into build/ (or $BUILD_DIR) with warnings as errors.
# Extra arguments go to the CMake configure step; $BUILD_TARGETS (space-separated) limits
# what is built.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEK_WERROR=ON "$@" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" "${targets[@]}"
