#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test: in the ordinary
# build (and its Debian package, unpacked and run), built with AddressSanitizer and UndefinedBehaviorSanitizer, and built with
# ThreadSanitizer; then each fuzz target for a short, bounded run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs="$(nproc)"

echo "test: 1/4 plain build and its tests"
./scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"
# The Debian package of that build, unpacked and run from where it unpacked.
./scripts/package-test.sh

# Sanitizer builds: -O1 and line tables only, as the sanitizers recommend; quicker to build.
echo "test: 2/4 AddressSanitizer and UndefinedBehaviorSanitizer build and its tests"
sanitizer_flags=(-DMORVEK_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1")
BUILD_DIR=build-asan ./scripts/build.sh -DMORVEK_SANITIZE=address "${sanitizer_flags[@]}"
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Qt is not built with ThreadSanitizer, so its reports inside Qt would be noise: the TSan build
# leaves the Qt application out (its threaded parts are core classes, tested here).
echo "test: 3/4 ThreadSanitizer build and its tests"
BUILD_DIR=build-tsan ./scripts/build.sh -DMORVEK_SANITIZE=thread -DMORVEK_BUILD_UI=OFF "${sanitizer_flags[@]}"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --test-dir build-tsan --output-on-failure -j "$jobs"

echo "test: 4/4 fuzz targets, a short run each"
CXX=clang++ BUILD_DIR=build-fuzz BUILD_TARGETS="DescriptorFuzz ChannelAnswerFuzz DocumentFuzz" \
  ./scripts/build.sh -DMORVEK_FUZZ=ON -DMORVEK_BUILD_TESTS=OFF -DMORVEK_BUILD_BENCH=OFF -DMORVEK_BUILD_UI=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1"
fuzz_seconds="${FUZZ_SECONDS:-15}"
for target in build-fuzz/bin/*Fuzz; do
  name="$(basename "$target")"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus" "fuzz/corpus/$name"
  # The kept corpus (scripts/fuzz.sh grows it) and the shipped data files seed the run; the
  # targets ignore what they cannot use. New inputs go to the build folder only.
  limits=()
  [ "$name" = DocumentFuzz ] && limits=(-max_len=8192)  # as scripts/fuzz.sh runs it
  "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "${limits[@]}" "$corpus" "fuzz/corpus/$name" data/DefaultData 2>&1 | tail -n 1
done
echo "fuzzing: no crash in $fuzz_seconds s per target"
