#!/usr/bin/env bash
# Long fuzzing runs: builds the libFuzzer targets (clang, ASan and UBSan) and runs each for
# MINUTES minutes, starting from its corpus in fuzz/corpus/<target> (the document fuzzer also
# from the shipped data files). The inputs a run finds are then merged back into
# fuzz/corpus/<target>, minimised: only inputs that reach new code are kept, so the corpus stays
# small enough for git. A crash stops the run; its input is left in build-fuzz/crashes/.
#   scripts/fuzz.sh MINUTES [TARGET...]   (targets: DescriptorFuzz ChannelAnswerFuzz DocumentFuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]] || [ "$1" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh MINUTES [TARGET...]" >&2
  exit 2
fi
minutes="$1"
shift
all_targets=(DescriptorFuzz ChannelAnswerFuzz DocumentFuzz)
targets=("${all_targets[@]}")
[ $# -gt 0 ] && targets=("$@")
for target in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $target "* ]] || { echo "unknown target $target" >&2; exit 2; }
done

CXX=clang++ BUILD_DIR=build-fuzz BUILD_TARGETS="${targets[*]}" \
  ./scripts/build.sh -DMORVEK_FUZZ=ON -DMORVEK_BUILD_TESTS=OFF -DMORVEK_BUILD_BENCH=OFF -DMORVEK_BUILD_UI=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1"

# No allocation stacks are recorded for reports: that doubles the inputs a second. To see a
# crash's full report, run the target on the input it left: build-fuzz/bin/TARGET FILE.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"

mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
  kept="fuzz/corpus/$target"
  work="build-fuzz/corpus/$target"
  mkdir -p "$kept" "$work"
  seeds=("$kept")
  limits=()
  # The shipped data seeds the document fuzzer, cut to 8 KiB: the readers meet damaged files
  # that way, whole templates are the unit tests' part, and the kept corpus stays small.
  if [ "$target" = DocumentFuzz ]; then
    seeds+=(data/DefaultData)
    limits=(-max_len=8192)
  fi
  echo "== $target: $minutes min"
  "build-fuzz/bin/$target" -max_total_time=$((minutes * 60)) -print_final_stats=1 "${limits[@]}" \
    -artifact_prefix="build-fuzz/crashes/$target-" "$work" "${seeds[@]}" 2>&1 |
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|==|SUMMARY)' || true
  # Minimise: merge everything into a fresh folder, then let it replace the kept corpus.
  merged="build-fuzz/corpus/$target.merged"
  rm -rf "$merged"
  mkdir -p "$merged"
  "build-fuzz/bin/$target" -merge=1 "${limits[@]}" "$merged" "$kept" "$work" >/dev/null 2>&1
  rm -rf "$kept"
  mv "$merged" "$kept"
  echo "   corpus: $(find "$kept" -type f | wc -l) inputs, $(du -sk "$kept" | cut -f1) KiB"
done
