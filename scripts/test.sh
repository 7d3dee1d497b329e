#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test: in the ordinary
# build, built with AddressSanitizer and UndefinedBehaviorSanitizer, and built with
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs="$(nproc)"

./scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"

BUILD_DIR=build-asan ./scripts/build.sh -DMORVEK_SANITIZE=address -DMORVEK_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j "$jobs"

BUILD_DIR=build-tsan ./scripts/build.sh -DMORVEK_SANITIZE=thread -DMORVEK_BUILD_BENCH=OFF
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --test-dir build-tsan --output-on-failure -j "$jobs"
