#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test: once in the
# ordinary build and once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs="$(nproc)"

./scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"

BUILD_DIR=build-asan ./scripts/build.sh -DMORVEK_SANITIZE=ON -DMORVEK_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j "$jobs"
