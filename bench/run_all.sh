#!/usr/bin/env bash
# Builds the benchmarks and prints, for this machine, each measured figure
# beside the bare SQLCipher time for the same work, as a ratio:
#   1. a full upgrade from version 2 to 405 (headless), against as many
#      auto-committed INSERTs through the bare sqlite3 API (same key, WAL,
#      synchronous=NORMAL);
#   2. the typical encrypted run from version 300 without its fixed waits;
#   3. compaction of a database with 100,000 task-log rows, against the bare
#      sqlcipher_export;
#   4. importing nwind.mdb, against mdb-export of all its tables (target <= 2).
#
#   bench/run_all.sh [BUILD_DIR]     (default: build)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target bench_upgrade_full bench_engine_insert bench_typical_run bench_compaction bench_jet_import \
  >/dev/null
bin="$build/bench"

echo "== 1. full upgrade 2 -> 405"
upgrade="$("$bin/bench_upgrade_full" --headless 2>/dev/null)"
echo "$upgrade" | grep -E '^(upgrade|total time|CPU time|statements run|failures logged)' | sed 's/^/  /'
statements="$(echo "$upgrade" | awk -F: '/^statements run/ {gsub(/ /, "", $2); print $2}')"
total_ms="$(echo "$upgrade" | awk '/^total time/ {print $3 * 1000}')"
cpu_ms="$(echo "$upgrade" | awk '/^CPU time/ {print $4 * 1000}')"
bare="$("$bin/bench_engine_insert" "$statements" 2>/dev/null | grep '^bare SQLCipher')"
bare_wall="$(echo "$bare" | awk '{print $4}')"
bare_cpu="$(echo "$bare" | awk '{for (i = 1; i <= NF; ++i) if ($i == "CPU") print $(i + 1)}')"
echo "  bare SQLCipher, $statements auto-committed INSERTs: wall $bare_wall ms, CPU $bare_cpu ms"
awk -v a="$total_ms" -v b="$bare_wall" -v c="$cpu_ms" -v d="$bare_cpu" \
  'BEGIN { printf "  ratio upgrade/bare: wall %.2f, CPU %.2f (target <= 3)\n", a / b, c / d }'

echo "== 2. typical encrypted run"
"$bin/bench_typical_run" 2>/dev/null

echo "== 3. compaction"
"$bin/bench_compaction" 2>/dev/null

echo "== 4. Jet import"
"$bin/bench_jet_import" 2>/dev/null | sed 's/^/  /'
