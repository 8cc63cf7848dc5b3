#!/usr/bin/env bash
# Kills the real upgrade program with SIGKILL at many points of its run (by
# time, and inside version 388, the code migrations, both value passes, the
# pruning and the compaction) and checks after every kill that the database
# is whole, and after every final run that it is upgraded with the same row
# counts, the same distinct rows and the same decrypted values as after an
# uninterrupted run (see bench/crash_kill.cpp).
#
#   tests/crash/crash_test.sh [KILLS [SEED]]      default 40 kills
#
# The run's fixed waits (10 s per value pass) are skipped by a preload
# library built here (skip_waits.c); MT_REAL_WAITS=1 keeps them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${MT_BUILD_DIR:-$root/build}"
kills="${1:-40}"
seed="${2:-20240704}"

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target marrowtide-dbupgrade marrowtide-db bench_crash_kill >/dev/null

args=(--kills "$kills" --seed "$seed")
if [ "${MT_REAL_WAITS:-0}" != 1 ]; then
  shim="$build/skip_waits.so"
  cc -shared -fPIC -O2 -o "$shim" "$here/skip_waits.c" -ldl
  args+=(--shim "$shim")
fi
exec "$build/bench/bench_crash_kill" "${args[@]}"
