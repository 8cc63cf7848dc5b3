#!/usr/bin/env bash
# Runs the real upgrade program against faults of its surroundings (full
# disks on small tmpfs mounts, read-only database and file system, a program
# folder it may not write, missing log folder, unusable database files, a
# full disk during the encryption pass, two installations on one database,
# folders in the way of the work copy and of tmp.mdb) and prints, for each,
# what became of the database and the lines that said what went wrong (see
# bench/fault_cases/). Mounts and running as another user need root; those
# cases are skipped without it.
#
#   tests/faults/fault_test.sh [NAME-FILTER]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${MT_BUILD_DIR:-$root/build}"

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target marrowtide-dbupgrade marrowtide-db bench_fault_cases >/dev/null
shim="$build/skip_waits.so"
cc -shared -fPIC -O2 -o "$shim" "$root/tests/crash/skip_waits.c" -ldl
args=(--shim "$shim")
[ $# -gt 0 ] && args+=(--only "$1")
exec "$build/bench/bench_fault_cases" "${args[@]}"
