#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for a bounded time, one after the other.
#
#   fuzz/run.sh [SECONDS [TARGET...]]   seconds per target (60 by default), every target by default
#
# Corpora grow in $MT_FUZZ_BUILD/corpus/<target>, seeded from the upgrade
# scripts and from fuzz/regressions/<target> (inputs that once found a fault);
# a crashing input is written to $MT_FUZZ_BUILD/findings/ and the script ends
# with status 1.
set -euo pipefail

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(translate_fuzzer script_fuzzer)
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="${MT_FUZZ_BUILD:-$root/build-fuzz}"
cxx="${MT_FUZZ_CXX:-$(command -v clang++-14 || command -v clang++)}"
cc="${MT_FUZZ_CC:-$(command -v clang-14 || command -v clang)}"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc" >/dev/null
cmake --build "$build" -j2

mkdir -p "$build/findings"
if [ ! -d "$build/seeds/translate_fuzzer" ]; then
  python3 "$here/make_corpus.py" "$root/upgrade/scripts" \
    "$build/seeds/translate_fuzzer" "$build/seeds/script_fuzzer"
fi

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  dict=()
  [ "$target" = translate_fuzzer ] && dict=(-dict="$here/jet.dict")
  echo "== $target: $seconds s"
  # Leaks are not findings here: Qt keeps process-wide caches.
  if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      "$build/$target" "$corpus" "$build/seeds/$target" $(ls -d "$here/regressions/$target" 2>/dev/null) "${dict[@]}" \
      -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/$target-" -print_final_stats=1 2>"$build/$target.log"; then
    status=1
    echo "   FINDING (see $build/$target.log and $build/findings/)"
    grep -E 'FINDING|ERROR: |runtime error|==ERROR' "$build/$target.log" | head -5 || true
  fi
  grep -E '^stat::number_of_executed_units|^stat::new_units_added|^stat::peak_rss_mb' "$build/$target.log" || true
  tail -n 1 "$build/$target.log" | grep -v '^stat::' || true
done
exit "$status"
